#include "shell/WindowGeometry.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

TEST(WindowGeometryTest, TwipsSurviveTheTripThroughPixels) {
    WindowGeometry g(96);
    g.setLeft(1000);
    g.setWidth(8685);
    EXPECT_EQ(g.leftPx(), 67);
    EXPECT_EQ(g.widthPx(), 579);
    // The desktop reports back the pixels it was given: the twips stay as they were.
    g.reportPosition(g.leftPx(), g.topPx());
    g.reportSize(g.widthPx(), g.heightPx());
    EXPECT_DOUBLE_EQ(g.left(), 1000);
    EXPECT_DOUBLE_EQ(g.width(), 8685);
    // A real move replaces them.
    g.reportPosition(100, 0);
    EXPECT_DOUBLE_EQ(g.left(), 1500);
}

TEST(WindowGeometryTest, ScalesByTheScreenResolution) {
    WindowGeometry g(192);
    g.setHeight(1440);
    EXPECT_EQ(g.heightPx(), 192);
    g.reportSize(0, 96);
    EXPECT_DOUBLE_EQ(g.height(), 720);
}

TEST(WindowGeometryTest, OnlyTheThreeStatesAreAccepted) {
    WindowGeometry g;
    EXPECT_TRUE(g.setState(2));
    EXPECT_FALSE(g.setState(3));
    EXPECT_FALSE(g.setState(-1));
    EXPECT_EQ(g.state(), 2);
}

}  // namespace
}  // namespace larkspan
