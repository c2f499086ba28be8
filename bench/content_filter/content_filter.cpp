// The ad and tracker filter, measured on this machine's lists:
//   - converting each list (and both together) into the engine's rules, with the rules used
//     and skipped;
//   - the engine compiling the rules of both lists, and loading the stored result;
//   - the start-up benchmark's page (bench/startup/page) loaded from 127.0.0.1 by a real
//     page engine with the filter and without it, alternating, the median of each.
// Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/content_filter/content_filter [rounds]
#include <gtkmm/main.h>
#include <gtkmm/window.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/Dialogs.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "features/contentfilter/FilterListConverter.hpp"
#include "features/contentfilter/FilterLists.hpp"
#include "support/PageServer.hpp"
#include "support/Wait.hpp"

namespace fs = std::filesystem;
using namespace larkspan;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    Gtk::Main kit;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    // ---- Converting.
    auto lists = contentfilter::findFilterLists(contentfilter::kSystemListFolder, "/nonexistent");
    if (lists.empty()) {
        std::fprintf(stderr, "no lists in %s\n", contentfilter::kSystemListFolder);
        return 1;
    }
    for (const auto& list : lists) {
        std::string text = contents(list.path);
        Clock::time_point start = Clock::now();
        contentfilter::FilterListConverter converter;
        contentfilter::RuleCounts counts = converter.addList(text);
        std::string json = converter.json();
        std::printf("convert %-16s %8.0f ms  %6zu rules used, %5zu skipped, %5.1f MB of rules\n",
                    list.path.filename().c_str(), msSince(start), counts.used, counts.skipped,
                    json.size() / 1e6);
    }
    Clock::time_point start = Clock::now();
    contentfilter::ConvertedLists both = contentfilter::convertLists(lists);
    std::printf("convert both lists   %8.0f ms  (reading included)\n", msSince(start));

    // ---- Compiling and loading.
    fs::path root =
        fs::temp_directory_path() / ("larkspan-filter-bench-" + std::to_string(getpid()));
    auto session = std::make_shared<WebSession>(
        WebSessionFolders{root / "data", root / "cache", [root] { return root; }});
    bool done = false;
    bool ok = false;
    start = Clock::now();
    session->filters().compile(contentfilter::kFilterName, std::move(both.rules), [&](bool c) {
        ok = c;
        done = true;
    });
    test::waitUntil([&] { return done; }, 1800000);
    std::printf("compile both lists   %8.0f ms  %s\n", msSince(start), ok ? "" : "(FAILED)");
    if (!ok) return 1;
    done = false;
    start = Clock::now();
    session->filters().load(contentfilter::kFilterName, [&](bool c) {
        ok = c;
        done = true;
    });
    test::waitUntil([&] { return done; }, 600000);
    std::printf("load stored filter   %8.0f ms  %s\n", msSince(start), ok ? "" : "(FAILED)");

    // ---- The page, with and without the filter.
    test::PageServer server;
    const fs::path page = fs::path(LARKSPAN_SOURCE_DIR) / "bench/startup/page";
    server.addPage("/index.html", contents(page / "index.html"));
    server.addPage("/style.css", contents(page / "style.css"), "text/css");
    server.addPage(
        "/flower.svg",
        contents(fs::path(LARKSPAN_SOURCE_DIR) / "data/icons/hicolor/scalable/apps/larkspan.svg"),
        "image/svg+xml");
    server.addPage("/loaded", "");
    // Each in a session of its own, which keeps its filter (or none) from load to load.
    auto bare = std::make_shared<WebSession>(WebSessionFolders{
        root / "bare" / "data", root / "bare" / "cache", [root] { return root; }});
    auto dialogs = []() -> Dialogs& { return larkspan::dialogs(); };
    struct Shown {
        std::unique_ptr<PageEngine> engine;
        Gtk::Window window;
        int loads = 0;
        std::vector<double> times;
    };
    Shown filtered;
    Shown plain;
    filtered.engine = makeWebKitPageEngine(dialogs, session);
    plain.engine = makeWebKitPageEngine(dialogs, bare);
    for (Shown* shown : {&filtered, &plain}) {
        shown->window.set_default_size(1024, 768);
        shown->window.add(shown->engine->widget());
        shown->window.show_all();
        shown->engine->signalDownloadComplete.connect([shown] { ++shown->loads; });
    }
    for (int round = 0; round <= rounds; ++round) {
        // The order alternates, so that drift on the machine falls on both alike.
        for (Shown* shown : round % 2 == 0 ? std::vector<Shown*>{&filtered, &plain}
                                           : std::vector<Shown*>{&plain, &filtered}) {
            int before = shown->loads;
            start = Clock::now();
            shown->engine->navigate(server.url("/index.html?" + std::to_string(round)));
            if (!test::waitUntil([&] { return shown->loads > before; }, 60000)) {
                std::fprintf(stderr, "the page did not load\n");
                return 1;
            }
            // Round 0 starts the page processes and is not counted.
            if (round > 0) shown->times.push_back(msSince(start));
        }
    }
    std::vector<double>& with = filtered.times;
    std::vector<double>& without = plain.times;
    std::printf("page load, filter on  %7.1f ms  (median of %d)\n", median(with), rounds);
    std::printf("page load, filter off %7.1f ms  (median of %d)\n", median(without), rounds);
    filtered.engine.reset();
    plain.engine.reset();
    session.reset();
    bare.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
