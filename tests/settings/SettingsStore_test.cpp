#include "settings/SettingsStore.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/StoredValue.hpp"

namespace fs = std::filesystem;
using larkspan::SettingsStore;
using namespace std::string_literals;

namespace {

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

// Files in `dir` whose name starts with `prefix`.
std::vector<fs::path> filesStartingWith(const fs::path& dir, const std::string& prefix) {
    std::vector<fs::path> out;
    auto endsWith = [](const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    };
    for (const auto& e : fs::directory_iterator(dir)) {
        std::string name = e.path().filename().string();
        // SQLite's journal files moved along with a database are not counted apart.
        if (endsWith(name, "-wal") || endsWith(name, "-shm") || endsWith(name, "-journal"))
            continue;
        if (name.rfind(prefix, 0) == 0) out.push_back(e.path());
    }
    return out;
}

// Runs `body` in a forked child. The child reports through a pipe: an empty report is
// success, anything else is the failure message. The parent waits for the report (end of
// the pipe) with a time-out instead of for a fixed time.
class Child {
  public:
    explicit Child(std::function<std::string()> body, std::function<void()> beforeBody = {}) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            if (beforeBody) beforeBody();
            std::string report = body();
            if (!report.empty() && ::write(fds[1], report.data(), report.size()) < 0) _exit(3);
            _exit(report.empty() ? 0 : 1);
        }
        ::close(fds[1]);
        fd_ = fds[0];
    }
    ~Child() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) ::close(fd_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return pid_; }

    // The child's report, or a description of what went wrong with it.
    std::string finish(std::chrono::seconds timeout = std::chrono::seconds(60)) {
        if (pid_ <= 0) return "fork failed";
        std::string report;
        auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return "child timed out";
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char buf[512];
            ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) break;
            report.append(buf, static_cast<std::size_t>(n));
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        reaped_ = true;
        if (!WIFEXITED(status)) return "child died: " + report;
        if (WEXITSTATUS(status) != 0 && report.empty()) return "child failed";
        return report;
    }

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
    bool reaped_ = false;
};

// A one-way signal between processes: one side posts bytes, the other waits for them.
class Signal {
  public:
    Signal() {
        if (::pipe(fds_) != 0) fds_[0] = fds_[1] = -1;
    }
    ~Signal() {
        for (int fd : fds_)
            if (fd >= 0) ::close(fd);
    }
    void post() const {
        char c = 1;
        if (::write(fds_[1], &c, 1) != 1) _exit(4);
    }
    // Waits for `count` posts; false on time-out.
    bool wait(int count = 1, std::chrono::seconds timeout = std::chrono::seconds(30)) const {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (count > 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{fds_[0], POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
            char buf[64];
            ssize_t n = ::read(fds_[0], buf, std::min<ssize_t>(count, sizeof buf));
            if (n <= 0) return false;
            count -= static_cast<int>(n);
        }
        return true;
    }

  private:
    int fds_[2];
};

// A raw SQLite connection for looking at the file from outside the store.
class RawDb {
  public:
    explicit RawDb(const fs::path& file) { sqlite3_open(file.c_str(), &db_); }
    ~RawDb() { sqlite3_close(db_); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;
    int exec(const std::string& sql) {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    }
    std::string text(const std::string& sql) {
        sqlite3_stmt* st = nullptr;
        std::string out = "<error>";
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            auto p = sqlite3_column_text(st, 0);
            out = p ? reinterpret_cast<const char*>(p) : "";
        }
        sqlite3_finalize(st);
        return out;
    }

  private:
    sqlite3* db_ = nullptr;
};

// Drops root privileges in a child, so that file modes mean what they say.
void becomeNobody() {
    if (::geteuid() != 0) return;
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) _exit(5);
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "larkspan-store-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        // Traversable by others, so that a child without privileges can reach the store.
        ::chmod(dir_.c_str(), 0755);
        file_ = dir_ / "store" / "settings.db";
    }
    void TearDown() override {
        std::error_code ec;
        // Undo any protection a test put on the folder so that it can be removed.
        for (auto it = fs::recursive_directory_iterator(dir_, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            ::chmod(it->path().c_str(), it->is_directory() ? 0700 : 0600);
        fs::remove_all(dir_, ec);
    }

    fs::path dir_;
    fs::path file_;
};

}  // namespace

