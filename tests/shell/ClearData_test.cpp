// The time ranges of Clear Browsing Data and the registry that clears the ticked items.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include "shell/ClearData.hpp"

namespace larkspan {
namespace {

using namespace std::chrono;

TEST(ClearRanges, EachRangeStartsWhereItSays) {
    const system_clock::time_point now = system_clock::from_time_t(1'765'000'000) + 250ms;
    EXPECT_EQ(clearSince(ClearRange::LastHour, now), now - hours(1));
    EXPECT_EQ(clearSince(ClearRange::Everything, now), std::nullopt);

    // Today starts at the local midnight before `now`, wherever the clock is.
    for (const char* zone : {"UTC", "America/New_York", "Asia/Kolkata", "Pacific/Kiritimati"}) {
        setenv("TZ", zone, 1);
        tzset();
        ClearSince since = clearSince(ClearRange::Today, now);
        ASSERT_TRUE(since) << zone;
        EXPECT_LE(*since, now) << zone;
        EXPECT_GT(*since, now - hours(24)) << zone;
        std::time_t t = system_clock::to_time_t(*since);
        std::tm local{};
        localtime_r(&t, &local);
        EXPECT_EQ(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec, 0) << zone;
    }
    unsetenv("TZ");
    tzset();
}

TEST(ClearDataRegistry, ClearsOnlyTheTickedItemsWithTheRangeAndEndsWhenTheLastHasFinished) {
    ClearDataRegistry registry;
    std::vector<std::string> cleared;
    std::vector<ClearSince> sinces;
    std::function<void()> lateDone;
    auto item = [&](const char* name, bool late) {
        return ClearableItem{name, name,
                             [&, name, late](ClearSince since, std::function<void()> done) {
                                 cleared.push_back(name);
                                 sinces.push_back(since);
                                 if (late) {
                                     lateDone = done;
                                 } else {
                                     done();
                                     done();  // a second report counts once
                                 }
                             }};
    };
    registry.add(item("chkA", false));
    registry.add(item("chkB", true));
    registry.add(item("chkC", false));

    const system_clock::time_point since = system_clock::now() - hours(1);
    int finished = 0;
    registry.clear({"chkA", "chkB"}, since, [&] { ++finished; });
    EXPECT_EQ(cleared, (std::vector<std::string>{"chkA", "chkB"}));
    EXPECT_EQ(sinces, (std::vector<ClearSince>{since, since}));
    EXPECT_EQ(finished, 0) << "chkB has not finished yet";
    lateDone();
    EXPECT_EQ(finished, 1);

    registry.clear({}, std::nullopt, [&] { ++finished; });
    EXPECT_EQ(finished, 2) << "nothing ticked ends at once";
}

}  // namespace
}  // namespace larkspan
