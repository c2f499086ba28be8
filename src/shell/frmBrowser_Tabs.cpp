// The main window's pages as tabs: the strip appears with the second page, the window shows
// the page of the tab chosen, and a page's own close request closes its tab.
#include <algorithm>

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
    tab->signalClose.connect([this, &page] { closePage(page); });
    if (!current_) {
        page.engine().signalReadyToShow.connect([this, &page] { WebBrowser1_ReadyToShow(page); });
    }
    // A page that asked to close and was allowed to closes its own tab, shown or not.
    page.signalCloseAllowed.connect([this, &page] { closePage(page); });
    page.engine().signalOpenInNewTab.connect(
        [this](const std::string& address) { openTab(address, TabPlace::BesideInBackground); });
    Tabs->append_page(view, *tab);
    Tabs->set_tab_reorderable(view, true);
    return page;
}

void frmBrowser::connectTabs() {
    tabConns_ = {
        Tabs->signal_switch_page().connect([this](Gtk::Widget* view, guint) { tabSwitched(view); }),
        Tabs->signal_page_reordered().connect([this](Gtk::Widget*, guint) { tabsReordered(); }),
    };
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
    Page& page = addPage(ctx_.makeEngine());
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
    auto held = std::find_if(pages_.begin(), pages_.end(),
                             [&page](const std::unique_ptr<Page>& p) { return p.get() == &page; });
    if (held == pages_.end()) return;
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
    if (besideAnchor_ == &page) besideAnchor_ = nullptr;
    ctx_.signalPageClosed().emit(*this, page);
    // The page goes after its tab: the engine still holds its view while the strip lets go.
    std::unique_ptr<Page> closing = std::move(*held);
    pages_.erase(held);
    Tabs->remove_page(view);
    closing.reset();
    showTabStrip();
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