TEST_F(SettingsStoreTest, MissingKeyGivesDefaultEmptyValueIsNotMissing) {
    SettingsStore s(file_);
    EXPECT_EQ(s.read("Settings", "Homepage", "http://default/"), "http://default/");
    EXPECT_TRUE(s.write("ButtonColors", "FontColor", ""));
    EXPECT_EQ(s.read("ButtonColors", "FontColor", "0"), "");
    EXPECT_EQ(s.read("ButtonColors", "BackColor", "14215660"), "14215660");
    // A view of nothing at all is an empty value too, not an absent one.
    EXPECT_TRUE(s.write("Settings", "Nothing", std::string_view{}));
    EXPECT_EQ(s.read("Settings", "Nothing", "default"), "");

    SettingsStore again(file_);
    EXPECT_EQ(again.read("ButtonColors", "FontColor", "0"), "");
    EXPECT_EQ(again.read("Settings", "Homepage", "x"), "x");
    EXPECT_EQ(again.read("Settings", "Nothing", "default"), "");
    EXPECT_TRUE(again.movedAside().empty());
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToAsciiLetterCase) {
    {
        SettingsStore s(file_);
        EXPECT_TRUE(s.write("Settings", "PassLockBrowser", "1"));
        EXPECT_TRUE(s.write("Settings", "StatusBarVisible", "True"));
        EXPECT_TRUE(s.write("Settings", "StatusbarVisible", "False"));
        EXPECT_TRUE(s.write("buttoncolors", "FONTCOLOR", "255"));
        EXPECT_EQ(s.read("Settings", "PassLockbrowser", "0"), "1");
        EXPECT_EQ(s.read("Settings", "StatusBarVisible", "True"), "False");
    }
    SettingsStore s(file_);
    EXPECT_EQ(s.read("Settings", "PassLockbrowser", "0"), "1");
    EXPECT_EQ(s.read("SETTINGS", "passlockbrowser", "0"), "1");
    EXPECT_EQ(s.read("Settings", "STATUSBARVISIBLE", "True"), "False");
    EXPECT_EQ(s.read("ButtonColors", "FontColor", "0"), "255");
    // The application name matches the same way; another application is apart.
    EXPECT_EQ(s.readApp("LARKSPAN\\larkspan", "Settings", "PassLockBrowser", "0"), "1");
    EXPECT_EQ(s.readApp("Larkspan\\Other", "Settings", "PassLockBrowser", "0"), "0");
    EXPECT_EQ(s.readApp("Larkspan", "Settings", "PassLockBrowser", "0"), "0");
}

TEST_F(SettingsStoreTest, NonAsciiNamesMatchOnlyThemselves) {
    {
        SettingsStore s(file_);
        EXPECT_TRUE(s.write("Settings", "\xC4pfel", "latin1-upper"));
        EXPECT_TRUE(s.write("Settings", "\xE4pfel", "latin1-lower"));
        EXPECT_TRUE(s.write("Settings", "\xC3\x84PFEL", "utf8"));
        EXPECT_TRUE(s.write("Settings", "\xC3\xA4pfel", "utf8-lower"));
    }
    SettingsStore s(file_);
    EXPECT_EQ(s.read("Settings", "\xC4pfel", "-"), "latin1-upper");
    EXPECT_EQ(s.read("Settings", "\xE4PFEL", "-"), "latin1-lower");
    // Only the ASCII letters fold: "ÄPFEL" and "Äpfel" are one name, "äpfel" another.
    EXPECT_EQ(s.read("Settings", "\xC3\x84pfel", "-"), "utf8");
    EXPECT_EQ(s.read("Settings", "\xC3\xA4PFEL", "-"), "utf8-lower");
    EXPECT_EQ(s.read("Settings", "\xC3\xA5pfel", "-"), "-");
}

