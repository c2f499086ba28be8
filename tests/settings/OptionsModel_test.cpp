// The options model's load: design values, stored values, and the rules between them.
#include <gtest/gtest.h>

#include "common/MakerSite.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {
namespace {

class OptionsLoadTest : public ::testing::Test {
protected:
    // A store of this test's own, also when all tests run in one process.
    SettingsStore store{SettingsStore::defaultFile().parent_path() /
                        (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                         ".db")};
    OptionsModel loaded() {
        OptionsModel m;
        m.load(store);
        return m;
    }
};

TEST_F(OptionsLoadTest, EmptyStoreGivesTheDesignValues) {
    OptionsModel m = loaded();
    EXPECT_EQ(m.Text1, site::kHome);
    EXPECT_FALSE(m.SetHP_Enabled);
    EXPECT_EQ(m.cboSite, "");
    EXPECT_TRUE(m.History);
    EXPECT_TRUE(m.CheckUpdate);
    EXPECT_TRUE(m.Check1);
    EXPECT_FALSE(m.Minimize);
    EXPECT_FALSE(m.SuppressErrors);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::AskMe);
    EXPECT_TRUE(m.Check2);
    EXPECT_TRUE(m.BlockedLog);
    EXPECT_EQ(m.Label25, "0");
    EXPECT_EQ(m.Combo2, "Larkspan");
    EXPECT_EQ(m.Label1, 0);
    EXPECT_EQ(m.Label2, 16777215);
    EXPECT_EQ(m.lblFontName, "Arial");
    EXPECT_EQ(m.PBForeColor, 12763842);
    EXPECT_EQ(m.samplePBValue, 100);
    EXPECT_EQ(m.samplePBScrolling, 0);
    EXPECT_TRUE(m.PBo2);
    EXPECT_FALSE(m.PBo1);
    EXPECT_EQ(m.ShowFontCaption, "Yes");
    EXPECT_EQ(m.Example.style, 3);
    EXPECT_EQ(m.selectedStyleChoice, 2);
    EXPECT_FALSE(m.LockBrowser || m.LockEmail || m.LockFavorites || m.LockHistory ||
                 m.LockOptions);
    // The program font swatch holds its design 0, not the button-text colour, so a first
    // start leaves "Restore" enabled.
    EXPECT_EQ(m.lblProgramFC, 0);
    EXPECT_TRUE(m.RestoreB_Enabled);
    // The design style choice reads back as selected, which acts like its click; the
    // dialog's activation disables "Apply" again.
    EXPECT_TRUE(m.BApply_Enabled);
    EXPECT_EQ(m.Larkspanlbl.rfind("Larkspan [Ver ", 0), 0u);
    EXPECT_EQ(m.Larkspanlbl.back(), ']');
}

TEST_F(OptionsLoadTest, StoredValuesReachTheirControls) {
    store.write("Settings", "Homepage", "http://example.test/");
    store.write("Settings", "History", "0");
    store.write("Settings", "Systray", "1");
    store.write("Settings", "PopupBlocker1", "False");
    store.write("Settings", "PopupBlocker30", "True");
    store.write("Settings", "Blocked#", "42");
    store.write("Settings", "ProgressBar", "1");
    store.write("Settings", "ShowText", "True");
    store.write("Settings", "ShowTextCap", "No");
    store.write("Settings", "toolbarFont", "DejaVu Sans");
    store.write("Settings", "AddressBG", "255");
    store.write("WebSearch", "LastEngine", "Yahoo!");
    OptionsModel m = loaded();
    EXPECT_EQ(m.Text1, "http://example.test/");
    EXPECT_TRUE(m.SetHP_Enabled) << "the load's own fill of the home page enables Set";
    EXPECT_FALSE(m.History);
    EXPECT_TRUE(m.Minimize);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::BlockAndAlert);
    EXPECT_EQ(m.Label25, "42");
    EXPECT_EQ(m.samplePBScrolling, 1);
    EXPECT_TRUE(m.PBo1);
    EXPECT_FALSE(m.PBo2);
    EXPECT_TRUE(m.samplePBShowText);
    EXPECT_EQ(m.ShowFontCaption, "No");
    EXPECT_EQ(m.lblFontName, "DejaVu Sans");
    EXPECT_EQ(m.Label2, 255);
    EXPECT_EQ(m.cboSite, "Yahoo!");
}

