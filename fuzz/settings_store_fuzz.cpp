// Fuzzes the settings store. The first input byte chooses what the rest is.
//
// Even: (section, key, value) triples of any bytes, written one by one or as one batch into a
// store that lives on across inputs (in a file of this process, started afresh every few hundred
// inputs so that it does not grow without bound). Each read gives exactly what was last written
// under the name in any letter case, or the default for a name never written; a failed write
// changes nothing; every so often the store is closed and reopened and must give back all of it.
//
// Odd: the rest is the store's file, any bytes at all. Opening it must give a usable store and
// must not destroy a file that is not the store's own: such a file stays as it was or is moved
// aside whole, and reads give their defaults.
#include <fuzzer/FuzzedDataProvider.h>
#include <glib.h>
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ScratchFolder.hpp"
#include "settings/SettingsStore.hpp"

using namespace larkspan;

namespace {

namespace fs = std::filesystem;

constexpr int kRunsPerStore = 256;
constexpr int kRunsPerReopen = 32;

using fuzz::ScratchFolder;

// The folder of this process's stores.
const fs::path& scratchDir() {
    static const ScratchFolder folder("larkspan-store-fuzz-XXXXXX");
    return folder.path;
}

// An empty folder of the scratch folder.
fs::path freshFolder(const char* name) {
    const fs::path dir = scratchDir() / name;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    return dir;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) std::abort();
}

std::string folded(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = g_ascii_tolower(c);
    return out;
}

std::string otherCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = g_ascii_isupper(c) ? g_ascii_tolower(c) : g_ascii_toupper(c);
    return out;
}

// The name of a value as the store matches it.
std::string nameOf(std::string_view section, std::string_view key) {
    return std::to_string(section.size()) + ":" + folded(section) + folded(key);
}

struct Model {
    // Records a write that worked: the name keeps its first spelling, the value changes.
    void remember(const SettingsStore::Entry& e) {
        auto [it, added] = written.try_emplace(nameOf(e.section, e.key), e);
        if (!added) it->second.value = e.value;
    }

    std::unique_ptr<SettingsStore> store;
    // What the store holds: (section, key) as written last, and the value.
    std::map<std::string, SettingsStore::Entry> written;
    int runs = 0;
};

// Reads give the value last written under the name, whatever the letter case, or the default.
void expectStored(const SettingsStore& store, const Model& model, std::string_view section,
                  std::string_view key) {
    const auto it = model.written.find(nameOf(section, key));
    const std::string a = store.read(otherCase(section), key, "\n1");
    const std::string b = store.read(section, otherCase(key), "\n2");
    if (it == model.written.end()) {
        if (a != "\n1" || b != "\n2") std::abort();
    } else if (a != it->second.value || b != it->second.value) {
        std::abort();
    }
}

void fuzzWrites(FuzzedDataProvider& in) {
    // The folder is made first, so that it outlives the store at exit.
    const fs::path file = scratchDir() / "store" / "settings.db";
    static Model model;
    if (model.runs % kRunsPerStore == 0) {
        model.store.reset();
        model.written.clear();
        freshFolder("store");
        model.store = std::make_unique<SettingsStore>(file);
    } else if (model.runs % kRunsPerReopen == 0) {
        model.store.reset();
        model.store = std::make_unique<SettingsStore>(file);
        for (const auto& [name, e] : model.written)
            expectStored(*model.store, model, e.section, e.key);
    }
    ++model.runs;

    std::vector<SettingsStore::Entry> entries(in.ConsumeIntegralInRange(1, 4));
    for (SettingsStore::Entry& e : entries) {
        e.section = in.ConsumeRandomLengthString(40);
        e.key = in.ConsumeRandomLengthString(40);
        e.value = in.ConsumeRandomLengthString(400);
    }
    for (const SettingsStore::Entry& e : entries)
        expectStored(*model.store, model, e.section, e.key);

    if (in.ConsumeBool()) {
        if (model.store->writeAll(entries)) {
            for (const SettingsStore::Entry& e : entries)
                model.written[nameOf(e.section, e.key)] = e;
        }
    } else {
        for (const SettingsStore::Entry& e : entries) {
            if (model.store->write(e.section, e.key, e.value)) model.remember(e);
        }
    }
    for (const SettingsStore::Entry& e : entries)
        expectStored(*model.store, model, e.section, e.key);
}

// The user_version and the number of schema objects of a database file, read from a copy;
// false when SQLite cannot read them.
bool probe(const fs::path& file, int& version, std::int64_t& objects) {
    const fs::path copy = freshFolder("probe") / "copy.db";
    fs::copy_file(file, copy);
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(copy.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr) == SQLITE_OK &&
         sqlite3_step(st) == SQLITE_ROW;
    if (ok) version = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    st = nullptr;
    ok = ok &&
         sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema", -1, &st, nullptr) ==
             SQLITE_OK &&
         sqlite3_step(st) == SQLITE_ROW;
    if (ok) objects = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}

void fuzzFile(std::string_view bytes) {
    const fs::path dir = freshFolder("file");
    const fs::path file = dir / "settings.db";
    put(file, bytes);
    int version = 0;
    std::int64_t objects = 0;
    const bool readable = probe(file, version, objects);
    // What the store may take as its own: an empty file or database, or one it marked.
    const bool own =
        bytes.empty() || (readable && ((version == 0 && objects == 0) || version == 1));
    const bool newer = readable && version > 1;

    {
        SettingsStore store(file);
        const fs::path& moved = store.movedAside();
        if (!moved.empty()) {
            if (moved.parent_path() != dir || contents(moved) != bytes) std::abort();
        } else if (!own && contents(file) != bytes) {
            std::abort();
        }
        if (!own && !newer && store.read("Main", "Start Page", "\n1") != "\n1") std::abort();
        // Whatever was found, the store reads and writes on.
        if (store.write("Main", "Start Page", "about:blank") &&
            store.read("main", "start page", "\n1") != "about:blank")
            std::abort();
    }
    // Everything beside the store is its own or was moved aside by it.
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (e.path().filename().string().rfind("settings.db", 0) != 0) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] & 1) {
        fuzzFile(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    } else {
        FuzzedDataProvider in(data + 1, size - 1);
        fuzzWrites(in);
    }
    return 0;
}