TEST_F(SettingsStoreTest, AnyBytesInNamesAndValuesComeBackExactly) {
    std::string allBytes;
    for (int c = 0; c < 256; ++c) allBytes.push_back(static_cast<char>(c));
    const std::string nulName1 = "a\0x"s, nulName2 = "a\0y"s;
    const std::string controls = "\x01\x02\x1F\r\n\t\x7F";
    const std::string oddSection = "Sec\0tion\xFF"s;
    {
        SettingsStore s(file_);
        EXPECT_TRUE(s.write("Settings", "all", allBytes));
        EXPECT_TRUE(s.write("Settings", nulName1, "one"));
        EXPECT_TRUE(s.write("Settings", nulName2, "two"));
        EXPECT_TRUE(s.write("Settings", controls, "\0"s));
        EXPECT_TRUE(s.write(oddSection, allBytes, controls));
        EXPECT_TRUE(s.write("Settings", "", "empty name"));
        EXPECT_EQ(s.read("Settings", "all", ""), allBytes);
    }
    SettingsStore s(file_);
    EXPECT_EQ(s.read("Settings", "all", ""), allBytes);
    EXPECT_EQ(s.read("Settings", nulName1, ""), "one");
    EXPECT_EQ(s.read("Settings", nulName2, ""), "two");
    EXPECT_EQ(s.read("Settings", "a"s, "none"), "none");
    EXPECT_EQ(s.read("Settings", controls, "x"), "\0"s);
    EXPECT_EQ(s.read(oddSection, allBytes, "x"), controls);
    EXPECT_EQ(s.read("Sec\0TION\xFF"s, allBytes, "x"), controls);
    EXPECT_EQ(s.read("Sec\0tion\xDF"s, allBytes, "x"), "x");
    EXPECT_EQ(s.read("Settings", "", "x"), "empty name");
}

TEST_F(SettingsStoreTest, ValuesAreOverwrittenNeverDuplicated) {
    {
        SettingsStore s(file_);
        for (int i = 0; i < 50; ++i)
            EXPECT_TRUE(s.write("Settings", i % 2 ? "Blocked#" : "BLOCKED#", std::to_string(i)));
        EXPECT_EQ(s.read("Settings", "blocked#", "0"), "49");
        EXPECT_TRUE(s.write("Settings", "Homepage", "http://a/"));
        EXPECT_TRUE(s.write("Settings", "Homepage", "http://b/"));
    }
    SettingsStore s(file_);
    EXPECT_EQ(s.read("Settings", "Blocked#", "0"), "49");
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "http://b/");
    RawDb raw(file_);
    EXPECT_EQ(raw.text("SELECT count(*) FROM settings"), "2");
}

TEST_F(SettingsStoreTest, ProgramApplicationNameIsOneNameWithABackslash) {
    SettingsStore s(file_);
    EXPECT_EQ(SettingsStore::kAppName, "Larkspan\\Larkspan");
    EXPECT_TRUE(s.write("Settings", "Homepage", "http://home/"));
    EXPECT_EQ(s.readApp("Larkspan\\Larkspan", "Settings", "Homepage", ""), "http://home/");
    EXPECT_TRUE(s.writeApp("Other", "Settings", "Homepage", "http://other/"));
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "http://home/");
    EXPECT_EQ(s.readApp("Other", "Settings", "Homepage", ""), "http://other/");
}

TEST_F(SettingsStoreTest, ValueFormsSurviveTheStore) {
    using namespace larkspan;
    {
        SettingsStore s(file_);
        EXPECT_TRUE(s.write("ButtonColors", "ProgramBackColor", stored::color(kSysButtonFace)));
        EXPECT_TRUE(s.write("Settings", "History", stored::tick(true)));
        EXPECT_TRUE(s.write("Settings", "MainWidth", stored::number(8685)));
        EXPECT_TRUE(s.write("Settings", "AddressFC", "abc"));
    }
    SettingsStore s(file_);
    EXPECT_EQ(s.read("ButtonColors", "ProgramBackColor", "0"), "-2147483633");
    EXPECT_EQ(stored::toColor(s.read("ButtonColors", "ProgramBackColor", "0")), kSysButtonFace);
    EXPECT_EQ(stored::toBool(s.read("Settings", "History", "False")), true);
    EXPECT_EQ(stored::toSingle(s.read("Settings", "MainWidth", "0")), 8685.0f);
    EXPECT_EQ(stored::toColor(s.read("Settings", "AddressFC", "0")), std::nullopt);
}

