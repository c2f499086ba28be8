#include "features/session/RestorePages.hpp"

#include <glibmm/main.h>

#include <memory>

#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::session {

namespace {
bool placeholderClosing_ = false;
// How long restored windows wait at most for the first window's page.
constexpr unsigned kLatestSeconds = 3;
}  // namespace

bool placeholderClosing() {
    return placeholderClosing_;
}

SessionTab savedTab(const Page& page) {
    return {page.address(), page.title(), page.historyState()};
}

WindowPlaces savedPlace(const frmBrowser& window) {
    const WindowGeometry& g = window.geometry();
    return {window.windowState(), g.left(), g.top(), g.width(), g.height()};
}

SessionWindow savedWindow(const frmBrowser& window) {
    SessionWindow saved;
    saved.place = savedPlace(window);
    const Page* shown = window.currentPage();
    for (const auto& page : window.pages()) {
        if (page.get() == shown) saved.current = saved.tabs.size();
        saved.tabs.push_back(savedTab(*page));
    }
    return saved;
}

Page& addRestoredTab(ShellContext& context, frmBrowser& window, const SessionTab& tab) {
    Page& page = window.addPage(context.makeEngine());
    PageEngine* engine = &page.engine();
    page.loadWhenShown(tab.address, tab.title, tab.history, [engine, tab] {
        if (!engine->restoreHistoryState(tab.history)) engine->navigate(tab.address);
    });
    return page;
}

void fillWindow(ShellContext& context, frmBrowser& window, const SessionWindow& saved) {
    if (saved.tabs.empty()) return;
    Page* fresh = &window.page();
    bool freshGivesWay = window.pages().size() == 1 && fresh->placeholder();
    WindowPlaces place = saved.place;
    // A window brought back minimised would seem not to have come back at all.
    if (place.state == WindowPlaces::Minimized) place.state = WindowPlaces::Normal;
    window.applyPlaces(place);
    Page* current = nullptr;
    for (std::size_t t = 0; t < saved.tabs.size(); ++t) {
        Page& page = addRestoredTab(context, window, saved.tabs[t]);
        if (t == saved.current) current = &page;
    }
    // A page the window was asked to open stays the one shown.
    if (!freshGivesWay) return;
    if (current) window.showPage(*current);
    placeholderClosing_ = true;
    window.closePage(*fresh);
    placeholderClosing_ = false;
}

frmBrowser& openWindow(ShellContext& context, const SessionWindow& saved) {
    // An engine handed in loads no home page: the window's first page stays blank and
    // gives way to the saved tabs.
    frmBrowser& window = context.createBrowserWindow(context.makeEngine());
    window.page().setPlaceholder();
    fillWindow(context, window, saved);
    window.show();
    return window;
}

void openWindowsAfter(ShellContext& context, Page& first, std::vector<SessionWindow> windows) {
    if (windows.empty()) return;
    struct Waiting {
        std::vector<SessionWindow> windows;
        sigc::connection loaded;
        sigc::connection latest;
    };
    auto waiting = std::make_shared<Waiting>();
    waiting->windows = std::move(windows);
    auto open = [&context, waiting] {
        waiting->loaded.disconnect();
        waiting->latest.disconnect();
        std::vector<SessionWindow> now = std::move(waiting->windows);
        waiting->windows.clear();
        for (const SessionWindow& saved : now) openWindow(context, saved);
    };
    // A page that goes before it has loaded takes its signal along; the time-out remains.
    waiting->loaded = first.signalProgress.connect([&first, open](long, long) {
        if (!first.loading()) open();
    });
    waiting->latest = Glib::signal_timeout().connect_seconds(
        [open] {
            open();
            return false;
        },
        kLatestSeconds);
}

}  // namespace larkspan::session
