// The scheme's tables and the stored form of the system colours.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/StoredValue.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"

namespace larkspan {
namespace {

TEST(SchemeTables, ButtonPassStartsWithTheSearchButtonAndNamesEachButtonOnce) {
    const auto& targets = scheme::buttonColorTargets();
    ASSERT_FALSE(targets.empty());
    EXPECT_EQ(targets.front().window, scheme::kMainWindow);
    EXPECT_EQ(targets.front().control, "Command1");
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& t : targets) {
        EXPECT_FALSE(t.control.empty());
        EXPECT_TRUE(seen.emplace(std::string(t.window), std::string(t.control)).second)
            << t.window << "." << t.control;
    }
    // The options dialog's buttons that take the sample's style on Apply all take the
    // colours too.
    for (auto name : scheme::optionsStyleTargets()) {
        EXPECT_TRUE(seen.count({"frmOptions", std::string(name)})) << name;
    }
    // The sample itself carries the look; it is never a target.
    EXPECT_FALSE(seen.count({"frmOptions", "Example"}));
}

TEST(SchemeTables, BackColourReachesTheDialogFirstAndTheWindowsLast) {
    const auto& targets = scheme::backColorTargets();
    ASSERT_GE(targets.size(), 10u);
    EXPECT_EQ(targets.front().control, "BlockedLog");
    EXPECT_EQ(targets.back().window, "frmIE2LarkspanConverter");
    EXPECT_TRUE(targets.back().control.empty());
    // No swatch is ever recoloured by a pass.
    for (const auto& list : {scheme::backColorTargets(), scheme::fontColorTargets()}) {
        for (const auto& t : list) {
            if (t.window != "frmOptions") continue;
            for (const char* swatch :
                 {"lblFontColor", "lblHFontColor", "lblBackColor", "lblHBackcolor", "lblProgramBG",
                  "lblProgramFC", "Label1", "Label2", "PBForeColor"}) {
                EXPECT_NE(t.control, swatch);
            }
        }
    }
}

TEST(SchemeTables, OnlyTheUpdateWindowIsNeverCreatedByAPass) {
    EXPECT_FALSE(scheme::passMayCreate("frmPop"));
    for (const char* w : {"frmOptions", "frmFont", "frmHistory", "frmPassword", "frmAbout",
                          "frmFavorites", "frmBlockedLog", "frmIE2LarkspanConverter"}) {
        EXPECT_TRUE(scheme::passMayCreate(w)) << w;
    }
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
