// The main window's pages as tabs: the strip appears with the second page, the window shows
// the page of the tab chosen, and a page's own close request closes its tab.
#include <algorithm>

#include "common/Failure.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/TabLabel.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

Page& frmBrowser::addPage(std::unique_ptr<PageEngine> engine) {
    Page& page = holdPage(std::move(engine));
    showTabStrip();
    ctx_.signalPageOpened().emit(*this, page);
    return page;
}

Page& frmBrowser::holdPage(std::unique_ptr<PageEngine> engine) {
    auto& page = *pages_.emplace_back(std::make_unique<Page>(std::move(engine)));
    Gtk::Widget& view = page.engine().widget();
    view.set_name("WebBrowser1");
    view.show();
    auto* tab = Gtk::make_managed<TabLabel>(page);
    tab->show();
    hookPage(page, *tab);
    Tabs->append_page(view, *tab);
    Tabs->set_tab_reorderable(view, true);
    Tabs->set_tab_detachable(view, true);
    return page;
}

void frmBrowser::hookPage(Page& page, TabLabel& tab) {
    std::vector<sigc::connection>& hooks = pageHooks_[&page];
    hooks.push_back(tab.signalClose.connect([this, &page] { closePage(page); }));
    // Only the page a window was made for sizes it.
    if (!current_) {
        hooks.push_back(page.engine().signalReadyToShow.connect(
            [this, &page] { WebBrowser1_ReadyToShow(page); }));
    }
    // A page that asked to close and was allowed to closes its own tab, shown or not.
    hooks.push_back(page.signalCloseAllowed.connect([this, &page] { closePage(page); }));
    hooks.push_back(page.engine().signalOpenInNewTab.connect(
        [this](const std::string& address) { openTab(address, TabPlace::BesideInBackground); }));
}

void frmBrowser::unhookPage(const Page& page) {
    auto hooks = pageHooks_.find(&page);
    if (hooks == pageHooks_.end()) return;
    for (sigc::connection& c : hooks->second) c.disconnect();
    pageHooks_.erase(hooks);
}

void frmBrowser::connectTabs() {
    tabConns_ = {
        Tabs->signal_switch_page().connect([this](Gtk::Widget* view, guint) { tabSwitched(view); }),
        Tabs->signal_page_reordered().connect([this](Gtk::Widget*, guint) { tabsReordered(); }),
        Tabs->signal_page_removed().connect([this](Gtk::Widget* view, guint) { tabLeft(view); }),
        Tabs->signal_page_added().connect([this](Gtk::Widget* view, guint) { tabArrived(view); }),
    };
    // Not wrapped by gtkmm: a tab dropped outside every window.
    createWindowHandler_ = g_signal_connect(
        Tabs->gobj(), "create-window",
        G_CALLBACK(+[](GtkNotebook*, GtkWidget* view, gint x, gint y, gpointer self) {
            Gtk::Notebook* strip = nullptr;
            try {
                strip = static_cast<frmBrowser*>(self)->windowForTab(Glib::wrap(view), x, y);
            } catch (...) {
                reportFailure("opening a window for a tab");
            }
            return strip ? strip->gobj() : static_cast<GtkNotebook*>(nullptr);
        }),
        this);
}

namespace {

// A page on its way from one window's strip to another's, between the two strips' signals.
std::unique_ptr<Page>& pageInTransit() {
    static std::unique_ptr<Page> page;
    return page;
}

}  // namespace

void frmBrowser::tabLeft(Gtk::Widget* view) {
    // A tab closed here is no longer one of the window's pages; one still held was dragged
    // out to another strip.
    Page* page = pageShowing(view);
    if (!page) return;
    pageInTransit() = letGo(*page);
    showTabStrip();
}

std::unique_ptr<Page> frmBrowser::letGo(Page& page) {
    if (besideAnchor_ == &page) besideAnchor_ = nullptr;
    if (emptyPage_ == &page) emptyPage_ = nullptr;
    unhookPage(page);
    auto held = std::find_if(pages_.begin(), pages_.end(),
                             [&page](const std::unique_ptr<Page>& p) { return p.get() == &page; });
    std::unique_ptr<Page> gone = std::move(*held);
    pages_.erase(held);
    return gone;
}

