// The program's files survive a writer killed at any moment: each holds one whole old or new
// content and the settings store still opens. Two writers at once lose nothing, and neither
// do deletions made while another instance appends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"
#include "crash/WriterFiles.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/history/HistoryList.hpp"
#include "features/popups/BlockedLog.hpp"
#include "features/visits/VisitStore.hpp"
#include "settings/SettingsStore.hpp"

extern char** environ;

namespace larkspan::crashwriter {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 200;
constexpr int kAppends = 150;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The number after `prefix` at the start of `text`; none when there is no digit.
bool numberAfter(const std::string& text, const std::string& prefix, std::uint64_t& n) {
    if (text.rfind(prefix, 0) != 0 || text.size() == prefix.size()) return false;
    std::size_t end = prefix.size();
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == prefix.size()) return false;
    n = std::stoull(text.substr(prefix.size(), end - prefix.size()));
    return true;
}

// A started writer: its process and the pipe ends the test holds.
struct Writer {
    pid_t pid = -1;
    int fromWriter = -1;  // the writer's stdout (cycle)
    int toWriter = -1;    // the writer's stdin (append)
};

Writer startWriter(const std::vector<std::string>& args, bool cycleMode) {
    int out[2] = {-1, -1};
    int in[2] = {-1, -1};
    EXPECT_EQ(::pipe2(cycleMode ? out : in, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (cycleMode) {
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    }
    std::vector<std::string> all{LARKSPAN_CRASH_WRITER};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    Writer w;
    EXPECT_EQ(::posix_spawn(&w.pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    if (cycleMode) {
        ::close(out[1]);
        w.fromWriter = out[0];
    } else {
        ::close(in[0]);
        w.toWriter = in[1];
    }
    return w;
}

// Waits (up to ten seconds) for the writer's byte saying its files are open.
bool waitReady(const Writer& w) {
    pollfd p{w.fromWriter, POLLIN, 0};
    char c = 0;
    return ::poll(&p, 1, 10000) == 1 && ::read(w.fromWriter, &c, 1) == 1 && c == 'R';
}

int waitExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

void checkHistory(const fs::path& file) {
    const std::string bytes = bytesOf(file);
    const auto lines = listfile::parseAddressLines(bytes);
    std::uint64_t g = 0;
    ASSERT_FALSE(lines.empty()) << file;
    ASSERT_TRUE(numberAfter(lines.front(), "https://e.example/", g)) << lines.front();
    EXPECT_TRUE(bytes == listfile::formatListFile(historyGeneration(g)))
        << file << " holds no whole generation (first line " << lines.front() << ", "
        << lines.size() << " lines)";
}

void checkFavorite(const fs::path& file) {
    const std::string bytes = bytesOf(file);
    const favorites::Favorite got = favorites::readFavorite(file);
    std::uint64_t g = 0;
    ASSERT_TRUE(numberAfter(got.title, "t", g)) << "title " << got.title;
    const favorites::Favorite expected = favoriteGeneration(g);
    EXPECT_TRUE(bytes ==
                listfile::formatListFile({"FOLDER=" + expected.folder, "TITLE=" + expected.title,
                                          "URL=" + expected.url}))
        << file << " is not whole generation " << g;
}

void checkBlockedLog(const fs::path& file) {
    const std::string bytes = bytesOf(file);
    const auto entries = listfile::parseListFile(bytes);
    EXPECT_TRUE(bytes == listfile::formatListFile(entries)) << file << " has a broken line";
    std::uint64_t last = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::uint64_t n = 0;
        ASSERT_TRUE(numberAfter(entries[i], "https://b.example/", n) &&
                    entries[i] == blockedEntry(n))
            << "entry " << i << ": " << entries[i];
        if (i > 0) {
            EXPECT_GT(n, last) << "entry " << i << " out of order or doubled";
        }
        last = n;
    }
}

// The visit database opens as it is, holds whole batches only, and its counts agree with its
// visits (each batch is one transaction).
void checkVisits(const fs::path& file) {
    visits::VisitStore store(file);
    ASSERT_TRUE(store.usable());
    EXPECT_TRUE(store.movedAside().empty()) << "the visit database was found unreadable";
    const std::size_t kept = store.visitCount();
    EXPECT_EQ(kept % kVisitBatch, 0u) << "a batch was written in part";
    // Every visit is listed with its address.
    EXPECT_EQ(store.visits("", kept + 1).size(), kept) << "a visit lost its address";
}

void checkStore(const fs::path& file) {
    SettingsStore store(file);
    EXPECT_TRUE(store.movedAside().empty()) << "the store was found corrupt";
    const std::string first = store.read(kSection, "k0", "");
    EXPECT_FALSE(first.empty());
    for (int k = 1; k < kBatchKeys; ++k) {
        EXPECT_EQ(store.read(kSection, "k" + std::to_string(k), ""), first)
            << "batch key k" << k << " is from another batch";
    }
    EXPECT_FALSE(store.read(kSection, "single", "").empty());
    // A store that opened after the crash takes writes again.
    EXPECT_TRUE(store.write(kSection, "after", first));
}

class WriterCrash : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = paths::dataDir() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    fs::path dir_;
};

TEST_F(WriterCrash, KilledWriterLeavesOldOrNewContentAndAnOpeningStore) {
    // The kill moments come from a fixed seed, so that a commit always runs the same
    // schedule; LARKSPAN_CRASH_SEED=<number> replays another, =random explores.
    std::uint64_t seed = 20261208;
    if (const char* given = std::getenv("LARKSPAN_CRASH_SEED")) {
        seed = std::string_view(given) == "random" ? std::random_device{}()
                                                   : std::strtoull(given, nullptr, 10);
    }
    std::cout << "crash seed " << seed << " (LARKSPAN_CRASH_SEED=" << seed << " replays it)"
              << std::endl;
    SCOPED_TRACE("crash seed " + std::to_string(seed));
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 8000);

    // Generation 0 of every file, so each exists before the first kill.
    ASSERT_TRUE(SaveListToFile(historyGeneration(0), dir_ / kHistory));
    popups::BlockedLog blocked(dir_ / kBlockedLog);
    ASSERT_TRUE(blocked.append(blockedEntry(0)));
    ASSERT_TRUE(favorites::writeFavorite(dir_ / kFavorite, favoriteGeneration(0)));
    {
        SettingsStore store(dir_ / kStore);
        ASSERT_TRUE(store.writeAll(batchGeneration(0)));
        ASSERT_TRUE(store.write(kSection, "single", "0"));
    }
    ASSERT_TRUE(visits::VisitStore(dir_ / kVisits).apply(visitBatch(0)));

    for (int run = 0; run < kKills && !HasFailure(); ++run) {
        SCOPED_TRACE("kill " + std::to_string(run));
        const std::uint64_t first = static_cast<std::uint64_t>(run + 1) * 1000000 + run % 4;
        Writer w = startWriter({"cycle", dir_.string(), std::to_string(first)}, true);
        ASSERT_GT(w.pid, 0);
        const bool ready = waitReady(w);
        // The kill falls at a random moment of the writer's work.
        if (ready) std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(w.pid, SIGKILL);
        const int status = waitExit(w.pid);
        ::close(w.fromWriter);
        ASSERT_TRUE(ready) << "the writer never opened its files";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

        checkHistory(dir_ / kHistory);
        checkFavorite(dir_ / kFavorite);
        checkBlockedLog(dir_ / kBlockedLog);
        checkStore(dir_ / kStore);
        checkVisits(dir_ / kVisits);
    }
    // Whatever temporary files the killed rewrites left are recognised as such and go.
    RemoveLeftoverRewrites(dir_, std::chrono::seconds(0));
    for (const fs::directory_entry& e : fs::directory_iterator(dir_)) {
        EXPECT_NE(e.path().filename().string().front(), '.') << e.path() << " was left behind";
    }
}

// Every line `name` appended is in `lines` exactly once, in the order it was appended.
void expectEveryAppend(const std::vector<std::string>& lines, const std::string& prefix,
                       const std::string& name) {
    int next = 0;
    for (const std::string& line : lines) {
        if (line.rfind(prefix + name + ":", 0) != 0) continue;
        EXPECT_EQ(line, prefix + name + ":" + std::to_string(next)) << "lost, doubled or reordered";
        ++next;
    }
    EXPECT_EQ(next, kAppends) << name << "'s lines under " << prefix;
}

TEST_F(WriterCrash, TwoWritersAtOnceLoseNothing) {
    Writer a = startWriter({"append", dir_.string(), "A", std::to_string(kAppends)}, false);
    Writer b = startWriter({"append", dir_.string(), "B", std::to_string(kAppends)}, false);
    ASSERT_GT(a.pid, 0);
    ASSERT_GT(b.pid, 0);
    // Both start together, once both are running.
    EXPECT_EQ(::write(a.toWriter, "g", 1), 1);
    EXPECT_EQ(::write(b.toWriter, "g", 1), 1);
    ::close(a.toWriter);
    ::close(b.toWriter);
    const int statusA = waitExit(a.pid);
    const int statusB = waitExit(b.pid);
    EXPECT_TRUE(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0) << "A: status " << statusA;
    EXPECT_TRUE(WIFEXITED(statusB) && WEXITSTATUS(statusB) == 0) << "B: status " << statusB;

    SettingsStore store(dir_ / kStore);
    EXPECT_TRUE(store.movedAside().empty());
    for (const std::string name : {"A", "B"}) {
        for (int i = 0; i < kAppends; ++i) {
            const std::string value = name + ":" + std::to_string(i);
            EXPECT_EQ(store.read(kSection, name + "/" + std::to_string(i), ""), value);
            if (i % 10 == 0) {
                EXPECT_EQ(store.read(kSection, name + "/batch" + std::to_string(i) + "a", ""),
                          value);
                EXPECT_EQ(store.read(kSection, name + "/batch" + std::to_string(i) + "b", ""),
                          value);
            }
        }
    }
    // The shared key holds the last value one of the two wrote last.
    const std::string shared = store.read(kSection, "shared", "");
    const std::string lastA = "A:" + std::to_string(kAppends - 1);
    const std::string lastB = "B:" + std::to_string(kAppends - 1);
    EXPECT_TRUE(shared == lastA || shared == lastB) << shared;

    for (const auto& [file, prefix] : std::map<std::string, std::string>{
             {kHistory, "https://h.example/"}, {kBlockedLog, "https://b.example/"}}) {
        SCOPED_TRACE(file);
        const std::string bytes = bytesOf(dir_ / file);
        const auto lines = listfile::parseAddressLines(bytes);
        EXPECT_TRUE(bytes == listfile::formatListFile(lines)) << "a line is broken";
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(2 * kAppends));
        expectEveryAppend(lines, prefix, "A");
        expectEveryAppend(lines, prefix, "B");
    }
}

