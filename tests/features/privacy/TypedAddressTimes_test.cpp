// A time range takes out of the typed addresses only those typed within it during this run.
#include <gtest/gtest.h>

#include <chrono>

#include "features/privacy/TypedAddressTimes.hpp"

namespace larkspan::privacy {
namespace {

using namespace std::chrono;

TEST(TypedAddressTimes, ARangeTakesOutOnlyTheAddressesTypedWithinIt) {
    const system_clock::time_point start = system_clock::from_time_t(1'765'000'000);
    TypedAddressTimes times;
    times.typed("early.example", start);
    times.typed("late.example", start + hours(2));
    times.typed("later.example", start + hours(3));

    const auto since = start + hours(1);
    std::set<std::string> gone = times.typedSince(since);
    EXPECT_EQ(gone, (std::set<std::string>{"late.example", "later.example"}));
    // Earlier runs' addresses and the early one stay, in their order.
    EXPECT_EQ(without({"old.example", "late.example", "early.example", "later.example"}, gone),
              (std::vector<std::string>{"old.example", "early.example"}));

    times.forget(since);
    EXPECT_TRUE(times.typedSince(since).empty());
    EXPECT_EQ(times.typedSince(start), (std::set<std::string>{"early.example"}));
    times.forget(std::nullopt);
    EXPECT_TRUE(times.typedSince(start).empty());
}

}  // namespace
}  // namespace larkspan::privacy
