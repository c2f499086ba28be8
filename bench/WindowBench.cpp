#include "WindowBench.hpp"

#include <benchmark/benchmark.h>
#include <gtkmm/main.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "app/Application.hpp"
#include "shell/frmBrowser.hpp"
#include "support/FakePageEngine.hpp"

namespace fs = std::filesystem;

namespace larkspan::bench {

void drain() {
    auto ctx = Glib::MainContext::get_default();
    for (int i = 0; i < 100000 && ctx->pending(); ++i) ctx->iteration(false);
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

int runWindowBenchmarks(int argc, char** argv) {
    std::string pattern = (fs::temp_directory_path() / "larkspan-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path root = pattern;
    fs::create_directories(root / "config");
    fs::create_directories(root / "data");
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    gtk_init(&argc, &argv);
    Gtk::Main::init_gtkmm_internals();
    Application::setEngineFactory([] { return std::make_unique<testing::FakePageEngine>(); });

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}

}  // namespace larkspan::bench
