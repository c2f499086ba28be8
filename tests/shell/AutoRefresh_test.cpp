#include "shell/AutoRefresh.hpp"

#include <gtest/gtest.h>

#include <string>

namespace larkspan {
namespace {

// A timer driven by hand: like the program's timer, enabling or a new interval restarts
// the count.
struct ManualTimer {
    bool enabled = false;
    unsigned interval = 0;
    unsigned elapsed = 0;
    int ticks = 0;
    void setEnabled(bool on) {
        enabled = on;
        elapsed = 0;
    }
    void setInterval(unsigned ms) {
        interval = ms;
        elapsed = 0;
    }
    void advance(unsigned ms) {
        if (!enabled || interval == 0) return;
        elapsed += ms;
        ticks += static_cast<int>(elapsed / interval);
        elapsed %= interval;
    }
};

TEST(AutoRefreshTest, StartsOff) {
    AutoRefresh ar;
    EXPECT_FALSE(ar.timerEnabled());
    EXPECT_FALSE(ar.turnOffEnabled());
    ManualTimer t;
    ar.applyTo(t);
    EXPECT_FALSE(t.enabled);
}

TEST(AutoRefreshTest, ThirteenItemsOfSecondsToMilliseconds) {
    const auto& items = autoRefreshItems();
    const int expected[] = {1, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    ASSERT_EQ(items.size(), 13u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].seconds, expected[i]);
        EXPECT_EQ(std::string(items[i].name), "mnuAR_" + std::to_string(expected[i]));
        AutoRefresh ar;
        ASSERT_TRUE(ar.choose(items[i].seconds));
        EXPECT_EQ(ar.intervalMs(), expected[i] * 1000);
        EXPECT_LE(ar.intervalMs(), 65535);
    }
    EXPECT_STREQ(items[0].caption, "&1 Second");
    EXPECT_STREQ(items[1].caption, "&5 Seconds");
    EXPECT_STREQ(items[12].caption, "&60 Seconds");
}

TEST(AutoRefreshTest, ChoosingEnablesTurnOffAndTurnOffGreysIt) {
    AutoRefresh ar;
    ASSERT_TRUE(ar.choose(5));
    EXPECT_TRUE(ar.timerEnabled());
    EXPECT_TRUE(ar.turnOffEnabled());
    ar.turnOff();
    EXPECT_FALSE(ar.timerEnabled());
    EXPECT_FALSE(ar.turnOffEnabled());
    ManualTimer t;
    ar.applyTo(t);
    EXPECT_FALSE(t.enabled);
    ASSERT_TRUE(ar.choose(10));
    EXPECT_TRUE(ar.turnOffEnabled());
}

TEST(AutoRefreshTest, NumbersThatAreNoItemChangeNothing) {
    AutoRefresh ar;
    ar.choose(15);
    for (int s : {0, 2, -5, 65, 61}) EXPECT_FALSE(ar.choose(s)) << s;
    EXPECT_EQ(ar.intervalMs(), 15000);
    EXPECT_EQ(ar.starts(), 1u);
}

TEST(AutoRefreshTest, EveryChoiceRestartsTheCount) {
    AutoRefresh ar;
    ManualTimer t;
    ar.choose(60);
    ar.applyTo(t);
    t.advance(20000);
    ar.choose(30);  // 20 s after "60 Seconds": the first refresh is 30 s after this choice
    ar.applyTo(t);
    t.advance(29999);
    EXPECT_EQ(t.ticks, 0);
    t.advance(1);
    EXPECT_EQ(t.ticks, 1);

    // The same interval again still starts the count afresh.
    t.advance(20000);
    const unsigned before = ar.starts();
    ar.choose(30);
    EXPECT_EQ(ar.starts(), before + 1);
    ar.applyTo(t);
    t.advance(29999);
    EXPECT_EQ(t.ticks, 1);
    t.advance(1);
    EXPECT_EQ(t.ticks, 2);
}

}  // namespace
}  // namespace larkspan
