// Feeds the reader of a profile's "places.sqlite" two kinds of database. The first input byte
// chooses: odd, the rest of the input is the database file itself, any bytes at all; even, the
// rest describes the rows of a well-formed database (places and bookmarks, texts of any bytes,
// NUL included), which is built and read. Either way the reader must come back cleanly and leave
// the file it was given exactly as it was, with nothing new beside it; from the built database it
// must give exactly the bookmarked addresses, without saved searches, in folder order, each text
// whole and read as the program's text files are (valid UTF-8 as it is, else Windows-1252).
#include <fuzzer/FuzzedDataProvider.h>
#include <glib.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ScratchFolder.hpp"
#include "common/TextEncoding.hpp"
#include "features/favorites/Bookmarks.hpp"

using namespace larkspan;

namespace {

namespace fs = std::filesystem;

using fuzz::ScratchFolder;

// The profile folder of this process.
const fs::path& profileDir() {
    static const ScratchFolder folder("larkspan-places-fuzz-XXXXXX");
    return folder.path;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) std::abort();
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes a new file in the old one's place: emptying a file and writing it again would make
// the file system flush it to disk on every close.
void put(const fs::path& file, std::string_view bytes) {
    std::error_code ec;
    fs::remove(file, ec);
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) std::abort();
}

bool isSavedSearch(std::string_view url) {
    return url.size() >= 6 && g_ascii_strncasecmp(url.data(), "place:", 6) == 0;
}

struct Place {
    std::optional<std::string> url;
    std::optional<std::string> title;
};

struct Mark {
    int type;
    int fk;
    int parent;
    int position;
    std::optional<std::string> title;
};

// A text of any bytes, NUL included, or none (SQL NULL).
std::optional<std::string> text(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange(0, 7) == 0) return std::nullopt;
    return in.ConsumeRandomLengthString(300);
}

void bind(sqlite3_stmt* st, int index, const std::optional<std::string>& value) {
    if (value)
        sqlite3_bind_text(st, index, value->data(), static_cast<int>(value->size()),
                          SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(st, index);
}

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
}

// Builds the database the rows describe and gives the bookmarks the reader must find in it.
std::vector<favorites::Bookmark> build(const fs::path& file, FuzzedDataProvider& in) {
    std::vector<Place> places(in.ConsumeIntegralInRange(0, 6));
    for (Place& p : places) {
        p.url = text(in);
        // Saved searches must turn up now and then.
        if (p.url && in.ConsumeBool()) p.url->insert(0, in.ConsumeBool() ? "place:" : "PlAcE:");
        p.title = text(in);
    }
    std::vector<Mark> marks(in.ConsumeIntegralInRange(0, 12));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        Mark& m = marks[i];
        m.type = in.ConsumeIntegralInRange(0, 3);
        m.fk = in.ConsumeIntegralInRange(0, static_cast<int>(places.size()) + 1);
        m.parent = in.ConsumeIntegralInRange(0, 3);
        // Unique, so that the folder order is complete.
        m.position = in.ConsumeIntegralInRange(0, 7) * 64 + static_cast<int>(i);
        m.title = text(in);
    }

    std::error_code ec;
    fs::remove(file, ec);
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) std::abort();
    exec(db,
         "PRAGMA page_size=512; PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF; BEGIN;"
         "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR);"
         "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER,"
         " parent INTEGER, position INTEGER, title LONGVARCHAR);");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO moz_places VALUES (?1, ?2, ?3)", -1, &st, nullptr);
    for (std::size_t i = 0; i < places.size(); ++i) {
        sqlite3_bind_int(st, 1, static_cast<int>(i) + 1);
        bind(st, 2, places[i].url);
        bind(st, 3, places[i].title);
        if (sqlite3_step(st) != SQLITE_DONE) std::abort();
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db, "INSERT INTO moz_bookmarks VALUES (?1, ?2, ?3, ?4, ?5, ?6)", -1, &st,
                       nullptr);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        sqlite3_bind_int(st, 1, static_cast<int>(i) + 100);
        sqlite3_bind_int(st, 2, marks[i].type);
        sqlite3_bind_int(st, 3, marks[i].fk);
        sqlite3_bind_int(st, 4, marks[i].parent);
        sqlite3_bind_int(st, 5, marks[i].position);
        bind(st, 6, marks[i].title);
        if (sqlite3_step(st) != SQLITE_DONE) std::abort();
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    exec(db, "COMMIT");
    if (sqlite3_close(db) != SQLITE_OK) std::abort();

    std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) {
        return a.parent != b.parent ? a.parent < b.parent : a.position < b.position;
    });
    std::vector<favorites::Bookmark> expected;
    for (const Mark& m : marks) {
        if (m.type != 1 || m.fk < 1 || m.fk > static_cast<int>(places.size())) continue;
        const Place& p = places[static_cast<std::size_t>(m.fk) - 1];
        if (!p.url || isSavedSearch(*p.url)) continue;
        expected.push_back({text::decodeFileText(m.title.value_or(p.title.value_or(""))),
                            text::decodeFileText(*p.url)});
    }
    return expected;
}

bool same(const std::vector<favorites::Bookmark>& a, const std::vector<favorites::Bookmark>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.title == y.title && x.url == y.url;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const fs::path file = profileDir() / "places.sqlite";
    std::optional<std::vector<favorites::Bookmark>> expected;
    if (data[0] & 1) {
        put(file, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    } else {
        FuzzedDataProvider in(data + 1, size - 1);
        expected = build(file, in);
    }
    const std::string before = contents(file);

    const std::vector<favorites::Bookmark> marks = favorites::readFirefoxBookmarks(file);

    if (contents(file) != before) std::abort();
    for (const fs::directory_entry& e : fs::directory_iterator(profileDir())) {
        if (e.path() != file) std::abort();
    }
    for (const favorites::Bookmark& b : marks) {
        if (isSavedSearch(b.url)) std::abort();
    }
    if (expected && !same(marks, *expected)) std::abort();
    return 0;
}