void frmBrowser::tabArrived(Gtk::Widget* view) {
    std::unique_ptr<Page>& moving = pageInTransit();
    if (pageShowing(view) || !moving || &moving->engine().widget() != view) return;
    Page& page = *pages_.emplace_back(std::move(moving));
    auto* tab = dynamic_cast<TabLabel*>(Tabs->get_tab_label(*view));
    if (!tab) {
        tab = Gtk::make_managed<TabLabel>(page);
        tab->show();
        Tabs->set_tab_label(*view, *tab);
    }
    tab->signalClose.clear();
    hookPage(page, *tab);
    Tabs->set_tab_reorderable(*view, true);
    Tabs->set_tab_detachable(*view, true);
    tabsReordered();
    showPage(page);
    showTabStrip();
    // A window made for the tab lets its own empty page go.
    if (Page* empty = emptyPage_) {
        emptyPage_ = nullptr;
        closePage(*empty);
    }
}

Gtk::Notebook* frmBrowser::windowForTab(Gtk::Widget* view, int x, int y) {
    if (pages_.size() < 2 || !pageShowing(view)) return nullptr;
    // An engine handed in loads nothing of its own: the window waits for the tab.
    frmBrowser& window = ctx_.createBrowserWindow(newEngine());
    window.emptyPage_ = &window.page();
    window.move(x, y);
    window.show();
    return window.Tabs;
}

Page* frmBrowser::pageShowing(const Gtk::Widget* view) const {
    for (const auto& p : pages_) {
        if (&p->engine().widget() == view) return p.get();
    }
    return nullptr;
}

void frmBrowser::showPage(Page& page) {
    if (&page == current_ || !pageShowing(&page.engine().widget())) return;
    // The strip's switch brings the page in (tabSwitched).
    Tabs->set_current_page(Tabs->page_num(page.engine().widget()));
}

void frmBrowser::tabSwitched(Gtk::Widget* view) {
    Page* page = pageShowing(view);
    if (!page || page == current_) return;
    current_ = page;
    besideAnchor_ = nullptr;
    followCurrentPage();
}

void frmBrowser::tabsReordered() {
    std::stable_sort(pages_.begin(), pages_.end(), [this](const auto& a, const auto& b) {
        return Tabs->page_num(a->engine().widget()) < Tabs->page_num(b->engine().widget());
    });
}

void frmBrowser::showTabStrip() {
    Tabs->set_show_tabs(pages_.size() > 1);
}

Page& frmBrowser::openTab(const std::string& address, TabPlace place) {
    // Links opened from the current page line up after it in the order they were opened.
    Page* after = besideAnchor_ ? besideAnchor_ : current_;
    Page& page = addPage(newEngine());
    if (place == TabPlace::BesideInBackground) {
        Tabs->reorder_child(page.engine().widget(), Tabs->page_num(after->engine().widget()) + 1);
        tabsReordered();
    }
    page.engine().navigate(address);
    if (place == TabPlace::LastShown)
        showPage(page);
    else
        besideAnchor_ = &page;
    return page;
}

void frmBrowser::closePage(Page& page) {
    if (!pageShowing(&page.engine().widget())) return;
    if (pages_.size() == 1) {
        Form_Unload();
        return;
    }
    Gtk::Widget& view = page.engine().widget();
    if (&page == current_) {
        // The tab after it comes forward, or the one before when it was the last.
        int at = Tabs->page_num(view);
        int next = at + 1 < Tabs->get_n_pages() ? at + 1 : at - 1;
        Tabs->set_current_page(next);
    }
    ctx_.signalPageClosed().emit(*this, page);
    // The page goes after its tab: the engine still holds its view while the strip lets go.
    std::unique_ptr<Page> closing = letGo(page);
    Tabs->remove_page(view);
    closing.reset();
    showTabStrip();
}

std::unique_ptr<PageEngine> frmBrowser::newEngine() {
    return private_ ? ctx_.makePrivateEngine() : ctx_.makeEngine();
}

void frmBrowser::stepTab(int step) {
    int n = Tabs->get_n_pages();
    if (n < 2) return;
    Tabs->set_current_page(((Tabs->get_current_page() + step) % n + n) % n);
}

void frmBrowser::selectTab(int index) {
    if (index >= 0 && index < Tabs->get_n_pages()) Tabs->set_current_page(index);
}

}  // namespace larkspan
