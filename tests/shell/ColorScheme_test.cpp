// The scheme's style sheets and the stored form of the system colours.
#include <gtest/gtest.h>

#include <string>

#include "common/StoredValue.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"

namespace larkspan {
namespace {

TEST(SchemeSheets, ColourValuesAndSystemColoursAreDrawnAsTheyMean) {
    // A colour value packs blue, green and red from the top byte down.
    EXPECT_NE(scheme::programBackCss(packRgb(1, 2, 3)).find("#010203"), std::string::npos);
    // A system colour is drawn in the colour the theme gives its role.
    setSystemColors({Rgb{10, 20, 30}, Rgb{40, 50, 60}, Rgb{70, 80, 90}, {}, {}});
    EXPECT_NE(scheme::programBackCss(kSysButtonFace).find("#0a141e"), std::string::npos);
    EXPECT_NE(scheme::programTextCss(kSysButtonText).find("#28323c"), std::string::npos);
    // Each sheet reaches its own class only.
    EXPECT_EQ(scheme::programBackCss(0).find(scheme::kProgramTextClass), std::string::npos);
    EXPECT_EQ(scheme::programTextCss(0).find(scheme::kProgramBackClass), std::string::npos);
}

class SystemColourStoreTest : public ::testing::Test {
  protected:
    SettingsStore store{SettingsStore::defaultFile().parent_path() / "scheme-colours.db"};
};

TEST_F(SystemColourStoreTest, SystemColoursSurviveAWriteAndAReadInNegativeForm) {
    OptionsModel written;
    written.restoreScheme();  // program colours: button face and button text
    store.write("ButtonColors", "ProgramBackColor", stored::color(written.programBackColor));
    store.write("ButtonColors", "ProgramFontColor", stored::color(written.programFontColor));
    EXPECT_EQ(store.read("ButtonColors", "ProgramBackColor", ""), "-2147483633");
    EXPECT_EQ(store.read("ButtonColors", "ProgramFontColor", ""), "-2147483630");

    OptionsModel loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.programBackColor, kSysButtonFace);
    EXPECT_EQ(loaded.programFontColor, kSysButtonText);
    EXPECT_TRUE(isSystemColor(loaded.programFontColor));
}

}  // namespace
}  // namespace larkspan
