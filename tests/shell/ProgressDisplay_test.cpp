#include "shell/ProgressDisplay.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

TEST(ProgressDisplayTest, NothingLeftAndCompleteBothHideAtHundred) {
    for (auto [p, m] : {std::pair{0, 0}, std::pair{0, 500}, std::pair{500, 500}}) {
        auto u = onProgressChange(p, m, true, 40);
        EXPECT_TRUE(u.handled);
        EXPECT_EQ(u.value, 100) << p << "/" << m;
        EXPECT_FALSE(u.visible);
    }
}

TEST(ProgressDisplayTest, PartialProgressShowsThePercentage) {
    auto u = onProgressChange(37, 100, true, 100);
    EXPECT_EQ(u.value, 37);
    EXPECT_TRUE(u.visible);
    EXPECT_TRUE(u.move);
    // Halves go to the even neighbour: 12.5 -> 12, 37.5 -> 38.
    EXPECT_EQ(onProgressChange(1, 8, true, 0).value, 12);
    EXPECT_EQ(onProgressChange(3, 8, true, 0).value, 38);
    EXPECT_EQ(onProgressChange(2, 3, true, 0).value, 67);
}

TEST(ProgressDisplayTest, EndOfLoadKeepsTheValueAndHidesTheBar) {
    auto mid = onProgressChange(-1, 100, true, 37);
    EXPECT_EQ(mid.value, 37);
    EXPECT_FALSE(mid.visible) << "a stopped load leaves no bar behind";
    auto done = onProgressChange(-1, 100, true, 100);
    EXPECT_EQ(done.value, 100);
    EXPECT_FALSE(done.visible);
}

TEST(ProgressDisplayTest, LoadingFollowsTheReportsWithTheStatusBarShownOrNot) {
    for (bool shown : {true, false}) {
        EXPECT_EQ(onProgressChange(37, 100, shown, 0).loading, true);
        EXPECT_EQ(onProgressChange(100, 100, shown, 37).loading, false);
        EXPECT_EQ(onProgressChange(0, 100, shown, 37).loading, false);
        EXPECT_EQ(onProgressChange(-1, 100, shown, 37).loading, false);
        EXPECT_EQ(onProgressChange(5, 0, shown, 37).loading, std::nullopt);
        EXPECT_EQ(onProgressChange(-7, 100, shown, 37).loading, std::nullopt);
    }
}

TEST(ProgressDisplayTest, OverflowOfTheHundredfoldLeavesTheValue) {
    // 21,474,836 * 100 still fits 32 bits; one more does not.
    EXPECT_EQ(onProgressChange(21474836, 50000000, true, 20).value, 43);
    auto u = onProgressChange(21474837, 50000000, true, 20);
    EXPECT_EQ(u.value, 20);
    EXPECT_TRUE(u.visible);
    EXPECT_TRUE(u.move);
}

TEST(ProgressDisplayTest, OddReportsChangeNothingButTheShowing) {
    EXPECT_EQ(onProgressChange(5, 0, true, 60).value, 60);
    EXPECT_EQ(onProgressChange(5, -3, true, 60).value, 60);
    EXPECT_EQ(onProgressChange(-7, 100, true, 60).value, 60);
    // Beyond its maximum a load is complete, not at 150 %.
    auto over = onProgressChange(150, 100, true, 60);
    EXPECT_EQ(over.value, 100);
    EXPECT_FALSE(over.visible);
}

TEST(ProgressDisplayTest, HiddenStatusBarIgnoresReports) {
    for (int p : {0, 37, 100, -1}) {
        auto u = onProgressChange(p, 100, false, 55);
        EXPECT_FALSE(u.handled);
        EXPECT_FALSE(u.move);
        EXPECT_EQ(u.value, 55);
    }
}

TEST(ProgressDisplayTest, BarSitsInsidePanelThree) {
    auto r = progressBarPlace(4000, 2000, 6000, 375);
    EXPECT_DOUBLE_EQ(r.left, 4030);
    EXPECT_DOUBLE_EQ(r.top, 6045);
    EXPECT_DOUBLE_EQ(r.width, 1940);
    EXPECT_DOUBLE_EQ(r.height, 315);
    auto tiny = progressBarPlace(0, 30, 0, 40);
    EXPECT_DOUBLE_EQ(tiny.width, 0);
    EXPECT_DOUBLE_EQ(tiny.height, 0);
}

}  // namespace
}  // namespace larkspan
