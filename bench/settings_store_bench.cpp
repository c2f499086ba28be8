// Costs of the settings store as the program meets them: the ~60 reads of a start-up (options
// load plus main window), with the store already open and from a cold open, against plain
// SQL look-ups without the in-memory copy; the refresh after another instance's write; a write;
// the writes of "Apply", one by one and as one transaction.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "settings/OptionDecls.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"

namespace fs = std::filesystem;
using larkspan::SettingsStore;

namespace {

// (section, key) pairs read at start-up; a few of them are never written, as in a real store.
std::vector<std::pair<std::string, std::string>> startupKeys() {
    std::vector<std::pair<std::string, std::string>> keys;
    for (const char* k : {"Homepage",
                          "Blocked#",
                          "PopupBlocker1",
                          "PopupBlocker2",
                          "PopupBlocker3",
                          "PopupBlocker30",
                          "BlockedLog",
                          "ShowBlock",
                          "AddressFC",
                          "AddressBG",
                          "toolbarFont",
                          "StatusbarFont",
                          "ProgressBar",
                          "ProgressBarForeColor",
                          "ShowText",
                          "ShowTextCap",
                          "Button1",
                          "Button2",
                          "Button3",
                          "Button4",
                          "Button5",
                          "History",
                          "CheckUpdatesAtStart",
                          "Systray",
                          "StatusbarVisible1",
                          "StatusBarVisible",
                          "SuppressScriptErrors",
                          "SuppressScriptErrors1",
                          "MainLeft",
                          "MainTop",
                          "MainWidth",
                          "MainHeight",
                          "Top",
                          "Left",
                          "WindowState",
                          "PassLockHis",
                          "PassLockFav",
                          "PassLockOpt",
                          "PassLockEmail",
                          "PassLockbrowser",
                          "Homepage",
                          "Blocked#",
                          "StatusbarFont",
                          "ShowText",
                          "AddressFC",
                          "AddressBG",
                          "ProgressBar",
                          "ProgressBarForeColor"})
        keys.emplace_back("Settings", k);
    for (const char* k : {"FontColor", "FontHighlightColor", "BackColor", "BackHighlightColor",
                          "ProgramBackColor", "ProgramFontColor", "FontColor", "BackColor",
                          "ProgramBackColor", "ProgramFontColor", "FontHighlightColor"})
        keys.emplace_back("ButtonColors", k);
    keys.emplace_back("WebSearch", "LastEngine");
    return keys;
}

// A store file filled the way a used program leaves it.
class Fixture {
  public:
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "larkspan-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
        file_ = dir_ / "settings.db";
        SettingsStore s(file_);
        int i = 0;
        for (const auto& [section, key] : startupKeys())
            if (++i % 7 != 0) s.write(section, key, "value of " + key);
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    const fs::path& file() const { return file_; }

  private:
    fs::path dir_;
    fs::path file_;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_StartupReads_Warm(benchmark::State& state) {
    const auto keys = startupKeys();
    SettingsStore s(fixture().file());
    for (auto _ : state) {
        for (const auto& [section, key] : keys)
            benchmark::DoNotOptimize(s.read(section, key, "default"));
    }
    state.counters["reads"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_StartupReads_Warm)->Unit(benchmark::kMicrosecond);

void BM_StartupReads_ColdOpen(benchmark::State& state) {
    const auto keys = startupKeys();
    for (auto _ : state) {
        SettingsStore s(fixture().file());
        for (const auto& [section, key] : keys)
            benchmark::DoNotOptimize(s.read(section, key, "default"));
    }
    state.counters["reads"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_StartupReads_ColdOpen)->Unit(benchmark::kMicrosecond);

void BM_OpenOnly(benchmark::State& state) {
    for (auto _ : state) {
        SettingsStore s(fixture().file());
        benchmark::DoNotOptimize(&s);
    }
}
BENCHMARK(BM_OpenOnly)->Unit(benchmark::kMicrosecond);

// What the same reads cost as one SQL query each on an open connection, without the copy.
void BM_StartupReads_PlainSqlBaseline(benchmark::State& state) {
    const auto keys = startupKeys();
    sqlite3* db = nullptr;
    sqlite3_open_v2(fixture().file().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT value FROM settings WHERE app_key = ?1 AND section_key = ?2 AND "
                       "name_key = ?3",
                       -1, &st, nullptr);
    const std::string app = "larkspan\\larkspan";
    for (auto _ : state) {
        for (const auto& [section, key] : keys) {
            std::string fs = section, fk = key;
            for (char& c : fs) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            for (char& c : fk) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            sqlite3_bind_blob(st, 1, app.data(), static_cast<int>(app.size()), SQLITE_STATIC);
            sqlite3_bind_blob(st, 2, fs.data(), static_cast<int>(fs.size()), SQLITE_STATIC);
            sqlite3_bind_blob(st, 3, fk.data(), static_cast<int>(fk.size()), SQLITE_STATIC);
            std::string v = "default";
            if (sqlite3_step(st) == SQLITE_ROW)
                v.assign(static_cast<const char*>(sqlite3_column_blob(st, 0)),
                         static_cast<std::size_t>(sqlite3_column_bytes(st, 0)));
            sqlite3_reset(st);
            benchmark::DoNotOptimize(v);
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}
BENCHMARK(BM_StartupReads_PlainSqlBaseline)->Unit(benchmark::kMicrosecond);

// A read right after another instance wrote: the whole copy is read again.
void BM_ReadAfterOtherInstanceWrote(benchmark::State& state) {
    SettingsStore reader(fixture().file());
    SettingsStore writer(fixture().file());
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writer.write("Settings", "Blocked#", std::to_string(++i));
        state.ResumeTiming();
        benchmark::DoNotOptimize(reader.read("Settings", "Blocked#", "0"));
    }
}
BENCHMARK(BM_ReadAfterOtherInstanceWrote)->Unit(benchmark::kMicrosecond);

void BM_Write(benchmark::State& state) {
    SettingsStore s(fixture().file());
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.write("Settings", "Blocked#", std::to_string(++i)));
}
BENCHMARK(BM_Write)->Unit(benchmark::kMicrosecond);

// "Apply": every option it stores, one write each (as it used to be) against one transaction.
void BM_ApplyOneWriteEach(benchmark::State& state) {
    SettingsStore s(fixture().file());
    larkspan::OptionsModel m;
    for (auto _ : state) {
        for (const larkspan::OptionDecl& d : larkspan::optionDecls()) {
            if (d.writer == larkspan::Writer::Apply)
                benchmark::DoNotOptimize(s.write(d.section, d.key, d.storedText(m)));
        }
    }
}
BENCHMARK(BM_ApplyOneWriteEach)->Unit(benchmark::kMicrosecond);

void BM_ApplyOneTransaction(benchmark::State& state) {
    SettingsStore s(fixture().file());
    larkspan::OptionsModel m;
    for (auto _ : state) benchmark::DoNotOptimize(m.writeApplied(s));
}
BENCHMARK(BM_ApplyOneTransaction)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
