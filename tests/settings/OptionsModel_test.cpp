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
    SettingsStore store{
        SettingsStore::defaultFile().parent_path() /
        (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".db")};
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
    EXPECT_FALSE(m.LockBrowser || m.LockEmail || m.LockFavorites || m.LockHistory || m.LockOptions);
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

namespace larkspan {
namespace {

TEST(OptionsPages, EntriesNameTheirFramesAndNothingElse) {
    ASSERT_EQ(OptionsModel::pages().size(), 8u);
    EXPECT_EQ(OptionsModel::pageFrame("Address Bar"),
              std::optional<std::string_view>("WebAddress"));
    EXPECT_EQ(OptionsModel::pageFrame("Misc."), std::optional<std::string_view>("Misc"));
    EXPECT_EQ(OptionsModel::pageFrame("Password Lock"),
              std::optional<std::string_view>("PassLock"));
    // Exact text only.
    EXPECT_FALSE(OptionsModel::pageFrame("Misc").has_value());
    EXPECT_FALSE(OptionsModel::pageFrame("layout").has_value());
    EXPECT_FALSE(OptionsModel::pageFrame("").has_value());
    // The list shows its entries sorted.
    for (std::size_t i = 1; i < OptionsModel::pages().size(); ++i) {
        EXPECT_LT(OptionsModel::pages()[i - 1].entry, OptionsModel::pages()[i].entry);
    }
}

TEST(OptionsLayoutRules, StyleChoicesSetTheSampleAndTheThemeLockSwatches) {
    OptionsModel m;
    const int codes[] = {8, 6, 3, 1, 2};
    for (int i = 0; i < 5; ++i) {
        m.BApply_Enabled = false;
        m.RestoreB_Enabled = false;
        m.selectStyleChoice(i);
        EXPECT_EQ(m.Example.style, codes[i]);
        EXPECT_EQ(m.backSwatchesEnabled(), i != 1);
        EXPECT_TRUE(m.BApply_Enabled);
        EXPECT_TRUE(m.RestoreB_Enabled);
    }
    m.selectStyleChoice(5);
    m.selectStyleChoice(-1);
    EXPECT_EQ(m.selectedStyleChoice, 4);
    EXPECT_EQ(m.Example.style, 2);
}

TEST(OptionsLayoutRules, PickersOfferAndReachWhatTheirTableSays) {
    OptionsModel m;
    m.Example.fontColor = 1;
    m.Example.highlightColor = 2;
    m.Example.backColor = 3;
    m.Example.fontHighlightColor = 4;
    using S = OptionsModel::Swatch;
    EXPECT_EQ(m.pickerInitial(S::FontColor), 1);
    EXPECT_EQ(m.pickerInitial(S::HFontColor), 2);
    EXPECT_EQ(m.pickerInitial(S::BackColor), 1);
    EXPECT_EQ(m.pickerInitial(S::HBackcolor), 2);
    EXPECT_EQ(m.pickerInitial(S::ProgramBG), 2);
    EXPECT_EQ(m.pickerInitial(S::ProgramFC), 2);

    m.pickSwatch(S::HFontColor, 10);
    EXPECT_EQ(m.lblHFontColor, 10);
    EXPECT_EQ(m.Example.fontHighlightColor, 10);
    m.pickSwatch(S::HBackcolor, 11);
    EXPECT_EQ(m.lblHBackcolor, 11);
    EXPECT_EQ(m.Example.highlightColor, 11);
    m.pickSwatch(S::BackColor, 12);
    EXPECT_EQ(m.Example.backColor, 12);
    m.pickSwatch(S::FontColor, 13);
    EXPECT_EQ(m.Example.fontColor, 13);
    ButtonLook sample = m.Example;
    m.pickSwatch(S::ProgramBG, 14);
    m.pickSwatch(S::ProgramFC, 15);
    EXPECT_EQ(m.Example, sample) << "the program colours are swatches only";
    EXPECT_EQ(m.swatch(S::ProgramBG), 14);
    EXPECT_EQ(m.swatch(S::ProgramFC), 15);
}

TEST(OptionsLayoutRules, RestoreBringsBackTheDefaultSchemeAndDisablesItself) {
    OptionsModel m;
    m.selectStyleChoice(1);
    m.pickSwatch(OptionsModel::Swatch::BackColor, 255);
    m.pickSwatch(OptionsModel::Swatch::ProgramBG, 255);
    m.BApply_Enabled = false;
    m.restoreScheme();
    EXPECT_TRUE(OptionsModel::swatchesAtDefaults(m));
    EXPECT_EQ(m.selectedStyleChoice, 2);
    EXPECT_EQ(m.Example, ButtonLook{});
    EXPECT_TRUE(m.backSwatchesEnabled());
    EXPECT_TRUE(m.BApply_Enabled);
    EXPECT_FALSE(m.RestoreB_Enabled);
}

TEST(OptionsProgressRules, ScrollStylesArePairedAndShowPercentFlipsItsCaption) {
    OptionsModel m;
    m.clickSmooth();
    EXPECT_EQ(m.samplePBScrolling, 1);
    EXPECT_TRUE(m.PBo1);
    EXPECT_FALSE(m.PBo2);
    m.clickStandard();
    EXPECT_EQ(m.samplePBScrolling, 0);
    EXPECT_FALSE(m.PBo1);
    EXPECT_TRUE(m.PBo2);

    m.BApply_Enabled = false;
    m.setShowPercent(true);
    EXPECT_EQ(m.ShowFontCaption, "No");
    EXPECT_TRUE(m.samplePBShowText);
    EXPECT_TRUE(m.BApply_Enabled);
    m.setShowPercent(false);
    EXPECT_EQ(m.ShowFontCaption, "yes");
    EXPECT_FALSE(m.samplePBShowText);
}

}  // namespace
}  // namespace larkspan