TEST_F(OptionsLoadTest, LockKeysMatchWithoutRegardToCase) {
    store.write("Settings", "PassLockBrowser", "1");
    store.write("Settings", "PASSLOCKHIS", "1");
    OptionsModel m = loaded();
    EXPECT_TRUE(m.LockBrowser);
    EXPECT_TRUE(m.LockHistory);
    EXPECT_FALSE(m.LockOptions);
}

TEST_F(OptionsLoadTest, MalformedValuesLeaveTheDesignValue) {
    store.write("Settings", "History", "maybe");
    store.write("Settings", "AddressFC", "abc");
    store.write("Settings", "ProgressBar", "1.5.2");
    store.write("Settings", "PopupBlocker2", "perhaps");
    OptionsModel m = loaded();
    EXPECT_TRUE(m.History);
    EXPECT_EQ(m.Label1, 0);
    EXPECT_EQ(m.samplePBScrolling, 0);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::AskMe);
}

TEST_F(OptionsLoadTest, UnlistedEngineSelectsNothing) {
    store.write("WebSearch", "LastEngine", "Lycos");
    EXPECT_EQ(loaded().cboSite, "");
    store.write("WebSearch", "LastEngine", "google");  // names compare with case
    EXPECT_EQ(loaded().cboSite, "");
}

TEST_F(OptionsLoadTest, ButtonSchemeAndStyleChoice) {
    store.write("ButtonColors", "FontColor", "255");
    store.write("ButtonColors", "BackColor", "65280");
    store.write("ButtonColors", "ProgramFontColor", "-2147483630");
    store.write("Settings", "Button3", "False");
    store.write("Settings", "Button1", "True");
    OptionsModel m = loaded();
    EXPECT_EQ(m.lblFontColor, 255);
    EXPECT_EQ(m.Example.fontColor, 255);
    EXPECT_EQ(m.lblBackColor, 65280);
    EXPECT_EQ(m.Example.backColor, 65280);
    EXPECT_EQ(m.lblProgramFC, kSysButtonText);
    EXPECT_EQ(m.selectedStyleChoice, 0);
    EXPECT_EQ(m.Example.style, 8);
    EXPECT_TRUE(m.BApply_Enabled);
    EXPECT_TRUE(m.RestoreB_Enabled);
}

TEST_F(OptionsLoadTest, EmptyFontColorResetsTheButtonSwatchesAndSkipsTheOthers) {
    store.write("ButtonColors", "FontColor", "");
    store.write("ButtonColors", "BackColor", "65280");
    store.write("ButtonColors", "ProgramBackColor", "123");
    OptionsModel m = loaded();
    EXPECT_EQ(m.lblFontColor, 0);
    EXPECT_EQ(m.lblHFontColor, 9654050);
    EXPECT_EQ(m.lblBackColor, 14215660);
    EXPECT_EQ(m.lblHBackcolor, 14737632);
    // The program swatches keep what they held.
    EXPECT_EQ(m.lblProgramBG, kSysButtonFace);
}

TEST_F(OptionsLoadTest, RestoreStartsDisabledOnTheDefaultScheme) {
    store.write("ButtonColors", "ProgramFontColor", "-2147483630");
    store.write("ButtonColors", "ProgramBackColor", "-2147483633");
    OptionsModel m = loaded();
    EXPECT_TRUE(OptionsModel::swatchesAtDefaults(m));
    EXPECT_FALSE(m.RestoreB_Enabled);
}

}  // namespace
}  // namespace larkspan
