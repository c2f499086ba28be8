#include "features/session/ClosedTabs.hpp"

#include <glibmm/main.h>

#include "features/session/RestorePages.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

ClosedTabs::ClosedTabs(ShellContext& context) : context_(context) {
    context.signalPageClosed().connect(sigc::mem_fun(*this, &ClosedTabs::pageClosed));
    context.signalBrowserClosed().connect(sigc::mem_fun(*this, &ClosedTabs::windowClosed));
}

ClosedTabs::~ClosedTabs() {
    settling_.disconnect();
}

void ClosedTabs::pageClosed(frmBrowser& window, Page& page) {
    // A page that never showed anything, or one that gives way to restored pages, is
    // nothing the user would want back.
    if (session::placeholderClosing() || page.address().empty()) return;
    // A private window leaves nothing to bring back.
    if (window.isPrivate()) return;
    pending_.push_back({&window, &page == window.currentPage(), session::savedTab(page)});
    if (!settling_.connected())
        settling_ = Glib::signal_idle().connect([this] {
            settle();
            return false;
        });
}

void ClosedTabs::windowClosed(frmBrowser& window) {
    if (window.isPrivate()) return;
    Closed closed;
    closed.wholeWindow = true;
    closed.pages.place = session::savedPlace(window);
    // The window's pages reported themselves in order just before it.
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->from != &window) {
            ++it;
            continue;
        }
        if (it->shown) closed.pages.current = closed.pages.tabs.size();
        closed.pages.tabs.push_back(std::move(it->tab));
        it = pending_.erase(it);
    }
    // Tabs closed alone before the window went came first.
    settle();
    if (!closed.pages.tabs.empty()) keep(std::move(closed));
}

void ClosedTabs::settle() {
    for (Pending& p : pending_) keep({SessionWindow{{}, {std::move(p.tab)}, 0}, false});
    pending_.clear();
}

void ClosedTabs::keep(Closed closed) {
    closed_.push_front(std::move(closed));
    if (closed_.size() > kKept) closed_.pop_back();
}

void ClosedTabs::clear() {
    settling_.disconnect();
    pending_.clear();
    closed_.clear();
}

void ClosedTabs::reopen(frmBrowser& window) {
    // Tabs closed in this very turn are the latest.
    settle();
    if (closed_.empty()) return;
    Closed last = std::move(closed_.front());
    closed_.pop_front();
    if (last.wholeWindow) {
        session::openWindow(context_, last.pages);
        return;
    }
    window.showPage(session::addRestoredTab(context_, window, last.pages.tabs.front()));
}

}  // namespace larkspan