TEST_F(SettingsStoreTest, DefaultFileLivesInTheConfigFolderPrivately) {
    fs::path f = SettingsStore::defaultFile();
    EXPECT_EQ(f.filename(), "settings.db");
    EXPECT_EQ(f.parent_path().filename(), "larkspan");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg == '/') {
        EXPECT_EQ(f.parent_path().parent_path(), fs::path(xdg));
    }

    std::string saved = xdg != nullptr ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", (dir_ / "cfg").c_str(), 1);
    SettingsStore s(SettingsStore::defaultFile());
    if (saved.empty())
        ::unsetenv("XDG_CONFIG_HOME");
    else
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    EXPECT_EQ(s.file(), dir_ / "cfg" / "larkspan" / "settings.db");
    EXPECT_TRUE(s.write("Settings", "Homepage", "x"));
    struct stat st {};
    ASSERT_EQ(::stat((dir_ / "cfg" / "larkspan").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(s.file().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // The journal files SQLite keeps beside an open database are as private.
    for (const char* suffix : {"-wal", "-shm"}) {
        fs::path companion = s.file().string() + suffix;
        ASSERT_EQ(::stat(companion.c_str(), &st), 0) << suffix;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << suffix;
    }
}

TEST_F(SettingsStoreTest, ExistingStoreOpenToOthersIsMadePrivate) {
    fs::create_directories(file_.parent_path());
    { SettingsStore s(file_); }
    ::chmod(file_.c_str(), 0644);
    SettingsStore s(file_);
    struct stat st {};
    ASSERT_EQ(::stat(file_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SettingsStoreTest, AnotherConnectionsWriteIsSeenAtTheNextRead) {
    SettingsStore a(file_);
    SettingsStore b(file_);
    EXPECT_EQ(a.read("Settings", "Homepage", "def"), "def");
    EXPECT_TRUE(b.write("Settings", "Homepage", "http://b/"));
    EXPECT_EQ(a.read("Settings", "HOMEPAGE", "def"), "http://b/");
    EXPECT_TRUE(a.write("Settings", "Homepage", "http://a/"));
    EXPECT_EQ(b.read("Settings", "Homepage", "def"), "http://a/");
    EXPECT_TRUE(b.write("Settings", "Homepage", "http://b2/"));
    EXPECT_EQ(a.read("Settings", "Homepage", "def"), "http://b2/");

    // A write from outside the program's own code is seen as well.
    RawDb raw(file_);
    ASSERT_EQ(raw.exec("UPDATE settings SET value = CAST('raw' AS BLOB)"), SQLITE_OK);
    EXPECT_EQ(a.read("Settings", "Homepage", "def"), "raw");
    EXPECT_EQ(b.read("Settings", "Homepage", "def"), "raw");
}

TEST_F(SettingsStoreTest, TwoStoresInOneProcessInterleavingLoseNothing) {
    SettingsStore a(file_);
    SettingsStore b(file_);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(a.write("Settings", "a" + std::to_string(i), std::to_string(i)));
        ASSERT_TRUE(b.write("Settings", "b" + std::to_string(i), std::to_string(-i)));
    }
    SettingsStore c(file_);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(c.read("Settings", "a" + std::to_string(i), "-"), std::to_string(i));
        EXPECT_EQ(c.read("Settings", "B" + std::to_string(i), "-"), std::to_string(-i));
        EXPECT_EQ(a.read("Settings", "b" + std::to_string(i), "-"), std::to_string(-i));
        EXPECT_EQ(b.read("Settings", "A" + std::to_string(i), "-"), std::to_string(i));
    }
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 300;
    fs::create_directories(file_.parent_path());
    { SettingsStore init(file_); }  // no connection may be open across fork()

    Signal ready, go;
    auto writer = [&](std::string prefix) {
        return [&, prefix]() -> std::string {
            SettingsStore s(file_);
            ready.post();
            if (!go.wait()) return "no start signal";
            for (int i = 0; i < kWrites; ++i) {
                std::string key = prefix + std::to_string(i);
                if (!s.write("Settings", key, key + "-value")) return "write failed: " + key;
                // Both also overwrite one shared key; it must always hold a whole value.
                if (!s.write("Settings", "Shared", prefix + std::string(1000, 'x')))
                    return "shared write failed";
                std::string shared = s.read("Settings", "shared", "");
                if (shared.size() != 1001) return "torn shared value";
            }
            return "";
        };
    };
    Child one(writer("p"));
    Child two(writer("q"));
    ASSERT_TRUE(ready.wait(2));
    go.post();
    go.post();
    EXPECT_EQ(one.finish(), "");
    EXPECT_EQ(two.finish(), "");

    SettingsStore s(file_);
    for (int i = 0; i < kWrites; ++i) {
        for (const char* prefix : {"p", "q"}) {
            std::string key = prefix + std::to_string(i);
            EXPECT_EQ(s.read("Settings", key, "missing"), key + "-value");
        }
    }
    std::string shared = s.read("Settings", "Shared", "");
    EXPECT_TRUE(shared == "p" + std::string(1000, 'x') || shared == "q" + std::string(1000, 'x'));
    EXPECT_TRUE(s.movedAside().empty());
}

TEST_F(SettingsStoreTest, WriteWaitsForAnotherInstancesTransaction) {
    SettingsStore s(file_);
    ASSERT_TRUE(s.write("Settings", "Homepage", "old"));

    std::mutex m;
    std::condition_variable cv;
    bool locked = false, writing = false;
    std::thread other([&] {
        RawDb raw(file_);
        raw.exec("BEGIN IMMEDIATE");
        {
            std::lock_guard lock(m);
            locked = true;
        }
        cv.notify_all();
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return writing; });
        lock.unlock();
        raw.exec("COMMIT");
    });
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return locked; });
        writing = true;
    }
    cv.notify_all();
    EXPECT_TRUE(s.write("Settings", "Homepage", "new"));
    other.join();
    SettingsStore again(file_);
    EXPECT_EQ(again.read("Settings", "Homepage", ""), "new");
}

