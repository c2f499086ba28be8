// Handing files and addresses to the desktop: when it cannot, the user hears why.
#include "common/DesktopOpen.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

TEST(DesktopOpenTest, AMissingFileOrAMissingProgramIsExplained) {
    const char* base = std::getenv("LARKSPAN_TEST_ROOT");
    ASSERT_NE(base, nullptr);
    const std::filesystem::path root(base);
    // The desktop's programs come from an empty folder: none for any file or address.
    std::filesystem::create_directories(root / "no programs");
    ::setenv("XDG_DATA_DIRS", (root / "no programs").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (root / "no programs").c_str(), 1);
    std::ofstream(root / "notes.txt") << "some notes\n";

    testing::ScriptedDialogs d;
    for (int i = 0; i < 3; ++i) d.answer(Dialogs::Answer::Ok);
    EXPECT_FALSE(openFileOrSay(nullptr, root / "gone.txt", "What's New?"));
    EXPECT_FALSE(openFileOrSay(nullptr, root / "notes.txt", "What's New?"));
    EXPECT_FALSE(openAddressOrSay(nullptr, "mailto:someone@example.org", "Send Mail"));
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(d.shown()[0].title, "What's New?");
    EXPECT_NE(d.shown()[0].text.find("\"gone.txt\" could not be found"), std::string::npos)
        << d.shown()[0].text;
    EXPECT_NE(d.shown()[1].text.find("No program is set up to open \"notes.txt\""),
              std::string::npos)
        << d.shown()[1].text;
    EXPECT_EQ(d.shown()[2].title, "Send Mail");
    EXPECT_EQ(d.shown()[2].text, kNoMailProgram);
}

}  // namespace
}  // namespace larkspan
