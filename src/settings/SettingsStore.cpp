#include "settings/SettingsStore.hpp"

#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/Failure.hpp"
#include "common/Paths.hpp"

namespace larkspan {

namespace fs = std::filesystem;

namespace {

// The table holds each name twice: folded (ASCII letters in lower case) for matching, and
// as first written. Names and values are BLOBs so that every byte, NUL included, survives;
// SQLite's own NOCASE collation stops comparing at a NUL and would merge distinct names.
constexpr const char* kCreateSql =
    "CREATE TABLE IF NOT EXISTS settings ("
    " app_key BLOB NOT NULL, section_key BLOB NOT NULL, name_key BLOB NOT NULL,"
    " app BLOB NOT NULL, section BLOB NOT NULL, name BLOB NOT NULL, value BLOB NOT NULL,"
    " PRIMARY KEY (app_key, section_key, name_key)) WITHOUT ROWID;"
    "PRAGMA user_version = 1;";
constexpr int kSchemaVersion = 1;
constexpr const char* kSelectAllSql = "SELECT app_key, section_key, name_key, value FROM settings";
constexpr const char* kUpsertSql =
    "INSERT INTO settings (app_key, section_key, name_key, app, section, name, value)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"
    " ON CONFLICT (app_key, section_key, name_key) DO UPDATE SET value = excluded.value";
constexpr int kBusyTimeoutMs = 2000;

// Case folding of names: ASCII letters only. Bytes 128 to 255 match only themselves, whatever
// encoding they belong to, so no two distinct non-ASCII names are ever merged.
char foldByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string fold(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = foldByte(c);
    return out;
}

// The cache key of (app, section, key): each folded part behind its length, so that no
// byte inside a name can be mistaken for a separator.
void appendPart(std::string& out, std::string_view part) {
    auto n = static_cast<std::uint32_t>(part.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    std::size_t start = out.size();
    out.append(part);
    for (std::size_t i = start; i < out.size(); ++i) out[i] = foldByte(out[i]);
}

void makeCacheKey(std::string& out, std::string_view app, std::string_view section,
                  std::string_view key) {
    out.clear();
    appendPart(out, app);
    appendPart(out, section);
    appendPart(out, key);
}

std::string_view columnBytes(sqlite3_stmt* st, int col) {
    const void* p = sqlite3_column_blob(st, col);
    int n = sqlite3_column_bytes(st, col);
    if (p == nullptr || n <= 0) return {};
    return {static_cast<const char*>(p), static_cast<std::size_t>(n)};
}

int bindBytes(sqlite3_stmt* st, int idx, std::string_view v) {
    // A null pointer would bind SQL NULL; an empty value must stay an empty BLOB.
    const char* p = v.empty() ? "" : v.data();
    return sqlite3_bind_blob64(st, idx, p, v.size(), SQLITE_STATIC);
}

bool isCorrupt(int rc) {
    int primary = rc & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool isAccessProblem(int rc) {
    int primary = rc & 0xFF;
    return primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_PERM ||
           primary == SQLITE_AUTH;
}

struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
    bool valid = false;
};

FileId fileId(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return {};
    return {st.st_dev, st.st_ino, true};
}

std::string timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
    return buf;
}

// Renames without ever replacing an existing file.
bool renameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without RENAME_NOREPLACE: a hard link refuses an existing target.
    if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str()) == 0;
    if (errno == EEXIST) return false;
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

// Holds an exclusive lock on a folder for as long as it lives, so that two instances that
// find the same bad file at the same moment do not both move things around.
class DirLock {
  public:
    explicit DirLock(const fs::path& dir)
        : fd_(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~DirLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    DirLock(const DirLock&) = delete;
    DirLock& operator=(const DirLock&) = delete;

  private:
    int fd_;
};

// Creates the file (mode 0600) when missing; tightens a group- or world-readable one, since
// the store holds the scrambled password.
void prepareFile(const fs::path& file) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077) != 0 &&
        st.st_uid == ::geteuid())
        ::chmod(file.c_str(), st.st_mode & 0700);
}

}  // namespace

struct SettingsStore::Impl {
    enum class Mode { None, ReadWrite, ReadOnly };

