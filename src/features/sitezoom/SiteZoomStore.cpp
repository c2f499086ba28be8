#include "features/sitezoom/SiteZoomStore.hpp"

#include <sqlite3.h>

#include "common/AddressHost.hpp"
#include "common/Paths.hpp"

namespace larkspan::sitezoom {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCreateSql =
    "CREATE TABLE IF NOT EXISTS zoom (host TEXT PRIMARY KEY NOT NULL, level INTEGER NOT NULL)";
constexpr const char* kSelectSql = "SELECT level FROM zoom WHERE host = ?1";
constexpr const char* kUpsertSql =
    "INSERT INTO zoom (host, level) VALUES (?1, ?2) "
    "ON CONFLICT (host) DO UPDATE SET level = excluded.level";
constexpr const char* kDeleteSql = "DELETE FROM zoom WHERE host = ?1";

bool inRange(sqlite3_int64 level) {
    return level >= SiteZoomStore::kSmallest && level <= SiteZoomStore::kLargest;
}

}  // namespace

std::string hostOf(const std::string& address) {
    return addressHost(address);
}

SiteZoomStore::SiteZoomStore(fs::path file)
    : file_(std::move(file), kCreateSql, {kUpsertSql, kSelectSql}) {}

fs::path SiteZoomStore::defaultFile() {
    return paths::dataDir() / "site-zoom.sqlite";
}

std::optional<int> SiteZoomStore::level(const std::string& host) const {
    if (host.empty()) return std::nullopt;
    if (file_.db() == nullptr) {
        auto it = unsaved_.find(host);
        return it == unsaved_.end() ? std::nullopt : std::optional<int>(it->second);
    }
    SqlStatement select(file_.db(), kSelectSql);
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
    if (file_.db() == nullptr) {
        unsaved_[host] = level;
        return true;
    }
    SqlStatement upsert(file_.db(), kUpsertSql);
    if (!upsert.ok()) return false;
    upsert.bind(1, host);
    sqlite3_bind_int(upsert.get(), 2, level);
    return upsert.step() == SQLITE_DONE;
}

void SiteZoomStore::forget(const std::string& host) {
    unsaved_.erase(host);
    SqlStatement remove(file_.db(), kDeleteSql);
    if (!remove.ok()) return;
    remove.bind(1, host);
    remove.step();
}

}  // namespace larkspan::sitezoom
