// What a large favorites folder costs at start-up: reading the folder into the menu's
// entries, building the whole menu of a main window, the whole first window, and opening
// the organizer. The page engine is the tests' fake. Needs a display (run under xvfb-run).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "WindowBench.hpp"
#include "app/Application.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/FavoritesMenu.hpp"
#include "features/favorites/FavoritesMenuModel.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"

namespace fs = std::filesystem;
using larkspan::Application;
using larkspan::frmBrowser;
namespace probes = larkspan::testing;
namespace favorites = larkspan::favorites;

namespace {

using larkspan::bench::drain;
using larkspan::bench::endApplication;
using larkspan::bench::openWindow;

// `count` favorites with titles and addresses of the usual shapes, some longer than a
// caption, in the form the add command writes (plainly here: the atomic rewrite's flush to
// disk of each file would make seeding the slow part). The folder is kept between
// benchmarks asking for the same count.
void seedFavorites(const benchmark::State& state) {
    static int seeded = -1;
    const auto count = static_cast<int>(state.range(0));
    if (count == seeded) return;
    const fs::path folder = favorites::folderPath();
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        std::string title = "Site " + std::to_string(i) + " - news, weather and more";
        if (i % 3 == 0) title += " from around the world today";
        title = favorites::cutTitle(title);
        std::ofstream(folder / (title + ".fav"), std::ios::binary)
            << "FOLDER=\r\nTITLE=" << title << "\r\nURL=https://www.site" << i % 4000
            << ".example/page/" << i << "?ref=favorites\r\n";
    }
    seeded = count;
}

// The folder read into entries, without widgets.
void BM_ReadFolder(benchmark::State& state) {
    seedFavorites(state);
    for (auto _ : state) {
        favorites::FavoritesMenuModel model;
        model.load(favorites::folderPath());
        benchmark::DoNotOptimize(model.entries().data());
    }
}
BENCHMARK(BM_ReadFolder)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

// LoadFavoritesMenu as the start-up runs it: from the one empty entry to the whole list of
// entries (the menu items wait for the menu to open).
void BM_LoadFavoritesMenu(benchmark::State& state) {
    seedFavorites(state);
    frmBrowser& w = openWindow();
    auto& menu = favorites::FavoritesMenu::of(w);
    for (auto _ : state) {
        state.PauseTiming();
        menu.rebuild({});
        drain();
        state.ResumeTiming();
        menu.LoadFavoritesMenu(favorites::folderPath());
        drain();
    }
    endApplication();
}
BENCHMARK(BM_LoadFavoritesMenu)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

// Pops `menu` up below the menu bar's "Favorites" item, as a click on that item does, and
// lets the main loop run until the menu has drawn itself once: what the user waits for.
void openUntilDrawn(frmBrowser& w, Gtk::Menu& menu) {
    bool drawn = false;
    auto watch = menu.signal_draw().connect([&drawn](const Cairo::RefPtr<Cairo::Context>&) {
        drawn = true;
        return false;
    });
    auto* item = probes::probe(w).widget<Gtk::MenuItem>("mnuFavorites");
    menu.popup_at_widget(item, Gdk::GRAVITY_SOUTH_WEST, Gdk::GRAVITY_NORTH_WEST, nullptr);
    auto ctx = Glib::MainContext::get_default();
    while (!drawn) ctx->iteration(true);
    watch.disconnect();
}

// The menu's first opening in a new window, up to its first drawing.
void BM_OpenFavoritesMenu(benchmark::State& state) {
    seedFavorites(state);
    for (auto _ : state) {
        state.PauseTiming();
        frmBrowser& w = openWindow();
        auto* menu = probes::probe(w).widget<Gtk::Menu>("mnuFavorites_menu");
        state.ResumeTiming();
        openUntilDrawn(w, *menu);
        state.PauseTiming();
        menu->popdown();
        endApplication();
        state.ResumeTiming();
    }
}
// Each round opens and closes a whole window untimed: a fixed number of rounds.
BENCHMARK(BM_OpenFavoritesMenu)->Arg(0)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond);

// The way to the last favorite in a new window: every menu that holds it made.
void BM_ReachLastFavorite(benchmark::State& state) {
    seedFavorites(state);
    for (auto _ : state) {
        state.PauseTiming();
        frmBrowser& w = openWindow();
        auto& favorites = favorites::FavoritesMenu::of(w);
        const std::size_t last = favorites.model().entries().size() - 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(favorites.item(last));
        state.PauseTiming();
        endApplication();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReachLastFavorite)->Arg(0)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond);

// The first main window's whole start-up, favorites menu included.
void BM_FirstWindow(benchmark::State& state) {
    seedFavorites(state);
    for (auto _ : state) {
        openWindow();
        state.PauseTiming();
        endApplication();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstWindow)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

// Opening the organizer: its lists read from the folder and the window shown.
void BM_OpenOrganizer(benchmark::State& state) {
    seedFavorites(state);
    frmBrowser& w = openWindow();
    for (auto _ : state) {
        w.runCommand("organize-favorites");
        drain();
        state.PauseTiming();
        Application::instance().windows().close("frmFavorites");
        drain();
        state.ResumeTiming();
    }
    endApplication();
}
BENCHMARK(BM_OpenOrganizer)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return larkspan::bench::runWindowBenchmarks(argc, argv);
}
