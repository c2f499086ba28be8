// The find bar's count: the first match after a new search, steps that wrap at both ends,
// and a page whose number of matches changed under the bar.
#include "shell/FindPosition.hpp"

#include <gtest/gtest.h>

namespace larkspan {
namespace {

TEST(FindPositionTest, StepsWrapAroundInBothDirections) {
    FindPosition p;
    EXPECT_EQ(p.describe(), "");
    p.restart(3);
    EXPECT_EQ(p.describe(), "1 of 3 matches");
    p.step(true, 3);
    p.step(true, 3);
    EXPECT_EQ(p.current(), 3u);
    p.step(true, 3);
    EXPECT_EQ(p.current(), 1u);
    p.step(false, 3);
    EXPECT_EQ(p.describe(), "3 of 3 matches");
    p.step(false, 3);
    EXPECT_EQ(p.current(), 2u);
}

TEST(FindPositionTest, NoMatchesAndASingleMatchAreSaidSo) {
    FindPosition p;
    p.restart(0);
    EXPECT_EQ(p.describe(), "No matches");
    p.step(true, 0);
    EXPECT_EQ(p.describe(), "No matches");
    p.restart(1);
    p.step(true, 1);
    EXPECT_EQ(p.describe(), "1 of 1 match");
    p.clear();
    EXPECT_EQ(p.describe(), "");
}

TEST(FindPositionTest, AStepAfterThePageLostMatchesStartsAtTheNearEnd) {
    FindPosition p;
    p.restart(5);
    for (int i = 0; i < 3; ++i) p.step(true, 5);
    EXPECT_EQ(p.current(), 4u);
    p.step(true, 2);  // two matches left: the position is beyond them
    EXPECT_EQ(p.describe(), "1 of 2 matches");
    p.step(true, 0);
    p.step(false, 4);  // matches again, stepping back: the last one
    EXPECT_EQ(p.describe(), "4 of 4 matches");
}

}  // namespace
}  // namespace larkspan
