#include "common/SqliteFile.hpp"

#include <sqlite3.h>

#include <string_view>
#include <system_error>

#include "common/MoveAside.hpp"
#include "common/Paths.hpp"

namespace larkspan {

namespace fs = std::filesystem;

namespace {
// Another instance of the program may be writing at the same moment.
constexpr int kBusyTimeoutMs = 2000;
}  // namespace

SqliteFile::SqliteFile(fs::path file, const std::string& schema,
                       const std::vector<std::string>& probes)
    : file_(std::move(file)) {
    if (open(schema, probes)) return;
    // Not a database of ours, or a damaged one: keep it whole beside a fresh one.
    close();
    if (moveAside() && open(schema, probes)) return;
    close();
}

SqliteFile::~SqliteFile() {
    close();
}

bool SqliteFile::open(const std::string& schema, const std::vector<std::string>& probes) {
    paths::ensureDir(file_.parent_path());
    if (sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        return false;
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    SqlStatement check(db_, "PRAGMA quick_check(1)");
    if (!check.ok() || check.step() != SQLITE_ROW || check.text(0) != "ok") return false;
    if (sqlite3_exec(db_, schema.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) return false;
    for (const std::string& probe : probes) {
        if (!SqlStatement(db_, probe).ok()) return false;
    }
    return true;
}

void SqliteFile::close() {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool SqliteFile::moveAside() {
    movedAside_ = moveDatabaseAside(file_);
    return !movedAside_.empty();
}

SqlStatement::SqlStatement(sqlite3* db, const std::string& sql) {
    if (db != nullptr) sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr);
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(st_);
}

void SqlStatement::bind(int index, const std::string& text) {
    sqlite3_bind_text(st_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void SqlStatement::bind(int index, long long value) {
    sqlite3_bind_int64(st_, index, value);
}

int SqlStatement::step() {
    return st_ != nullptr ? sqlite3_step(st_) : SQLITE_MISUSE;
}

std::string SqlStatement::text(int column) const {
    const auto* chars = sqlite3_column_text(st_, column);
    if (chars == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(chars),
                       static_cast<std::size_t>(sqlite3_column_bytes(st_, column)));
}

}  // namespace larkspan
