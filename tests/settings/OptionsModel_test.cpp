// The options model's load: design values, stored values, and the rules between them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
    // A model loaded from the store (each call makes a fresh one).
    OptionsModel& loaded() {
        models.push_back(std::make_unique<OptionsModel>());
        models.back()->load(store);
        return *models.back();
    }
    std::vector<std::unique_ptr<OptionsModel>> models;
};

TEST_F(OptionsLoadTest, EmptyStoreGivesTheDesignValues) {
    OptionsModel& m = loaded();
    EXPECT_EQ(m.homePage, site::kHome);
    EXPECT_EQ(m.searchEngine, "");
    EXPECT_TRUE(m.saveHistory);
    EXPECT_TRUE(m.checkUpdates);
    EXPECT_TRUE(m.statusBar);
    EXPECT_FALSE(m.minimizeToTray);
    EXPECT_FALSE(m.suppressScriptErrors);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::AskMe);
    EXPECT_TRUE(m.showInBrowser);
    EXPECT_TRUE(m.logBlocked);
    EXPECT_EQ(m.blockedCount, "0");
    EXPECT_EQ(m.popupTarget, "Larkspan");
    EXPECT_EQ(m.addressTextColor, kSysWindowText);
    EXPECT_EQ(m.addressBackColor, kSysWindow);
    EXPECT_EQ(m.fontName, "Arial");
    EXPECT_EQ(m.progressColor, 12763842);
    EXPECT_EQ(m.scrollStyle, 0);
    EXPECT_FALSE(m.showPercent);
    EXPECT_EQ(m.showPercentCaption, "No");
    EXPECT_EQ(m.sampleLook().style, 3);
    EXPECT_EQ(m.styleChoice, 2);
    EXPECT_FALSE(m.lockBrowser || m.lockEmail || m.lockFavorites || m.lockHistory || m.lockOptions);
    // Both program colours follow the theme until the user picks one, so a first start has
    // nothing to restore.
    EXPECT_EQ(m.programFontColor, kSysButtonText);
    EXPECT_TRUE(m.swatchesAtDefaults());
}

TEST_F(OptionsLoadTest, StoredValuesReachTheirControls) {
    store.write("Settings", "Homepage", "http://example.test/");
    store.write("Settings", "History", "0");
    store.write("Settings", "Systray", "1");
    store.write("Settings", "CheckUpdatesAtStart", "False");  // a check box as a truth word
    store.write("Settings", "PopupBlocker1", "False");
    store.write("Settings", "PopupBlocker30", "True");
    store.write("Settings", "Blocked#", "42");
    store.write("Settings", "ProgressBar", "1");
    store.write("Settings", "ShowText", "True");
    store.write("Settings", "ShowTextCap", "No");
    store.write("Settings", "toolbarFont", "DejaVu Sans");
    store.write("Settings", "AddressBG", "255");
    store.write("WebSearch", "LastEngine", "Yahoo!");
    OptionsModel& m = loaded();
    EXPECT_EQ(m.homePage, "http://example.test/");
    EXPECT_FALSE(m.saveHistory);
    EXPECT_TRUE(m.minimizeToTray);
    EXPECT_FALSE(m.checkUpdates);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::BlockAndAlert);
    EXPECT_EQ(m.blockedCount, "42");
    EXPECT_EQ(m.scrollStyle, 1);
    EXPECT_TRUE(m.showPercent);
    EXPECT_EQ(m.showPercentCaption, "No");
    EXPECT_EQ(m.fontName, "DejaVu Sans");
    EXPECT_EQ(m.addressBackColor, 255);
    EXPECT_EQ(m.searchEngine, "Yahoo!");
}

TEST_F(OptionsLoadTest, TheStatusBarTakesAFontOfItsOwnWhereOneIsStored) {
    store.write("Settings", "toolbarFont", "Serif");
    EXPECT_EQ(loaded().barFont(), "Serif");
    store.write("Settings", "StatusbarFont", "Monospace");
    EXPECT_EQ(loaded().barFont(), "Monospace");
}

TEST_F(OptionsLoadTest, LockKeysMatchWithoutRegardToCase) {
    store.write("Settings", "PassLockBrowser", "1");
    store.write("Settings", "PASSLOCKHIS", "1");
    OptionsModel& m = loaded();
    EXPECT_TRUE(m.lockBrowser);
    EXPECT_TRUE(m.lockHistory);
    EXPECT_FALSE(m.lockOptions);
}

TEST_F(OptionsLoadTest, MalformedValuesLeaveTheDesignValue) {
    store.write("Settings", "History", "maybe");
    store.write("Settings", "AddressFC", "abc");
    store.write("Settings", "ProgressBar", "1.5.2");
    store.write("Settings", "PopupBlocker2", "perhaps");
    OptionsModel& m = loaded();
    EXPECT_TRUE(m.saveHistory);
    EXPECT_EQ(m.addressTextColor, kSysWindowText);
    EXPECT_EQ(m.scrollStyle, 0);
    EXPECT_EQ(m.popupMode, OptionsModel::PopupMode::AskMe);
}

TEST_F(OptionsLoadTest, UnlistedEngineSelectsNothing) {
    store.write("WebSearch", "LastEngine", "Lycos");
    EXPECT_EQ(loaded().searchEngine, "");
    store.write("WebSearch", "LastEngine", "google");  // names compare with case
    EXPECT_EQ(loaded().searchEngine, "");
}