TEST_F(SettingsStoreTest, WriteBlockedBeyondTheTimeoutFailsQuietly) {
    SettingsStore s(file_);
    ASSERT_TRUE(s.write("Settings", "Homepage", "old"));
    RawDb raw(file_);
    ASSERT_EQ(raw.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    EXPECT_FALSE(s.write("Settings", "Homepage", "new"));
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "old");
    raw.exec("ROLLBACK");
    EXPECT_TRUE(s.write("Settings", "Homepage", "new"));
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "new");
}

TEST_F(SettingsStoreTest, CrashInsideAnUncommittedTransactionKeepsTheOldValue) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "old"));
    }
    Child crasher([&]() -> std::string {
        RawDb raw(file_);
        if (raw.exec("BEGIN IMMEDIATE") != SQLITE_OK) return "begin failed";
        if (raw.exec("UPDATE settings SET value = zeroblob(100000)") != SQLITE_OK)
            return "update failed";
        _exit(0);  // dies holding the transaction, nothing committed, nothing cleaned up
    });
    EXPECT_EQ(crasher.finish(), "");
    SettingsStore s(file_);
    EXPECT_TRUE(s.movedAside().empty());
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "old");
    EXPECT_TRUE(s.write("Settings", "Homepage", "after"));
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "after");
}

TEST_F(SettingsStoreTest, KilledWhileWritingLeavesOldOrNewNeverTorn) {
    fs::create_directories(file_.parent_path());
    const std::string a(512 * 1024, 'A'), b(512 * 1024, 'B');
    for (int round = 0; round < 3; ++round) {
        {
            SettingsStore s(file_);
            ASSERT_TRUE(s.write("Settings", "Big", a));
        }
        Signal progress;
        Child writer([&]() -> std::string {
            SettingsStore s(file_);
            for (int i = 0;; ++i) {
                s.write("Settings", "Big", i % 2 ? a : b);
                s.write("Settings", "Counter", std::to_string(i));
                progress.post();
            }
        });
        ASSERT_TRUE(progress.wait(3 + round * 4));
        ::kill(writer.pid(), SIGKILL);
        EXPECT_NE(writer.finish(), "");  // it died by the signal

        SettingsStore s(file_);
        EXPECT_TRUE(s.movedAside().empty());
        std::string big = s.read("Settings", "Big", "");
        EXPECT_TRUE(big == a || big == b) << "torn value of " << big.size() << " bytes";
        EXPECT_TRUE(larkspan::stored::toInt32(s.read("Settings", "Counter", "0")).has_value());
        RawDb raw(file_);
        EXPECT_EQ(raw.text("PRAGMA integrity_check"), "ok");
    }
}

TEST_F(SettingsStoreTest, GarbageFileIsMovedAsideAndAFreshStoreMade) {
    fs::create_directories(file_.parent_path());
    const std::string garbage = randomBytes(8192, 7);
    writeFile(file_, garbage);
    {
        SettingsStore s(file_);
        EXPECT_EQ(s.read("Settings", "Homepage", "default"), "default");
        ASSERT_FALSE(s.movedAside().empty());
        EXPECT_EQ(s.movedAside().parent_path(), file_.parent_path());
        EXPECT_EQ(s.movedAside().filename().string().rfind("settings.db.corrupt-", 0), 0u);
        EXPECT_TRUE(readFile(s.movedAside()) == garbage);
        EXPECT_TRUE(s.write("Settings", "Homepage", "fresh"));
        EXPECT_EQ(s.read("Settings", "Homepage", "default"), "fresh");
    }
    SettingsStore s(file_);
    EXPECT_TRUE(s.movedAside().empty());
    EXPECT_EQ(s.read("Settings", "Homepage", "default"), "fresh");
    EXPECT_EQ(filesStartingWith(file_.parent_path(), "settings.db.corrupt-").size(), 1u);
}