    fs::path file;
    fs::path movedAside;
    sqlite3* db = nullptr;
    sqlite3_stmt* versionStmt = nullptr;
    sqlite3_stmt* selectAllStmt = nullptr;
    sqlite3_stmt* upsertStmt = nullptr;
    Mode mode = Mode::None;
    bool loaded = false;
    std::int64_t dataVersion = -1;
    std::chrono::steady_clock::time_point lastLoadAttempt{};
    FileId openedId;
    std::unordered_map<std::string, std::string> cache;
    std::string keyBuf;

    explicit Impl(fs::path f) : file(std::move(f)) {}
    ~Impl() { closeDb(); }

    void closeDb() {
        sqlite3_finalize(versionStmt);
        sqlite3_finalize(selectAllStmt);
        sqlite3_finalize(upsertStmt);
        versionStmt = selectAllStmt = upsertStmt = nullptr;
        if (db != nullptr) sqlite3_close_v2(db);
        db = nullptr;
        mode = Mode::None;
        loaded = false;
        dataVersion = -1;
    }

    int exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

    int prepare(const char* sql, sqlite3_stmt** st) {
        return sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, st, nullptr);
    }

    int openConnection(const std::string& name, int flags) {
        closeDb();
        int rc = sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_EXRESCODE, nullptr);
        if (rc != SQLITE_OK) return rc;
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // Closing the last connection copies the write-ahead log into the database. Until the
        // file has proved sound, it must stay exactly as found, so that is off for now.
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        return SQLITE_OK;
    }

    // PRAGMA data_version changes whenever another connection commits; checking it costs
    // no disk read in WAL mode, unlike reading the rows again.
    int readDataVersion(std::int64_t& out) {
        int rc = sqlite3_step(versionStmt);
        if (rc == SQLITE_ROW) out = sqlite3_column_int64(versionStmt, 0);
        sqlite3_reset(versionStmt);
        return rc == SQLITE_ROW ? SQLITE_OK : rc;
    }

    // Reads every row into a fresh map; the cache changes only when the whole read worked.
    int loadAll() {
        lastLoadAttempt = std::chrono::steady_clock::now();
        std::int64_t version = -1;
        if (int rc = readDataVersion(version); rc != SQLITE_OK) return rc;
        std::unordered_map<std::string, std::string> fresh;
        fresh.reserve(cache.size() + 16);
        std::string k;
        int rc;
        while ((rc = sqlite3_step(selectAllStmt)) == SQLITE_ROW) {
            k.clear();
            appendPart(k, columnBytes(selectAllStmt, 0));
            appendPart(k, columnBytes(selectAllStmt, 1));
            appendPart(k, columnBytes(selectAllStmt, 2));
            fresh[k] = std::string(columnBytes(selectAllStmt, 3));
        }
        sqlite3_reset(selectAllStmt);
        if (rc != SQLITE_DONE) return rc;
        cache.swap(fresh);
        dataVersion = version;
        loaded = true;
        return SQLITE_OK;
    }

    int schemaVersion(int& out) {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(st);
            if (rc == SQLITE_ROW) {
                out = sqlite3_column_int(st, 0);
                rc = SQLITE_OK;
            }
        }
        sqlite3_finalize(st);
        return rc;
    }

    int countSchemaObjects(std::int64_t& out) {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema", -1, &st, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(st);
            if (rc == SQLITE_ROW) {
                out = sqlite3_column_int64(st, 0);
                rc = SQLITE_OK;
            }
        }
        sqlite3_finalize(st);
        return rc;
    }

    // SQLITE_CORRUPT unless SQLite's quick check of the whole file finds nothing wrong.
    int checkSound() {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &st, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(st);
            if (rc == SQLITE_ROW) {
                const auto* text = sqlite3_column_text(st, 0);
                rc =
                    text != nullptr && std::string_view(reinterpret_cast<const char*>(text)) == "ok"
                        ? SQLITE_OK
                        : SQLITE_CORRUPT;
            }
        }
        sqlite3_finalize(st);
        return rc;
    }

    int createTable() {
        int rc = exec("BEGIN IMMEDIATE");
        if (rc != SQLITE_OK) return rc;
        rc = exec(kCreateSql);
        if (rc == SQLITE_OK) rc = exec("COMMIT");
        if (rc != SQLITE_OK) exec("ROLLBACK");
        return rc;
    }

    // Opens for writing; creates the table in an empty database.
    int setUpReadWrite() {
        int rc = openConnection(file.string(), SQLITE_OPEN_READWRITE);
        if (rc != SQLITE_OK) return rc;
        // Opened read-only by SQLite because the file is write-protected.
        if (sqlite3_db_readonly(db, "main") == 1) return SQLITE_READONLY;
        // The mark and the schema are read in one transaction: another instance creating the
        // store at this moment is seen completely or not at all, never as a table without
        // its mark.
        if ((rc = exec("BEGIN")) != SQLITE_OK) return rc;
        int version = 0;
        std::int64_t objects = 0;
        rc = schemaVersion(version);
        if (rc == SQLITE_OK && version == 0) rc = countSchemaObjects(objects);
        exec("COMMIT");
        if (rc != SQLITE_OK) return rc;
        if (version > kSchemaVersion) return SQLITE_READONLY;  // a newer program's store
        // Not yet marked as this program's store: only an empty database becomes one.
        // Anything else, or a mark this program never sets, is left exactly as it is.
        if (version < 0 || (version == 0 && objects > 0)) return SQLITE_ERROR;
        if (version < kSchemaVersion) {
            // An empty database becomes the store only once it has proved sound, and in one
            // transaction of the rollback journal: a file that fails on the way is left byte
            // for byte as it was found, to be moved aside whole.
            if ((rc = checkSound()) != SQLITE_OK) return rc;
            if ((rc = createTable()) != SQLITE_OK) return rc;
        }
        // WAL lets readers go on while another instance writes; NORMAL syncing in WAL mode
        // still leaves the old value or the new after a crash or a power cut.
        // A store another instance holds in a rollback journal stays in that mode for now.
        rc = exec("PRAGMA journal_mode=WAL");
        if (isCorrupt(rc) || isAccessProblem(rc)) return rc;
        if ((rc = exec("PRAGMA synchronous=NORMAL")) != SQLITE_OK) return rc;
        if ((rc = prepare("PRAGMA data_version", &versionStmt)) != SQLITE_OK) return rc;
        rc = prepare(kSelectAllSql, &selectAllStmt);
        if ((rc & 0xFF) == SQLITE_ERROR) {
            // The table went missing: create it again.
            if ((rc = createTable()) != SQLITE_OK) return rc;
            rc = prepare(kSelectAllSql, &selectAllStmt);
        }
        if (rc != SQLITE_OK) return rc;
        if ((rc = prepare(kUpsertSql, &upsertStmt)) != SQLITE_OK) return rc;
        if ((rc = loadAll()) != SQLITE_OK && (rc & 0xFF) != SQLITE_BUSY) return rc;
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
        mode = Mode::ReadWrite;
        return SQLITE_OK;
    }

    // Opens for reading only: first normally, then (when SQLite cannot set up its shared
    // memory beside a WAL database in a write-protected folder) as an unchanging file.
    int setUpReadOnly() {
        int rc = SQLITE_CANTOPEN;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (attempt == 0) {
                rc = openConnection(file.string(), SQLITE_OPEN_READONLY);
            } else {
                char* uri = sqlite3_mprintf("file:%s?immutable=1", uriPath().c_str());
                if (uri == nullptr) return SQLITE_NOMEM;
                rc = openConnection(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
                sqlite3_free(uri);
            }
            if (rc != SQLITE_OK) continue;
            if ((rc = prepare("PRAGMA data_version", &versionStmt)) != SQLITE_OK) continue;
            rc = prepare(kSelectAllSql, &selectAllStmt);
            if (rc == SQLITE_ERROR) {
                // An empty file (no table yet): readable, holding nothing.
                std::int64_t v = 0;
                rc = readDataVersion(v);
                if (rc != SQLITE_OK) continue;
                cache.clear();
                loaded = true;
                mode = Mode::ReadOnly;
                return SQLITE_OK;
            }
            if (rc != SQLITE_OK) continue;
            rc = loadAll();
            if (rc == SQLITE_OK || (rc & 0xFF) == SQLITE_BUSY) {
                mode = Mode::ReadOnly;
                return SQLITE_OK;
            }
            if (isCorrupt(rc)) return rc;
        }
        closeDb();
        return rc;
    }

    // The file's path escaped for an SQLite URI.
    std::string uriPath() const {
        std::string out;
        for (unsigned char c : fs::absolute(file).string()) {
            if (c == '%' || c == '?' || c == '#' || c < 0x21 || c >= 0x7F) {
                static const char* hex = "0123456789ABCDEF";
                out += '%';
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
        return out;
    }

    // Moves the bad file (and the journal files that belong to it) aside under a name that
    // no existing file has. True when the path is free for a fresh store afterwards.
    bool moveAside(const FileId& bad) {
        closeDb();
        fs::path dir = file.parent_path();
        DirLock lock(dir);
        FileId now = fileId(file);
        if (!now.valid) return true;  // gone already
        // Another instance got here first and put a fresh store in place.
        if (bad.valid && (now.dev != bad.dev || now.ino != bad.ino)) return true;

        std::string base = file.filename().string() + ".corrupt-" + timestamp();
        for (int n = 0; n < 1000; ++n) {
            fs::path target = dir / (n == 0 ? base : base + "-" + std::to_string(n));
            if (!renameNoReplace(file, target)) {
                if (errno == EEXIST || errno == ENOTEMPTY) continue;
                return false;
            }
            movedAside = target;
            for (const char* suffix : {"-wal", "-shm", "-journal"}) {
                fs::path companion = file.string() + suffix;
                struct stat st {};
                if (::lstat(companion.c_str(), &st) == 0)
                    renameNoReplace(companion, target.string() + suffix);
            }
            return true;
        }
        return false;
    }

    void open() {
        paths::ensureDir(file.parent_path(), 0700);
        struct stat st {};
        bool exists = ::stat(file.c_str(), &st) == 0;
        bool unusable = false;
        if (exists && !S_ISREG(st.st_mode)) {
            unusable = true;  // a folder or something else in the file's place
        } else if (exists) {
            int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 && errno == EACCES) unusable = true;
            if (fd >= 0) ::close(fd);
        }
        if (!unusable) prepareFile(file);
        openedId = fileId(file);

        int rc = unusable ? SQLITE_NOTADB : setUpReadWrite();
        if (rc == SQLITE_OK) return;
        if (isAccessProblem(rc) || (rc & 0xFF) == SQLITE_IOERR) {
            rc = setUpReadOnly();
            if (rc == SQLITE_OK || !isCorrupt(rc)) return;
        }
        if (isCorrupt(rc)) {
            if (!moveAside(openedId)) return;  // cannot move it: go on with defaults
            prepareFile(file);
            openedId = fileId(file);
            if (setUpReadWrite() != SQLITE_OK) closeDb();
            return;
        }
        // Busy beyond the time-out, a database that is not this program's, or another
        // failure: leave the file as it is and go on with defaults.
        closeDb();
    }

    // A store that went bad while the program ran: keep what is known in memory, move the bad
    // file aside and write everything into a fresh one.
    bool recover() {
        auto saved = cache;
        bool ok = moveAside(openedId) && rebuild(saved);
        cache = std::move(saved);
        return ok;
    }

    bool rebuild(const std::unordered_map<std::string, std::string>& saved) {
        prepareFile(file);
        openedId = fileId(file);
        if (setUpReadWrite() != SQLITE_OK) {
            closeDb();
            return false;
        }
        if (exec("BEGIN IMMEDIATE") != SQLITE_OK) return false;
        for (const auto& [k, v] : saved) {
            // Cache keys are three length-prefixed folded names.
            std::string_view parts[3];
            std::size_t pos = 0;
            for (auto& part : parts) {
                std::uint32_t n = 0;
                for (int i = 0; i < 4; ++i)
                    n |= static_cast<std::uint32_t>(static_cast<unsigned char>(k[pos + i]))
                         << (8 * i);
                part = std::string_view(k).substr(pos + 4, n);
                pos += 4 + n;
            }
            if (upsertRow(parts[0], parts[1], parts[2], v) != SQLITE_DONE) {
                exec("ROLLBACK");
                return false;
            }
        }
        if (exec("COMMIT") != SQLITE_OK) {
            exec("ROLLBACK");
            return false;
        }
        return true;
    }

    int upsertRow(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view value) {
        std::string fa = fold(app), fsn = fold(section), fk = fold(key);
        int rc = SQLITE_OK;
        int idx = 0;
        for (std::string_view v : {std::string_view(fa), std::string_view(fsn),
                                   std::string_view(fk), app, section, key, value}) {
            // Too big for SQLite: nothing is written.
            if ((rc = bindBytes(upsertStmt, ++idx, v)) != SQLITE_OK) break;
        }
        if (rc == SQLITE_OK) rc = sqlite3_step(upsertStmt);
        sqlite3_reset(upsertStmt);
        sqlite3_clear_bindings(upsertStmt);
        return rc;
    }

    // Brings the cache up to date when another connection has committed since the last look.
    void refresh() {
        if (mode == Mode::None) return;
        if (!loaded) {
            // A load that failed on a busy store is retried, but not on every read.
            if (std::chrono::steady_clock::now() - lastLoadAttempt < std::chrono::seconds(1))
                return;
            int rc = loadAll();
            if (isCorrupt(rc) && mode == Mode::ReadWrite) recover();
            return;
        }
        std::int64_t v = -1;
        int rc = readDataVersion(v);
        if (rc == SQLITE_OK && v == dataVersion) return;
        if (rc == SQLITE_OK) rc = loadAll();
        if (isCorrupt(rc) && mode == Mode::ReadWrite) recover();
    }

    std::string read(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view def) {
        refresh();
        makeCacheKey(keyBuf, app, section, key);
        auto it = cache.find(keyBuf);
        return it == cache.end() ? std::string(def) : it->second;
    }

    bool write(std::string_view app, std::string_view section, std::string_view key,
               std::string_view value) {
        if (mode != Mode::ReadWrite) return false;
        int rc = upsertRow(app, section, key, value);
        if (isCorrupt(rc) && recover()) rc = upsertRow(app, section, key, value);
        if (rc != SQLITE_DONE) return false;
        makeCacheKey(keyBuf, app, section, key);
        cache[keyBuf] = std::string(value);
        if (!loaded) loadAll();
        return true;
    }

    // All rows in one transaction: every value is stored or none is, and the cache takes
    // them only once the commit has worked.
    bool writeAll(std::string_view app, const std::vector<SettingsStore::Entry>& entries) {
        if (mode != Mode::ReadWrite) return false;
        auto attempt = [&]() -> int {
            int rc = exec("BEGIN IMMEDIATE");
            if (rc != SQLITE_OK) return rc;
            for (const auto& e : entries) {
                rc = upsertRow(app, e.section, e.key, e.value);
                if (rc != SQLITE_DONE) {
                    exec("ROLLBACK");
                    return rc;
                }
            }
            rc = exec("COMMIT");
            if (rc != SQLITE_OK) exec("ROLLBACK");
            return rc;
        };
        int rc = attempt();
        if (isCorrupt(rc) && recover()) rc = attempt();
        if (rc != SQLITE_OK) return false;
        for (const auto& e : entries) {
            makeCacheKey(keyBuf, app, e.section, e.key);
            cache[keyBuf] = e.value;
        }
        if (!loaded) loadAll();
        return true;
    }
};

