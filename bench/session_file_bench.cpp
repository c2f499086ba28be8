// Costs of the session file at start-up and while browsing: reading and writing a session of
// 20 tabs in 3 windows, each page with a history of 16 KiB as the engine serialises one.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "features/session/SessionFile.hpp"

namespace fs = std::filesystem;
using namespace larkspan;

namespace {

Session twentyTabs() {
    Session session;
    const int tabsPerWindow[] = {10, 6, 4};
    int n = 0;
    for (int tabs : tabsPerWindow) {
        SessionWindow window;
        for (int i = 0; i < tabs; ++i, ++n) {
            const std::string name = std::to_string(n);
            window.tabs.push_back({"https://site" + name + ".test/a/long/path?query=" + name,
                                   "Page number " + name, std::string(16 * 1024, char('a' + n))});
        }
        window.current = window.tabs.size() - 1;
        session.windows.push_back(std::move(window));
    }
    return session;
}

fs::path benchFile() {
    const fs::path dir = fs::temp_directory_path() / "larkspan-session-bench";
    fs::create_directories(dir);
    return dir / "session.dat";
}

void BM_ReadSession(benchmark::State& state) {
    const fs::path file = benchFile();
    session::writeSessionFile(twentyTabs(), file);
    for (auto _ : state) {
        auto read = session::readSessionFile(file);
        if (!read) state.SkipWithError("the session did not read back");
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_ReadSession)->Unit(benchmark::kMillisecond);

void BM_WriteSession(benchmark::State& state) {
    const fs::path file = benchFile();
    const Session session = twentyTabs();
    for (auto _ : state) {
        if (!session::writeSessionFile(session, file)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteSession)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