TEST_F(OptionsLoadTest, ButtonSchemeAndStyleChoice) {
    store.write("ButtonColors", "FontColor", "255");
    store.write("ButtonColors", "BackColor", "65280");
    store.write("ButtonColors", "ProgramFontColor", "-2147483630");
    store.write("Settings", "Button3", "False");
    store.write("Settings", "Button1", "True");
    OptionsModel& m = loaded();
    EXPECT_EQ(m.buttonFontColor, 255);
    EXPECT_EQ(m.sampleLook().fontColor, 255);
    EXPECT_EQ(m.buttonBackColor, 65280);
    EXPECT_EQ(m.sampleLook().backColor, 65280);
    EXPECT_EQ(m.programFontColor, kSysButtonText);
    EXPECT_EQ(m.styleChoice, 0);
    EXPECT_EQ(m.sampleLook().style, 8);
    EXPECT_FALSE(m.swatchesAtDefaults());
}

TEST_F(OptionsLoadTest, EmptyFontColorResetsTheButtonSwatchesButNotTheProgramOnes) {
    store.write("ButtonColors", "FontColor", "");
    store.write("ButtonColors", "BackColor", "65280");
    store.write("ButtonColors", "ProgramBackColor", "123");
    OptionsModel& m = loaded();
    EXPECT_EQ(m.sampleLook(), ButtonLook{.style = m.sampleLook().style})
        << "the four button colours are back at the theme's";
    // The program swatches are read all the same.
    EXPECT_EQ(m.programBackColor, 123);
}

TEST_F(OptionsLoadTest, RestoreStartsDisabledOnTheDefaultScheme) {
    store.write("ButtonColors", "ProgramFontColor", "-2147483630");
    store.write("ButtonColors", "ProgramBackColor", "-2147483633");
    OptionsModel& m = loaded();
    EXPECT_TRUE(m.swatchesAtDefaults());
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
        m.selectStyleChoice(i);
        EXPECT_EQ(m.sampleLook().style, codes[i]);
        EXPECT_EQ(m.backSwatchesEnabled(), i != 1);
    }
    m.selectStyleChoice(5);
    m.selectStyleChoice(-1);
    EXPECT_EQ(m.styleChoice, 4);
    EXPECT_EQ(m.sampleLook().style, 2);
}

TEST(OptionsLayoutRules, PickersOfferAndReachWhatTheirTableSays) {
    OptionsModel m;
    using S = OptionsModel::Swatch;
    m.pickSwatch(S::FontColor, 1);
    m.pickSwatch(S::HBackcolor, 2);
    m.pickSwatch(S::BackColor, 3);
    m.pickSwatch(S::HFontColor, 4);
    EXPECT_EQ(m.pickerInitial(S::FontColor), 1);
    EXPECT_EQ(m.pickerInitial(S::HFontColor), 2);
    EXPECT_EQ(m.pickerInitial(S::BackColor), 1);
    EXPECT_EQ(m.pickerInitial(S::HBackcolor), 2);
    EXPECT_EQ(m.pickerInitial(S::ProgramBG), 2);
    EXPECT_EQ(m.pickerInitial(S::ProgramFC), 2);

    ButtonLook sample = m.sampleLook();
    EXPECT_EQ(sample.fontColor, 1);
    EXPECT_EQ(sample.highlightColor, 2);
    EXPECT_EQ(sample.backColor, 3);
    EXPECT_EQ(sample.fontHighlightColor, 4);
    m.pickSwatch(S::ProgramBG, 14);
    m.pickSwatch(S::ProgramFC, 15);
    EXPECT_EQ(m.sampleLook(), sample) << "the program colours are swatches only";
    EXPECT_EQ(m.swatch(S::ProgramBG), 14);
    EXPECT_EQ(m.swatch(S::ProgramFC), 15);
}

TEST(OptionsLayoutRules, RestoreBringsBackTheDefaultScheme) {
    OptionsModel m;
    m.selectStyleChoice(1);
    m.pickSwatch(OptionsModel::Swatch::BackColor, 255);
    m.pickSwatch(OptionsModel::Swatch::ProgramBG, 255);
    m.restoreScheme();
    EXPECT_TRUE(m.swatchesAtDefaults());
    EXPECT_EQ(m.styleChoice, 2);
    EXPECT_EQ(m.sampleLook(), ButtonLook{});
    EXPECT_TRUE(m.backSwatchesEnabled());
}

TEST(OptionsChanges, EachChangeIsSignalledOnceWithItsOption) {
    OptionsModel m;
    using C = OptionsModel::Cause;
    std::vector<std::pair<OptionId, C>> seen;
    m.signalChanged().connect([&](OptionId id, C c) { seen.emplace_back(id, c); });
    m.setNumber(OptionId::ScrollStyle, 1);
    m.setNumber(OptionId::ScrollStyle, 1);  // no change, no signal
    m.setText(OptionId::FontName, "Serif");
    m.setFlag(OptionId::ShowPercent, true);
    m.setPopupMode(OptionsModel::PopupMode::Block);
    m.pickSwatch(OptionsModel::Swatch::ProgramFC, 7);
    m.restoreScheme();  // only the program font colour is away from its default
    EXPECT_EQ(seen, (std::vector<std::pair<OptionId, C>>{{OptionId::ScrollStyle, C::Edited},
                                                         {OptionId::FontName, C::Edited},
                                                         {OptionId::ShowPercent, C::Edited},
                                                         {OptionId::PopupMode, C::Edited},
                                                         {OptionId::ProgramFontColor, C::Edited},
                                                         {OptionId::ProgramFontColor, C::Edited}}));
}

}  // namespace
}  // namespace larkspan
