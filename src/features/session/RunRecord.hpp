#pragma once

// The crash-loop guard. A small file in the data folder, "run.dat", records whether the
// program is running (a run that began and has not ended cleanly) and whether a restored
// session has yet to prove itself by lasting a minute. From it each start decides whether to
// restore the last session at once, to offer to restore it, or neither; a session whose
// restore ended in a crash twice within its first minute is never restored at once again,
// so a page that crashes the program cannot trap the user in a loop.

#include <sigc++/sigc++.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace larkspan {

struct RunRecord {
    // A run began and has not ended cleanly.
    bool running = false;
    // When the running run began to restore a session (seconds since the epoch), while the
    // restore is younger than a minute; 0 otherwise.
    std::int64_t restoreBegan = 0;
    // Runs that ended uncleanly within a minute of a restore, since a restore last lasted.
    int restoreCrashes = 0;

    bool operator==(const RunRecord&) const = default;
};

namespace runrecord {

// How long a restored session has to last to count as safe, in seconds.
inline constexpr std::int64_t kRestoreTrialSeconds = 60;

enum class Start {
    Normal,        // the home page
    OfferRestore,  // the home page, and the bar that offers to restore the last session
    AutoRestore,   // the last session, restored at once
};

// What a start does, given the last run's record, the option "Restore the last session"
// and whether a session is there to restore.
Start decide(const RunRecord& last, bool restoreOption, bool haveSession);

// The record through a run: as it begins (after `last`), when a restore begins, when the
// run is still going (a restore that has lasted the trial is safe) and when it ends cleanly.
RunRecord started(const RunRecord& last);
RunRecord restoreBegun(RunRecord record, std::int64_t now);
RunRecord stillRunning(RunRecord record, std::int64_t now);
RunRecord endedCleanly(RunRecord record, std::int64_t now);

std::string encode(const RunRecord& record);
// Nothing when the bytes are not a record.
std::optional<RunRecord> decode(std::string_view bytes);

std::filesystem::path runRecordPath();

}  // namespace runrecord

// The record of the running program, kept in its file as the run goes.
class RunGuard {
  public:
    // Seconds since the epoch.
    using Clock = std::function<std::int64_t()>;

    // The program's guard: "run.dat" in the data folder, the system's clock.
    RunGuard();
    RunGuard(std::filesystem::path file, Clock clock);
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    // Reads the last run's record (a missing or unreadable one counts as a clean end),
    // marks this run as begun and tells what the start does.
    runrecord::Start begin(bool restoreOption, bool haveSession);
    // A restore of the last session begins now (at once, or from the bar). The guard looks
    // again once the trial time has passed, on the main loop.
    void restoreBegun();
    // The run is still going: a restore that has lasted the trial is safe from now on.
    void stillRunning();
    // The run ends cleanly.
    void endedCleanly();

    const RunRecord& record() const { return record_; }

  private:
    void store();

    std::filesystem::path file_;
    Clock clock_;
    RunRecord record_;
    sigc::connection trial_;
};

}  // namespace larkspan
