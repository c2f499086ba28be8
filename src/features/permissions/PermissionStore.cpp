#include "features/permissions/PermissionStore.hpp"

#include <sqlite3.h>

#include <algorithm>
#include <array>

#include "common/Paths.hpp"

namespace larkspan::permissions {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCreateSql =
    "CREATE TABLE IF NOT EXISTS permissions (site TEXT NOT NULL, kind TEXT NOT NULL, "
    "allowed INTEGER NOT NULL, PRIMARY KEY (site, kind))";
constexpr const char* kSelectSql = "SELECT allowed FROM permissions WHERE site = ?1 AND kind = ?2";
constexpr const char* kSelectAllSql = "SELECT site, kind, allowed FROM permissions";
constexpr const char* kUpsertSql =
    "INSERT INTO permissions (site, kind, allowed) VALUES (?1, ?2, ?3) "
    "ON CONFLICT (site, kind) DO UPDATE SET allowed = excluded.allowed";
constexpr const char* kDeleteSql = "DELETE FROM permissions WHERE site = ?1 AND kind = ?2";
constexpr const char* kDeleteAllSql = "DELETE FROM permissions";

// The names kinds are stored under; camera and microphone together are stored as the two.
struct StoredKind {
    PermissionKind kind;
    const char* name;
};
constexpr std::array<StoredKind, 5> kStoredKinds{{
    {PermissionKind::Notifications, "notifications"},
    {PermissionKind::Location, "location"},
    {PermissionKind::Camera, "camera"},
    {PermissionKind::Microphone, "microphone"},
    {PermissionKind::Clipboard, "clipboard"},
}};

std::string nameOf(PermissionKind kind) {
    for (const StoredKind& k : kStoredKinds) {
        if (k.kind == kind) return k.name;
    }
    return {};
}

std::optional<PermissionKind> kindNamed(const std::string& name) {
    for (const StoredKind& k : kStoredKinds) {
        if (name == k.name) return k.kind;
    }
    return std::nullopt;
}

std::vector<PermissionKind> partsOf(PermissionKind kind) {
    if (kind == PermissionKind::CameraAndMicrophone) {
        return {PermissionKind::Camera, PermissionKind::Microphone};
    }
    return {kind};
}

// A stored answer is 1 (allowed) or 0 (refused); anything else is no answer.
std::optional<bool> answerIn(const SqlStatement& row, int column) {
    if (sqlite3_column_type(row.get(), column) != SQLITE_INTEGER) return std::nullopt;
    sqlite3_int64 value = sqlite3_column_int64(row.get(), column);
    if (value != 0 && value != 1) return std::nullopt;
    return value == 1;
}

}  // namespace

PermissionStore::PermissionStore(fs::path file)
    : file_(std::move(file), kCreateSql, {kSelectSql, kUpsertSql, kSelectAllSql}) {}

fs::path PermissionStore::defaultFile() {
    return paths::dataDir() / "site-permissions.sqlite";
}

std::optional<bool> PermissionStore::single(const std::string& site, PermissionKind kind) const {
    if (file_.db() == nullptr) {
        auto it = unsaved_.find({site, kind});
        return it == unsaved_.end() ? std::nullopt : std::optional<bool>(it->second);
    }
    SqlStatement select(file_.db(), kSelectSql);
    if (!select.ok()) return std::nullopt;
    select.bind(1, site);
    select.bind(2, nameOf(kind));
    if (select.step() != SQLITE_ROW) return std::nullopt;
    return answerIn(select, 0);
}

std::optional<bool> PermissionStore::answer(const std::string& site, PermissionKind kind) const {
    if (site.empty()) return std::nullopt;
    bool allKnown = true;
    for (PermissionKind part : partsOf(kind)) {
        std::optional<bool> stored = single(site, part);
        if (stored == false) return false;
        if (!stored) allKnown = false;
    }
    return allKnown ? std::optional<bool>(true) : std::nullopt;
}

bool PermissionStore::remember(const std::string& site, PermissionKind kind, bool allowed) {
    if (site.empty()) return false;
    bool kept = true;
    for (PermissionKind part : partsOf(kind)) {
        if (file_.db() == nullptr) {
            unsaved_[{site, part}] = allowed;
            continue;
        }
        SqlStatement upsert(file_.db(), kUpsertSql);
        upsert.bind(1, site);
        upsert.bind(2, nameOf(part));
        upsert.bind(3, static_cast<long long>(allowed ? 1 : 0));
        kept = upsert.step() == SQLITE_DONE && kept;
    }
    return kept;
}

void PermissionStore::forget(const std::string& site, PermissionKind kind) {
    for (PermissionKind part : partsOf(kind)) {
        unsaved_.erase({site, part});
        SqlStatement remove(file_.db(), kDeleteSql);
        if (!remove.ok()) continue;
        remove.bind(1, site);
        remove.bind(2, nameOf(part));
        remove.step();
    }
}

void PermissionStore::forgetAll() {
    unsaved_.clear();
    SqlStatement(file_.db(), kDeleteAllSql).step();
}

std::vector<SiteAnswer> PermissionStore::all() const {
    std::vector<SiteAnswer> answers;
    if (file_.db() == nullptr) {
        for (const auto& [key, allowed] : unsaved_)
            answers.push_back({key.first, key.second, allowed});
    } else {
        SqlStatement select(file_.db(), kSelectAllSql);
        while (select.ok() && select.step() == SQLITE_ROW) {
            std::optional<PermissionKind> kind = kindNamed(select.text(1));
            std::optional<bool> allowed = answerIn(select, 2);
            std::string site = select.text(0);
            if (site.empty() || !kind || !allowed) continue;
            answers.push_back({std::move(site), *kind, *allowed});
        }
    }
    std::sort(answers.begin(), answers.end(), [](const SiteAnswer& a, const SiteAnswer& b) {
        return a.site != b.site ? a.site < b.site : a.kind < b.kind;
    });
    return answers;
}

}  // namespace larkspan::permissions
