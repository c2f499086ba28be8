// The dictionaries found, and the languages checked: the user's own first, then American
// English, each only when installed.
#include "common/SpellDictionaries.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace larkspan::spelling {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

TEST(SpellDictionaries, ADictionaryIsADicFileWithItsAffBeside) {
    const fs::path folder = fs::path(std::getenv("LARKSPAN_TEST_ROOT")) / "hunspell";
    fs::create_directories(folder);
    for (const char* name : {"en_US.dic", "en_US.aff", "de_DE.aff", "de_DE.dic", "fr_FR.dic",
                             "hyph_de.dat", "it_IT.aff"}) {
        std::ofstream(folder / name) << "x";
    }
    EXPECT_EQ(installedDictionaries(folder), (List{"de_DE", "en_US"}));
    EXPECT_EQ(installedDictionaries(folder / "missing"), List{});
}

TEST(SpellDictionaries, TheUsersLanguageComesFirstThenAmericanEnglish) {
    const List all{"de", "de_AT", "de_CH", "en_GB", "en_US", "pt_BR", "pt_PT"};
    EXPECT_EQ(checkedLanguages(all, "de_AT.UTF-8@euro"), (List{"de_AT", "en_US"}));
    EXPECT_EQ(checkedLanguages(all, "de_LU.UTF-8"), (List{"de", "en_US"}));
    EXPECT_EQ(checkedLanguages(all, "pt_AO"), (List{"pt_BR", "en_US"}));
    EXPECT_EQ(checkedLanguages(all, "en_US.UTF-8"), (List{"en_US"}));
    EXPECT_EQ(checkedLanguages(all, "C"), (List{"en_US"}));
    EXPECT_EQ(checkedLanguages({"fr_FR"}, "ja_JP.UTF-8"), List{});
}

}  // namespace
}  // namespace larkspan::spelling
