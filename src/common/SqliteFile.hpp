#pragma once

// A small SQLite database of the program's own in the data folder (per-site answers,
// settings): opened with its tables made, and when the file is not a database of ours or is
// damaged, moved aside whole (its name followed by ".unreadable", then "-1", "-2" ...) and a
// fresh one started. When no database can be written at all, db() is null.

#include <filesystem>
#include <string>
#include <vector>

typedef struct sqlite3 sqlite3;
typedef struct sqlite3_stmt sqlite3_stmt;

namespace larkspan {

class SqliteFile {
  public:
    // `schema` runs on every opening ("CREATE TABLE IF NOT EXISTS ..."); each statement of
    // `probes` must prepare for the file to count as ours (a table of the same name with
    // other columns does not).
    SqliteFile(std::filesystem::path file, const std::string& schema,
               const std::vector<std::string>& probes);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    sqlite3* db() const { return db_; }
    // Where an unreadable database was moved to when the file opened; empty otherwise.
    const std::filesystem::path& movedAside() const { return movedAside_; }

  private:
    bool open(const std::string& schema, const std::vector<std::string>& probes);
    void close();
    bool moveAside();

    std::filesystem::path file_;
    std::filesystem::path movedAside_;
    sqlite3* db_ = nullptr;
};

// One prepared statement, finalized when it goes; not ok() when it did not prepare (or there
// is no database).
class SqlStatement {
  public:
    SqlStatement(sqlite3* db, const std::string& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool ok() const { return st_ != nullptr; }
    sqlite3_stmt* get() const { return st_; }
    void bind(int index, const std::string& text);
    void bind(int index, long long value);
    // sqlite3_step's result.
    int step();
    // The text of a column of the current row; empty for NULL.
    std::string text(int column) const;

  private:
    sqlite3_stmt* st_ = nullptr;
};

}  // namespace larkspan