SettingsStore::SettingsStore(fs::path file) : impl_(std::make_unique<Impl>(std::move(file))) {
    try {
        impl_->open();
    } catch (...) {
        reportFailure("opening the settings store");
        impl_->closeDb();
    }
}

SettingsStore::~SettingsStore() = default;

fs::path SettingsStore::defaultFile() {
    return paths::configDir() / "settings.db";
}

std::string SettingsStore::read(std::string_view section, std::string_view key,
                                std::string_view def) const {
    return readApp(kAppName, section, key, def);
}

bool SettingsStore::write(std::string_view section, std::string_view key, std::string_view value) {
    return writeApp(kAppName, section, key, value);
}

bool SettingsStore::writeAll(const std::vector<Entry>& entries) {
    try {
        return impl_->writeAll(kAppName, entries);
    } catch (...) {
        reportFailure("writing settings");
        return false;
    }
}

std::string SettingsStore::readApp(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view def) const {
    try {
        return impl_->read(app, section, key, def);
    } catch (...) {
        reportFailure("reading a setting");
        try {
            return std::string(def);
        } catch (...) {
            return {};
        }
    }
}

bool SettingsStore::writeApp(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) {
    try {
        return impl_->write(app, section, key, value);
    } catch (...) {
        reportFailure("writing a setting");
        return false;
    }
}

const fs::path& SettingsStore::movedAside() const {
    return impl_->movedAside;
}

const fs::path& SettingsStore::file() const {
    return impl_->file;
}

}  // namespace larkspan
