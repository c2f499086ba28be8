#include "shell/LayoutArithmetic.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

TEST(LayoutArithmeticTest, PlacesByTheFixedOffsets) {
    auto p = layoutPlaces({9600, 7200, 9840, true});
    EXPECT_DOUBLE_EQ(p.webBrowser1.left, 0);
    EXPECT_DOUBLE_EQ(p.webBrowser1.top, 1080);
    EXPECT_DOUBLE_EQ(p.webBrowser1.width, 9600);
    EXPECT_DOUBLE_EQ(p.webBrowser1.height, 5885);
    EXPECT_DOUBLE_EQ(p.cboAddressLeft, 7);
    EXPECT_DOUBLE_EQ(p.cboAddressTop, 730);
    EXPECT_DOUBLE_EQ(p.cboAddressWidth, 6450);
    EXPECT_DOUBLE_EQ(p.command1Left, 8620);
    EXPECT_DOUBLE_EQ(p.txtSearchLeft, 6550);
    EXPECT_DOUBLE_EQ(p.shape1Width, 9840);
}

TEST(LayoutArithmeticTest, EnlargingByHundredTwipsMovesAndGrowsByHundred) {
    auto a = layoutPlaces({9600, 7200, 9840, true});
    auto b = layoutPlaces({9700, 7300, 9940, true});
    EXPECT_DOUBLE_EQ(b.webBrowser1.width - a.webBrowser1.width, 100);
    EXPECT_DOUBLE_EQ(b.webBrowser1.height - a.webBrowser1.height, 100);
    EXPECT_DOUBLE_EQ(b.cboAddressWidth - a.cboAddressWidth, 100);
    EXPECT_DOUBLE_EQ(b.command1Left - a.command1Left, 100);
    EXPECT_DOUBLE_EQ(b.txtSearchLeft - a.txtSearchLeft, 100);
    EXPECT_DOUBLE_EQ(b.shape1Width - a.shape1Width, 100);
    // What is anchored to the top left stays.
    EXPECT_DOUBLE_EQ(b.webBrowser1.top, a.webBrowser1.top);
    EXPECT_DOUBLE_EQ(b.cboAddressLeft, a.cboAddressLeft);
    EXPECT_DOUBLE_EQ(b.cboAddressTop, a.cboAddressTop);
}

TEST(LayoutArithmeticTest, HiddenStatusBarGivesTheEngine255Twips) {
    auto shown = layoutPlaces({9600, 7200, 9840, true});
    auto hidden = layoutPlaces({9600, 7200, 9840, false});
    EXPECT_DOUBLE_EQ(hidden.webBrowser1.height - shown.webBrowser1.height, 255);
    EXPECT_DOUBLE_EQ(hidden.webBrowser1.height, 6140);
    EXPECT_DOUBLE_EQ(hidden.cboAddressWidth, shown.cboAddressWidth);
}

TEST(LayoutArithmeticTest, VerySmallWindowGetsNoNegativeSizes) {
    auto p = layoutPlaces({600, 900, 700, true});
    EXPECT_DOUBLE_EQ(p.webBrowser1.height, 0);
    EXPECT_DOUBLE_EQ(p.cboAddressWidth, 0);
    EXPECT_DOUBLE_EQ(p.webBrowser1.width, 600);
    EXPECT_DOUBLE_EQ(p.command1Left, -380);  // a place off the left edge is still a place
}

TEST(LayoutArithmeticTest, StatusBarToggleFlipsTickSettingAndCheckBox) {
    auto off = toggleStatusBar(true);
    EXPECT_FALSE(off.tick);
    EXPECT_EQ(off.storedValue, "False");
    EXPECT_EQ(off.check1, 0);
    auto on = toggleStatusBar(off.tick);
    EXPECT_TRUE(on.tick);
    EXPECT_EQ(on.storedValue, "True");
    EXPECT_EQ(on.check1, 1);
}

}  // namespace
}  // namespace larkspan
