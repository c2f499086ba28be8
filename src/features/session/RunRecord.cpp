#include "features/session/RunRecord.hpp"

#include <glib.h>
#include <glibmm/main.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"

namespace larkspan {

namespace runrecord {

namespace {

constexpr const char* kGroup = "Run";
constexpr const char* kRunning = "Running";
constexpr const char* kRestoreBegan = "RestoreBegan";
constexpr const char* kRestoreCrashes = "RestoreCrashes";
// More crashes than this tell nothing more.
constexpr int kMaxCrashes = 100;
// A start decides against restoring at once from this many crashed restores on.
constexpr int kCrashesThatStopRestoring = 2;

// The crashes counted once the last run's end is known: one more when it crashed while its
// restore was still on trial.
int crashesAfter(const RunRecord& last) {
    const bool crashedOnTrial = last.running && last.restoreBegan != 0;
    return std::min(last.restoreCrashes + (crashedOnTrial ? 1 : 0), kMaxCrashes);
}

}  // namespace

Start decide(const RunRecord& last, bool restoreOption, bool haveSession) {
    if (!haveSession) return Start::Normal;
    if (last.running) return Start::OfferRestore;
    if (!restoreOption) return Start::Normal;
    return crashesAfter(last) >= kCrashesThatStopRestoring ? Start::OfferRestore
                                                           : Start::AutoRestore;
}

RunRecord started(const RunRecord& last) {
    return RunRecord{true, 0, crashesAfter(last)};
}

RunRecord restoreBegun(RunRecord record, std::int64_t now) {
    record.restoreBegan = std::max<std::int64_t>(now, 1);
    return record;
}

RunRecord stillRunning(RunRecord record, std::int64_t now) {
    if (record.restoreBegan != 0 && now - record.restoreBegan >= kRestoreTrialSeconds) {
        record.restoreBegan = 0;
        record.restoreCrashes = 0;
    }
    return record;
}

RunRecord endedCleanly(RunRecord record, std::int64_t now) {
    record = stillRunning(record, now);
    record.running = false;
    record.restoreBegan = 0;
    return record;
}

std::string encode(const RunRecord& record) {
    GKeyFile* file = g_key_file_new();
    g_key_file_set_boolean(file, kGroup, kRunning, record.running);
    g_key_file_set_int64(file, kGroup, kRestoreBegan, record.restoreBegan);
    g_key_file_set_integer(file, kGroup, kRestoreCrashes, record.restoreCrashes);
    gsize length = 0;
    gchar* data = g_key_file_to_data(file, &length, nullptr);
    std::string text(data, length);
    g_free(data);
    g_key_file_free(file);
    return text;
}

std::optional<RunRecord> decode(std::string_view bytes) {
    GKeyFile* file = g_key_file_new();
    GError* error = nullptr;
    std::optional<RunRecord> record;
    if (g_key_file_load_from_data(file, bytes.data(), bytes.size(), G_KEY_FILE_NONE, &error)) {
        RunRecord read;
        read.running = g_key_file_get_boolean(file, kGroup, kRunning, &error);
        if (error == nullptr)
            read.restoreBegan = g_key_file_get_int64(file, kGroup, kRestoreBegan, &error);
        if (error == nullptr) {
            read.restoreCrashes = std::clamp(
                g_key_file_get_integer(file, kGroup, kRestoreCrashes, &error), 0, kMaxCrashes);
        }
        if (error == nullptr) record = read;
    }
    g_clear_error(&error);
    g_key_file_free(file);
    return record;
}

std::filesystem::path runRecordPath() {
    return paths::dataDir() / "run.dat";
}

}  // namespace runrecord

RunGuard::RunGuard()
    : RunGuard(runrecord::runRecordPath(), [] { return g_get_real_time() / G_USEC_PER_SEC; }) {}

RunGuard::RunGuard(std::filesystem::path file, Clock clock)
    : file_(std::move(file)), clock_(std::move(clock)) {}

RunGuard::~RunGuard() {
    trial_.disconnect();
}

runrecord::Start RunGuard::begin(bool restoreOption, bool haveSession) {
    RunRecord last;
    std::ifstream in(file_, std::ios::binary);
    if (in) {
        // The record is a few lines; anything much longer is no record.
        std::string bytes(4096, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        last = runrecord::decode(bytes).value_or(RunRecord{});
    }
    record_ = runrecord::started(last);
    store();
    return runrecord::decide(last, restoreOption, haveSession);
}

void RunGuard::restoreBegun() {
    record_ = runrecord::restoreBegun(record_, clock_());
    store();
    trial_.disconnect();
    // A second late, so that the clock has surely moved the whole trial on.
    trial_ = Glib::signal_timeout().connect_seconds(
        [this] {
            stillRunning();
            return false;
        },
        static_cast<unsigned>(runrecord::kRestoreTrialSeconds + 1));
}

void RunGuard::stillRunning() {
    const RunRecord now = runrecord::stillRunning(record_, clock_());
    if (now == record_) return;
    record_ = now;
    store();
}

void RunGuard::endedCleanly() {
    trial_.disconnect();
    record_ = runrecord::endedCleanly(record_, clock_());
    store();
}

void RunGuard::store() {
    if (paths::ensureDir(file_.parent_path()))
        replaceFileAtomically(file_, runrecord::encode(record_));
}

}  // namespace larkspan