TEST_F(SettingsStoreTest, TruncatedStoreIsMovedAside) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        for (int i = 0; i < 400; ++i)
            ASSERT_TRUE(s.write("Settings", "k" + std::to_string(i), std::string(100, 'v')));
    }
    auto size = fs::file_size(file_);
    ASSERT_GT(size, 16384u);
    fs::resize_file(file_, size / 2);
    const std::string truncated = readFile(file_);

    SettingsStore s(file_);
    ASSERT_FALSE(s.movedAside().empty());
    EXPECT_TRUE(readFile(s.movedAside()) == truncated);
    EXPECT_EQ(s.read("Settings", "k1", "default"), "default");
    EXPECT_TRUE(s.write("Settings", "k1", "again"));
    EXPECT_EQ(s.read("Settings", "k1", "default"), "again");
}

TEST_F(SettingsStoreTest, JournalOfABadFileGoesAsideWithIt) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "checkpointed"));
    }
    // A killed instance leaves committed changes in the write-ahead log beside the file.
    Signal written;
    Child writer([&]() -> std::string {
        SettingsStore s(file_);
        for (int i = 0; i < 20; ++i) s.write("Settings", "k" + std::to_string(i), "in the log");
        written.post();
        for (;;) ::pause();
    });
    ASSERT_TRUE(written.wait());
    ::kill(writer.pid(), SIGKILL);
    writer.finish();
    const fs::path wal = file_.string() + "-wal";
    ASSERT_TRUE(fs::exists(wal));
    const std::string log = readFile(wal);
    ASSERT_FALSE(log.empty());
    const std::string garbage = randomBytes(4096, 3);
    writeFile(file_, garbage);

    SettingsStore s(file_);
    ASSERT_FALSE(s.movedAside().empty());
    // Both moved as found: nothing of the log was copied into the bad file.
    EXPECT_TRUE(readFile(s.movedAside()) == garbage);
    EXPECT_TRUE(readFile(s.movedAside().string() + "-wal") == log);
    // The fresh store must not take up the old log's pages.
    EXPECT_EQ(s.read("Settings", "k1", "default"), "default");
    EXPECT_TRUE(s.write("Settings", "k1", "fresh"));
    SettingsStore again(file_);
    EXPECT_EQ(again.read("Settings", "k1", "default"), "fresh");
    EXPECT_EQ(again.read("Settings", "k2", "default"), "default");
    RawDb raw(file_);
    EXPECT_EQ(raw.text("PRAGMA integrity_check"), "ok");
}

TEST_F(SettingsStoreTest, StoreThatGoesBadWhileRunningKeepsWhatItKnew) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "stored"));
        ASSERT_TRUE(s.write("Settings", "Blocked#", "3"));
    }
    SettingsStore s(file_);
    ASSERT_EQ(s.read("Settings", "Homepage", ""), "stored");
    {
        // The page that holds the values is destroyed on disk...
        int fd = ::open(file_.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        const std::string ruin(4096, '\xFF');
        ASSERT_EQ(::pwrite(fd, ruin.data(), ruin.size(), 4096), 4096);
        ::close(fd);
        // ...and another instance commits a change, so the store looks at the file again.
        RawDb other(file_);
        ASSERT_EQ(other.exec("CREATE TABLE other (x)"), SQLITE_OK);
    }
    EXPECT_EQ(s.read("Settings", "Homepage", ""), "stored");
    ASSERT_FALSE(s.movedAside().empty());
    EXPECT_TRUE(s.write("Settings", "Blocked#", "4"));

    SettingsStore again(file_);
    EXPECT_TRUE(again.movedAside().empty());
    EXPECT_EQ(again.read("Settings", "Homepage", ""), "stored");
    EXPECT_EQ(again.read("Settings", "Blocked#", ""), "4");
}

TEST_F(SettingsStoreTest, EachBadFileGetsItsOwnAsideName) {
    fs::create_directories(file_.parent_path());
    std::vector<std::string> garbages;
    for (unsigned i = 0; i < 3; ++i) {
        garbages.push_back(randomBytes(1000 + i, i));
        writeFile(file_, garbages.back());
        SettingsStore s(file_);
        EXPECT_FALSE(s.movedAside().empty());
    }
    auto aside = filesStartingWith(file_.parent_path(), "settings.db.corrupt-");
    ASSERT_EQ(aside.size(), 3u);
    std::vector<std::string> contents;
    for (const auto& p : aside) contents.push_back(readFile(p));
    for (const auto& g : garbages)
        EXPECT_NE(std::find(contents.begin(), contents.end(), g), contents.end());
}

