// What each popup mode does with a request, and the blocked counter's arithmetic.
#include "features/popups/PopupDecision.hpp"

#include <gtest/gtest.h>

#include "features/popups/NoticePlacement.hpp"

namespace larkspan::popups {
namespace {

using Mode = OptionsModel::PopupMode;

TEST(PopupDecisionTest, EachModeRefusesCountsLogsAndWarnsAsItSays) {
    // Block Popups: counted, never logged, no notice, whatever the log switch says.
    Outcome block = decide(Mode::Block, std::nullopt, true, kOwnTarget);
    EXPECT_EQ(block.route, Route::Refuse);
    EXPECT_TRUE(block.counted);
    EXPECT_FALSE(block.logged);
    EXPECT_FALSE(block.notice);

    // Block and Alert: counted, logged only with the switch on, always the notice.
    for (bool logOn : {true, false}) {
        Outcome alert = decide(Mode::BlockAndAlert, std::nullopt, logOn, kOwnTarget);
        EXPECT_EQ(alert.route, Route::Refuse);
        EXPECT_TRUE(alert.counted);
        EXPECT_EQ(alert.logged, logOn);
        EXPECT_TRUE(alert.notice);
    }

    // Ask Me answered No: counted and logged, no notice; answered Yes: allowed, uncounted.
    Outcome no = decide(Mode::AskMe, false, true, kOwnTarget);
    EXPECT_EQ(no.route, Route::Refuse);
    EXPECT_TRUE(no.counted && no.logged);
    EXPECT_FALSE(no.notice);
    Outcome yes = decide(Mode::AskMe, true, true, kOwnTarget);
    EXPECT_EQ(yes.route, Route::NewWindow);
    EXPECT_FALSE(yes.counted || yes.logged || yes.notice);
    EXPECT_TRUE(asksUser(Mode::AskMe));
    EXPECT_FALSE(asksUser(Mode::Allow));
}

TEST(PopupDecisionTest, AllowedPopupsGoWhereTheTargetSaysUnlessNoModeIsSelected) {
    EXPECT_EQ(decide(Mode::Allow, std::nullopt, true, "Larkspan").route, Route::NewWindow);
    Outcome elsewhere = decide(Mode::Allow, std::nullopt, true, "Default Browser");
    EXPECT_EQ(elsewhere.route, Route::DefaultBrowser);
    EXPECT_FALSE(elsewhere.counted);
    // Only the exact text keeps popups here.
    EXPECT_EQ(decide(Mode::AskMe, true, true, "larkspan").route, Route::DefaultBrowser);
    // No mode selected: a new main window of this program, target or not.
    Outcome none = decide(Mode::None, std::nullopt, true, "Default Browser");
    EXPECT_EQ(none.route, Route::NewWindow);
    EXPECT_FALSE(none.counted || none.logged || none.notice);
}

TEST(PopupDecisionTest, CounterGrowsByOneAndTextThatIsNoNumberStaysAsItIs) {
    EXPECT_EQ(nextBlockedCount("0"), "1");
    EXPECT_EQ(nextBlockedCount("41"), "42");
    EXPECT_EQ(nextBlockedCount(" 9 "), "10");
    EXPECT_EQ(nextBlockedCount("9999999999"), "10000000000");
    for (const char* odd : {"", "abc", "12abc", "1.5", "9223372036854775807"}) {
        EXPECT_EQ(nextBlockedCount(odd), odd) << odd;
    }
}

TEST(NoticePlacementTest, StripSitsBelowTheBarsAndIsNarrowerThanTheWindow) {
    // At 96 dpi, 15 twips make a pixel.
    Rect strip = placeNotice(Rect{100, 50, 800}, 96.0);
    EXPECT_EQ(strip.top, 50 + 109);
    EXPECT_EQ(strip.left, 100 + 4);
    EXPECT_EQ(strip.width, 800 - 11);
    EXPECT_EQ(placeNotice(Rect{0, 0, 5}, 96.0).width, 1);
}

}  // namespace
}  // namespace larkspan::popups
