// A profile's "places.sqlite", read from a private copy.
#include <glib.h>
#include <sqlite3.h>

#include <system_error>

#include "common/TextEncoding.hpp"
#include "features/favorites/Bookmarks.hpp"

namespace larkspan::favorites {

namespace fs = std::filesystem;

namespace {

// Links only (type 1), saved searches ("place:") left out, each folder's links in order.
constexpr const char* kQuery =
    "SELECT COALESCE(b.title, p.title, ''), p.url FROM moz_bookmarks b "
    "JOIN moz_places p ON p.id = b.fk WHERE b.type = 1 AND p.url NOT LIKE 'place:%' "
    "ORDER BY b.parent, b.position";

// A text column whole, a NUL inside it included, read as the program's text files are:
// valid UTF-8 as it is, any other bytes as Windows-1252.
std::string column(sqlite3_stmt* statement, int index) {
    const auto* text = static_cast<const char*>(sqlite3_column_blob(statement, index));
    const int size = sqlite3_column_bytes(statement, index);
    if (!text || size <= 0) return {};
    return text::decodeFileText(std::string_view(text, static_cast<std::size_t>(size)));
}

// A folder of its own in the temporary folder, removed with what it holds.
class ScratchFolder {
  public:
    ScratchFolder() {
        gchar* made = g_dir_make_tmp("larkspan-places-XXXXXX", nullptr);
        if (made) path_ = made;
        g_free(made);
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

}  // namespace

std::vector<Bookmark> readFirefoxBookmarks(const fs::path& places) {
    std::vector<Bookmark> out;
    ScratchFolder scratch;
    if (scratch.path().empty()) return out;
    const fs::path copy = scratch.path() / "places.sqlite";
    std::error_code ec;
    if (!fs::copy_file(places, copy, ec)) return out;
    // Recent changes may still sit in the write-ahead log beside the database.
    fs::path wal = places;
    wal += "-wal";
    if (fs::exists(wal, ec)) fs::copy_file(wal, scratch.path() / "places.sqlite-wal", ec);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(copy.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return out;
    }
    // The file is another program's and may have been made to harm its reader: no schema
    // changes through pragmas, and views and triggers in it may call no function with side
    // effects.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW)
            out.push_back({column(statement, 0), column(statement, 1)});
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return out;
}

}  // namespace larkspan::favorites