TEST_F(SettingsStoreTest, FolderInPlaceOfTheFileIsMovedAside) {
    fs::create_directories(file_);
    writeFile(file_ / "inside.txt", "keep me");
    SettingsStore s(file_);
    ASSERT_FALSE(s.movedAside().empty());
    EXPECT_EQ(readFile(s.movedAside() / "inside.txt"), "keep me");
    EXPECT_EQ(s.read("Settings", "Homepage", "default"), "default");
    EXPECT_TRUE(s.write("Settings", "Homepage", "fresh"));
    EXPECT_TRUE(fs::is_regular_file(file_));
}

TEST_F(SettingsStoreTest, UnreadableFileIsMovedAside) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "stored"));
    }
    ::chmod(file_.c_str(), 0000);
    // The folder belongs to the unprivileged user, the file stays the original owner's.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(file_.parent_path().c_str(), 65534, 65534), 0);
    }
    Child child(
        [&]() -> std::string {
            SettingsStore s(file_);
            if (s.movedAside().empty()) return "not moved aside";
            if (s.read("Settings", "Homepage", "default") != "default") return "not default";
            if (!s.write("Settings", "Homepage", "fresh")) return "fresh store not writable";
            if (s.read("Settings", "Homepage", "default") != "fresh") return "write not read";
            return "";
        },
        becomeNobody);
    EXPECT_EQ(child.finish(), "");
    auto aside = filesStartingWith(file_.parent_path(), "settings.db.corrupt-");
    ASSERT_EQ(aside.size(), 1u);
    ::chmod(aside[0].c_str(), 0600);
    SettingsStore old(aside[0]);
    EXPECT_EQ(old.read("Settings", "Homepage", ""), "stored");
}

TEST_F(SettingsStoreTest, ReadOnlyStoreReadsOnAndRefusesWrites) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "stored"));
        ASSERT_TRUE(s.write("Settings", "Blocked#", "12"));
    }
    const std::string before = readFile(file_);
    ::chmod(file_.c_str(), 0444);
    ::chmod(file_.parent_path().c_str(), 0555);
    Child child(
        [&]() -> std::string {
            SettingsStore s(file_);
            if (s.read("Settings", "Homepage", "default") != "stored") return "stored value lost";
            if (s.write("Settings", "Homepage", "new")) return "write reported success";
            if (s.read("Settings", "Homepage", "default") != "stored") return "value changed";
            if (s.read("Settings", "blocked#", "0") != "12") return "second value lost";
            if (!s.movedAside().empty()) return "moved aside";
            return "";
        },
        becomeNobody);
    EXPECT_EQ(child.finish(), "");
    EXPECT_TRUE(readFile(file_) == before);
}

TEST_F(SettingsStoreTest, WritableFileInReadOnlyFolderStillReads) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "stored"));
    }
    // SQLite cannot put its journal files beside the database here.
    ::chmod(file_.c_str(), 0666);
    ::chmod(file_.parent_path().c_str(), 0555);
    Child child(
        [&]() -> std::string {
            SettingsStore s(file_);
            if (s.read("Settings", "Homepage", "default") != "stored") return "stored value lost";
            if (s.write("Settings", "Homepage", "new")) return "write reported success";
            if (s.read("Settings", "Homepage", "default") != "stored") return "value changed";
            if (!s.movedAside().empty()) return "moved aside";
            return "";
        },
        becomeNobody);
    EXPECT_EQ(child.finish(), "");
}

