// A page asks for 10,000 popups in one loop, under "Block Popups" and under "Block and
// Alert" with logging on. Reports the time from the page's request to the last popup
// handled and the main loop's longest stall (the longest gap between the ticks of a 5 ms
// timer), and checks the counter and the log's line count. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/popup_storm/popup_storm [count]
#include <gtkmm/main.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/Application.hpp"
#include "features/popups/BlockedLog.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/PageServer.hpp"
#include "support/Wait.hpp"

namespace fs = std::filesystem;
using namespace larkspan;
using Clock = std::chrono::steady_clock;

namespace {

std::size_t lineCount(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return static_cast<std::size_t>(
        std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

struct Result {
    double seconds = 0;
    double longestStallMs = 0;
    std::string counter;
    std::size_t logLines = 0;
    bool finished = false;
};

Result storm(frmBrowser& w, test::PageServer& server, OptionsModel::PopupMode mode, int count) {
    Application& app = Application::instance();
    OptionsModel& options = app.options();
    options.setPopupMode(mode);
    options.setFlag(OptionId::LogBlocked, true);
    options.setText(OptionId::BlockedCount, "0");
    app.settings().write(keys::kSettings, keys::kBlockedCount, "0");
    app.windows().close("frmBlockedLog");
    std::error_code ec;
    fs::remove(popups::blockedLogPath(), ec);

    int handled = 0;
    Clock::time_point last = Clock::now();
    sigc::connection conn = w.page().engine().signalNewWindow2.connect([&](NewWindowRequest&) {
        ++handled;
        last = Clock::now();
    });
    Clock::time_point tick = Clock::now();
    double stall = 0;
    auto timer = Glib::signal_timeout().connect(
        [&] {
            Clock::time_point now = Clock::now();
            stall = std::max(stall, std::chrono::duration<double, std::milli>(now - tick).count());
            tick = now;
            return true;
        },
        5);

    Clock::time_point start = Clock::now();
    tick = start;
    w.page().engine().navigate(server.url("/storm?" + std::to_string(static_cast<int>(mode))));
    Result r;
    r.finished = test::waitUntil([&] { return handled >= count; }, 600000);
    timer.disconnect();
    conn.disconnect();
    r.seconds = std::chrono::duration<double>(last - start).count();
    r.longestStallMs = stall;
    r.counter = app.settings().read(keys::kSettings, keys::kBlockedCount, "");
    r.logLines = lineCount(popups::blockedLogPath());
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    char tmpl[] = "/tmp/larkspan-popup-storm-XXXXXX";
    if (!::mkdtemp(tmpl)) return 1;
    fs::path root(tmpl);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    gtk_init(&argc, &argv);
    Gtk::Main::init_gtkmm_internals();
    Application::setUnique(false);

    test::PageServer server;
    if (!server.listening()) return 1;
    server.addPage("/home", "<html><body>home</body></html>");
    server.addPage("/storm",
                   "<html><head><title>Storm</title><script>window.onload = function () {"
                   " for (var i = 0; i < " +
                       std::to_string(count) +
                       "; ++i) window.open('/popup'); document.title = 'done'; };"
                       "</script></head><body>storm</body></html>");
    Application& app = Application::instance();
    app.settings().write(keys::kSettings, keys::kHomepage, server.url("/home"));
    frmBrowser& w = app.createBrowserWindow();
    w.show();

    int failures = 0;
    for (auto [mode, name, logged] :
         {std::tuple{OptionsModel::PopupMode::Block, "Block Popups", false},
          std::tuple{OptionsModel::PopupMode::BlockAndAlert, "Block and Alert", true}}) {
        Result r = storm(w, server, mode, count);
        std::size_t expectedLines = logged ? static_cast<std::size_t>(count) : 0;
        bool ok = r.finished && r.counter == std::to_string(count) && r.logLines == expectedLines;
        failures += ok ? 0 : 1;
        std::printf(
            "%-16s %d popups: last handled after %.2f s, longest main-loop stall %.1f ms, "
            "counter %s, log lines %zu (%s)\n",
            name, count, r.seconds, r.longestStallMs, r.counter.c_str(), r.logLines,
            ok ? "as expected" : "WRONG");
    }
    Application::shutdown();
    std::error_code ec;
    fs::remove_all(root, ec);
    return failures == 0 ? 0 : 1;
}
