#include "features/sitezoom/SiteZoomStore.hpp"

#include <sqlite3.h>

#include <string_view>

#include "common/AddressHost.hpp"
#include "common/MoveAside.hpp"
#include "common/Paths.hpp"

namespace larkspan::sitezoom {

namespace fs = std::filesystem;

namespace {

constexpr int kBusyTimeoutMs = 2000;

constexpr const char* kCreateSql =
    "CREATE TABLE IF NOT EXISTS zoom (host TEXT PRIMARY KEY NOT NULL, level INTEGER NOT NULL)";
constexpr const char* kSelectSql = "SELECT level FROM zoom WHERE host = ?1";
constexpr const char* kUpsertSql =
    "INSERT INTO zoom (host, level) VALUES (?1, ?2) "
    "ON CONFLICT (host) DO UPDATE SET level = excluded.level";
constexpr const char* kDeleteSql = "DELETE FROM zoom WHERE host = ?1";

// One prepared statement, finalized when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (db != nullptr) sqlite3_prepare_v2(db, sql, -1, &st_, nullptr);
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return st_ != nullptr; }
    sqlite3_stmt* get() const { return st_; }
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(st_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    int step() { return sqlite3_step(st_); }

  private:
    sqlite3_stmt* st_ = nullptr;
};

bool inRange(sqlite3_int64 level) {
    return level >= SiteZoomStore::kSmallest && level <= SiteZoomStore::kLargest;
}

}  // namespace

std::string hostOf(const std::string& address) {
    return addressHost(address);
}

SiteZoomStore::SiteZoomStore(fs::path file) : file_(std::move(file)) {
    if (open()) return;
    // Not a database of ours, or a damaged one: keep it whole beside a fresh one.
    close();
    if (moveAside() && open()) return;
    close();
}

SiteZoomStore::~SiteZoomStore() {
    close();
}

fs::path SiteZoomStore::defaultFile() {
    return paths::dataDir() / "site-zoom.sqlite";
}

bool SiteZoomStore::open() {
    paths::ensureDir(file_.parent_path());
    if (sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        return false;
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    Statement check(db_, "PRAGMA quick_check(1)");
    if (!check.ok() || check.step() != SQLITE_ROW) return false;
    const auto* verdict = sqlite3_column_text(check.get(), 0);
    if (verdict == nullptr || std::string_view(reinterpret_cast<const char*>(verdict)) != "ok") {
        return false;
    }
    if (sqlite3_exec(db_, kCreateSql, nullptr, nullptr, nullptr) != SQLITE_OK) return false;
    // A table of the same name with other columns is not ours.
    return Statement(db_, kUpsertSql).ok() && Statement(db_, kSelectSql).ok();
}

void SiteZoomStore::close() {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SiteZoomStore::moveAside() {
    movedAside_ = moveDatabaseAside(file_);
    return !movedAside_.empty();
}

std::optional<int> SiteZoomStore::level(const std::string& host) const {
    if (host.empty()) return std::nullopt;
    if (db_ == nullptr) {
        auto it = unsaved_.find(host);
        return it == unsaved_.end() ? std::nullopt : std::optional<int>(it->second);
    }
    Statement select(db_, kSelectSql);
    if (!select.ok()) return std::nullopt;
    select.bind(1, host);
    if (select.step() != SQLITE_ROW) return std::nullopt;
    if (sqlite3_column_type(select.get(), 0) != SQLITE_INTEGER) return std::nullopt;
    sqlite3_int64 stored = sqlite3_column_int64(select.get(), 0);
    if (!inRange(stored) || stored == kOrdinary) return std::nullopt;
    return static_cast<int>(stored);
}

bool SiteZoomStore::remember(const std::string& host, int level) {
    if (host.empty() || !inRange(level)) return false;
    if (level == kOrdinary) {
        forget(host);
        return true;
    }
    if (db_ == nullptr) {
        unsaved_[host] = level;
        return true;
    }
    Statement upsert(db_, kUpsertSql);
    if (!upsert.ok()) return false;
    upsert.bind(1, host);
    sqlite3_bind_int(upsert.get(), 2, level);
    return upsert.step() == SQLITE_DONE;
}

void SiteZoomStore::forget(const std::string& host) {
    unsaved_.erase(host);
    Statement remove(db_, kDeleteSql);
    if (!remove.ok()) return;
    remove.bind(1, host);
    remove.step();
}

}  // namespace larkspan::sitezoom
