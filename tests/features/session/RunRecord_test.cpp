// The crash-loop guard: what a start does after clean and unclean ends, and that a restore
// which crashed twice within its first minute is not repeated at once.
#include "features/session/RunRecord.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "common/Paths.hpp"

namespace larkspan {
namespace {

using runrecord::decide;
using runrecord::Start;

TEST(RunRecord, StartFollowsTheLastEndTheOptionAndTheSession) {
    const RunRecord clean;
    const RunRecord crashed = runrecord::started(clean);
    EXPECT_EQ(decide(clean, false, true), Start::Normal);
    EXPECT_EQ(decide(clean, true, true), Start::AutoRestore);
    EXPECT_EQ(decide(crashed, true, true), Start::OfferRestore);
    EXPECT_EQ(decide(crashed, false, true), Start::OfferRestore);
    EXPECT_EQ(decide(crashed, true, false), Start::Normal);
}

// A run that restores the session at `now` and crashes, after `last`.
RunRecord restoreAndCrash(const RunRecord& last, std::int64_t now) {
    return runrecord::restoreBegun(runrecord::started(last), now);
}

TEST(RunRecord, TwoCrashesWithinAMinuteOfARestoreStopRestoringAtOnce) {
    const RunRecord once = restoreAndCrash(RunRecord{}, 1000);
    const RunRecord onceThenClean = runrecord::endedCleanly(runrecord::started(once), 1100);
    EXPECT_EQ(decide(onceThenClean, true, true), Start::AutoRestore);

    const RunRecord twice = restoreAndCrash(once, 1200);
    const RunRecord twiceThenClean = runrecord::endedCleanly(runrecord::started(twice), 1300);
    EXPECT_EQ(decide(twiceThenClean, true, true), Start::OfferRestore);

    // A crash once the restore has lasted a minute is no crash of the restore.
    RunRecord lasted = runrecord::restoreBegun(runrecord::started(twice), 2000);
    lasted = runrecord::stillRunning(lasted, 2059);
    EXPECT_EQ(lasted.restoreCrashes, 2);
    lasted = runrecord::stillRunning(lasted, 2060);
    const RunRecord lastedThenClean = runrecord::endedCleanly(runrecord::started(lasted), 3000);
    EXPECT_EQ(decide(lastedThenClean, true, true), Start::AutoRestore);
}

TEST(RunRecord, GuardKeepsTheRecordInItsFileAndReadsAnUnreadableOneAsCleanEnd) {
    const auto file = paths::dataDir() / "run.dat";
    std::int64_t now = 5000;
    auto clock = [&now] { return now; };
    {
        std::ofstream(file) << "\xff\xfe garbage";
        RunGuard guard(file, clock);
        EXPECT_EQ(guard.begin(true, true), Start::AutoRestore);
        guard.restoreBegun();
    }
    {
        RunGuard guard(file, clock);
        EXPECT_EQ(guard.begin(true, true), Start::OfferRestore);
        EXPECT_EQ(guard.record().restoreCrashes, 1);
        guard.endedCleanly();
    }
    RunGuard guard(file, clock);
    EXPECT_EQ(guard.begin(true, true), Start::AutoRestore);
}

}  // namespace
}  // namespace larkspan
