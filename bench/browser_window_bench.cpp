// What the typed-address history costs the windows: the first main window's whole start-up
// (which reads "history.txt"), a further main window, and opening the address box's
// drop-down, each with an empty history and with long ones. The page engine is the tests'
// fake, so the figures are the program's own work. Needs a display (run under xvfb-run).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "HistoryFile.hpp"
#include "WindowBench.hpp"
#include "app/Application.hpp"
#include "common/ListFile.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"

using larkspan::Application;
using larkspan::frmBrowser;
namespace probes = larkspan::testing;

namespace {

using larkspan::bench::drain;
using larkspan::bench::endApplication;
using larkspan::bench::openWindow;

void seedHistory(const benchmark::State& state) {
    larkspan::bench::writeHistoryFile(larkspan::listfile::historyFilePath(),
                                      static_cast<std::size_t>(state.range(0)));
}

void BM_FirstWindow(benchmark::State& state) {
    seedHistory(state);
    for (auto _ : state) {
        openWindow();
        state.PauseTiming();
        endApplication();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstWindow)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_NewWindow(benchmark::State& state) {
    seedHistory(state);
    Application& app = Application::instance();
    openWindow();
    for (auto _ : state) {
        frmBrowser& w = openWindow();
        state.PauseTiming();
        w.hide();
        app.browserClosed(&w);
        drain();
        state.ResumeTiming();
    }
    endApplication();
}
BENCHMARK(BM_NewWindow)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenDropDown(benchmark::State& state) {
    seedHistory(state);
    frmBrowser& w = openWindow();
    auto* box = probes::probe(w).widget<larkspan::AddressBox>("cboAddress");
    for (auto _ : state) {
        box->popup();
        drain();
        state.PauseTiming();
        box->popdown();
        drain();
        state.ResumeTiming();
    }
    endApplication();
}
BENCHMARK(BM_OpenDropDown)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return larkspan::bench::runWindowBenchmarks(argc, argv);
}