TEST_F(SettingsStoreTest, UnusableFolderGivesDefaultsAndFailedWrites) {
    fs::create_directories(file_.parent_path());
    ::chmod(file_.parent_path().c_str(), 0555);
    Child child(
        [&]() -> std::string {
            SettingsStore s(file_);
            if (s.read("Settings", "Homepage", "default") != "default") return "not default";
            if (s.write("Settings", "Homepage", "new")) return "write reported success";
            if (s.read("Settings", "Homepage", "default") != "default") return "phantom value";
            return "";
        },
        becomeNobody);
    EXPECT_EQ(child.finish(), "");
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(SettingsStoreTest, AnotherProgramsDatabaseIsLeftAlone) {
    fs::create_directories(file_.parent_path());
    // Unmarked, or with a mark this program never sets (a negative one once passed for an
    // older store of its own and got the table added).
    for (const char* mark : {"0", "-1"}) {
        SCOPED_TRACE(mark);
        fs::remove(file_);
        {
            RawDb raw(file_);
            ASSERT_EQ(raw.exec("CREATE TABLE settings (x INTEGER); INSERT INTO settings VALUES (1);"
                               "PRAGMA user_version = " +
                               std::string(mark)),
                      SQLITE_OK);
        }
        const std::string before = readFile(file_);
        {
            SettingsStore s(file_);
            EXPECT_TRUE(s.movedAside().empty());
            EXPECT_EQ(s.read("Settings", "Homepage", "default"), "default");
            EXPECT_FALSE(s.write("Settings", "Homepage", "new"));
        }
        EXPECT_TRUE(readFile(file_) == before);
    }
}

TEST_F(SettingsStoreTest, DamagedEmptyDatabaseIsMovedAsideUntouched) {
    // Another program's database, cut short: its first page lists no tables, so it passes
    // for an empty database, but it is damaged. It must be moved aside as it was found, never
    // after the store has begun to make it its own.
    const std::string damaged =
        readFile(fs::path(LARKSPAN_FUZZ_CORPUS) / "settings_store_fuzz" /
                 "foreign-truncated-empty-database")
            .substr(1);  // the fuzz target's first byte picks the whole-file branch
    ASSERT_GT(damaged.size(), 512u);
    fs::create_directories(file_.parent_path());
    writeFile(file_, damaged);
    SettingsStore s(file_);
    ASSERT_FALSE(s.movedAside().empty());
    EXPECT_TRUE(readFile(s.movedAside()) == damaged);
    EXPECT_TRUE(s.write("Settings", "Homepage", "fresh"));
    EXPECT_EQ(s.read("Settings", "Homepage", "default"), "fresh");
}

TEST_F(SettingsStoreTest, NewerStoreFormatIsReadButNotWritten) {
    fs::create_directories(file_.parent_path());
    {
        SettingsStore s(file_);
        ASSERT_TRUE(s.write("Settings", "Homepage", "stored"));
    }
    {
        RawDb raw(file_);
        ASSERT_EQ(raw.exec("PRAGMA user_version = 99"), SQLITE_OK);
    }
    SettingsStore s(file_);
    EXPECT_EQ(s.read("Settings", "Homepage", "default"), "stored");
    EXPECT_FALSE(s.write("Settings", "Homepage", "new"));
    EXPECT_TRUE(s.movedAside().empty());
    RawDb raw(file_);
    EXPECT_EQ(raw.text("PRAGMA user_version"), "99");
}

namespace larkspan {

TEST_F(SettingsStoreTest, BatchIsStoredWhollyOrNotAtAll) {
    SettingsStore s(file_);
    SettingsStore other(file_);
    ASSERT_TRUE(s.write("Settings", "Kept", "old"));
    // A key the database refuses makes the batch fail halfway through.
    RawDb raw(file_);
    ASSERT_EQ(raw.exec("CREATE TRIGGER refuse BEFORE INSERT ON settings "
                       "WHEN CAST(NEW.name AS TEXT) = 'Refused' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"),
              SQLITE_OK);
    std::vector<SettingsStore::Entry> batch{{"Settings", "Kept", "new"},
                                            {"ButtonColors", "First", "1"},
                                            {"Settings", "Refused", "x"},
                                            {"Settings", "Last", "2"}};
    EXPECT_FALSE(s.writeAll(batch));
    for (const SettingsStore* store : {&s, &other}) {
        EXPECT_EQ(store->read("Settings", "Kept", "-"), "old");
        EXPECT_EQ(store->read("ButtonColors", "First", "-"), "-");
        EXPECT_EQ(store->read("Settings", "Last", "-"), "-");
    }

    ASSERT_EQ(raw.exec("DROP TRIGGER refuse"), SQLITE_OK);
    EXPECT_TRUE(s.writeAll(batch));
    for (const SettingsStore* store : {&s, &other}) {
        EXPECT_EQ(store->read("Settings", "kept", "-"), "new");
        EXPECT_EQ(store->read("ButtonColors", "First", "-"), "1");
        EXPECT_EQ(store->read("Settings", "Refused", "-"), "x");
        EXPECT_EQ(store->read("Settings", "Last", "-"), "2");
    }
}

}  // namespace larkspan