TEST_F(WriterCrash, DeletingWhileAnotherInstanceAppendsLosesNothing) {
    const std::string seed = "https://s.example/";
    std::vector<std::string> seeds;
    for (int i = 0; i < 60; ++i) seeds.push_back(seed + std::to_string(i));
    ASSERT_TRUE(SaveListToFile(seeds, dir_ / kHistory));
    ASSERT_TRUE(SaveListToFile(seeds, dir_ / kBlockedLog));
    // The history window's list and the log window's, read before the other starts.
    HistoryList history(dir_ / kHistory);
    history.load();
    popups::BlockedLog blocked(dir_ / kBlockedLog);
    blocked.load();

    Writer a = startWriter({"append", dir_.string(), "A", std::to_string(kAppends)}, false);
    ASSERT_GT(a.pid, 0);
    EXPECT_EQ(::write(a.toWriter, "g", 1), 1);
    ::close(a.toWriter);
    auto firstSeed = [&seed](const std::vector<std::string>& list) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].rfind(seed, 0) == 0) return i;
        }
        return std::nullopt;
    };
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        if (auto at = firstSeed(history.entries())) {
            EXPECT_TRUE(history.remove(*at));
        }
        if (auto at = firstSeed(blocked.entries())) {
            EXPECT_TRUE(blocked.removeAt(*at));
        }
    }
    const int status = waitExit(a.pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;

    for (const auto& [file, prefix] : std::map<std::string, std::string>{
             {kHistory, "https://h.example/"}, {kBlockedLog, "https://b.example/"}}) {
        SCOPED_TRACE(file);
        const auto lines = listfile::parseAddressLines(bytesOf(dir_ / file));
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(kAppends))
            << "a seed stayed or a line was lost";
        expectEveryAppend(lines, prefix, "A");
    }
}

}  // namespace
}  // namespace larkspan::crashwriter
