// What the typed-address history costs the windows: the first main window's whole start-up
// (which reads "history.txt"), a further main window, and opening the address box's
// drop-down, each with an empty history and with long ones. The page engine is the tests'
// fake, so the figures are the program's own work. Needs a display (run under xvfb-run).
#include <benchmark/benchmark.h>
#include <gtkmm/main.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "HistoryFile.hpp"
#include "app/Application.hpp"
#include "common/ListFile.hpp"
#include "shell/frmBrowser.hpp"
#include "support/FakePageEngine.hpp"

namespace fs = std::filesystem;
using larkspan::Application;
using larkspan::frmBrowser;

namespace {

void drain() {
    auto ctx = Glib::MainContext::get_default();
    for (int i = 0; i < 1000 && ctx->pending(); ++i) ctx->iteration(false);
}

void seedHistory(const benchmark::State& state) {
    larkspan::bench::writeHistoryFile(larkspan::listfile::historyFilePath(),
                                      static_cast<std::size_t>(state.range(0)));
}

frmBrowser& openWindow() {
    frmBrowser& w = Application::instance().createBrowserWindow();
    w.show();
    drain();
    return w;
}

void endApplication() {
    Application::shutdown();
    drain();
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
    auto* box = w.widget<larkspan::AddressBox>("cboAddress");
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
    std::string pattern = (fs::temp_directory_path() / "larkspan-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path root = pattern;
    fs::create_directories(root / "config");
    fs::create_directories(root / "data");
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    gtk_init(&argc, &argv);
    Gtk::Main::init_gtkmm_internals();
    larkspan::testing::useFakeEngines();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
