// A main window's tabs: the strip appears with the second page, the commands that open,
// close and move between tabs, links opened beside the page, and a page's own close request.
#include <gtest/gtest.h>

#include "common/Dialogs.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/FindBar.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class TabsTest : public testing::ShellGuiTest {
  protected:
    Gtk::Notebook& tabs(frmBrowser& w) { return *testing::probe(w).widget<Gtk::Notebook>("Tabs"); }
    FakePageEngine& engineOf(Page& page) { return static_cast<FakePageEngine&>(page.engine()); }
    // The window's pages in the strip's order.
    std::vector<const Page*> order(frmBrowser& w) {
        std::vector<const Page*> shown;
        for (int i = 0; i < tabs(w).get_n_pages(); ++i) {
            for (const auto& page : w.pages()) {
                if (&page->engine().widget() == tabs(w).get_nth_page(i))
                    shown.push_back(page.get());
            }
        }
        return shown;
    }
};

TEST_F(TabsTest, NewTabsAndLinksOpenedBesideTheirPageLineUpInTheStrip) {
    frmBrowser& w = startBrowser();
    Page& first = w.page();
    engineOf(first).completeNavigation("http://first.test/", "First");
    EXPECT_FALSE(tabs(w).get_show_tabs());

    // A new tab shows the home page at the end, and the strip appears.
    ASSERT_TRUE(w.runCommand("new-tab"));
    ASSERT_EQ(w.pages().size(), 2u);
    Page& home = w.page();
    EXPECT_NE(&home, &first);
    EXPECT_EQ(engineOf(home).navigations, std::vector<std::string>{context().options().homePage});
    EXPECT_TRUE(tabs(w).get_show_tabs());

    // Links opened beside the first page follow it in the order opened, unseen; the tab
    // shows the page's title once it has one.
    w.showPage(first);
    engineOf(first).signalOpenInNewTab.emit("http://one.test/");
    engineOf(first).signalOpenInNewTab.emit("http://two.test/");
    EXPECT_EQ(&w.page(), &first);
    ASSERT_EQ(w.pages().size(), 4u);
    auto pageOf = [&](const char* address) -> Page& {
        for (const auto& page : w.pages()) {
            if (engineOf(*page).navigations == std::vector<std::string>{address}) return *page;
        }
        throw std::runtime_error(address);
    };
    Page& one = pageOf("http://one.test/");
    Page& two = pageOf("http://two.test/");
    EXPECT_EQ(order(w), (std::vector<const Page*>{&first, &one, &two, &home}));
    // The window's own list follows the strip.
    EXPECT_EQ(&*w.pages()[1], &one);
    engineOf(one).completeNavigation("http://one.test/", "One");
    auto* label = dynamic_cast<Gtk::Container*>(tabs(w).get_tab_label(one.engine().widget()));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->get_tooltip_text(), "One");
    EXPECT_EQ(w.get_title(), "First - Larkspan");

    // Ctrl+Tab's command goes round; Alt+n's picks the n-th tab.
    ASSERT_TRUE(w.runCommand("previous-tab"));
    EXPECT_EQ(&w.page(), &home);
    ASSERT_TRUE(w.runCommand("next-tab"));
    EXPECT_EQ(&w.page(), &first);
    ASSERT_TRUE(w.runCommand("select-tab", Glib::Variant<gint32>::create(1)));
    EXPECT_EQ(&w.page(), &one);
    EXPECT_EQ(w.get_title(), "One - Larkspan");
    EXPECT_TRUE(w.runCommand("select-tab", Glib::Variant<gint32>::create(8)));
    EXPECT_EQ(&w.page(), &one);
}

TEST_F(TabsTest, ClosingTabsLeavesTheWindowUntilTheLastOne) {
    auto& app = context();
    frmBrowser& w = startBrowser();
    Page& first = w.page();
    engineOf(first).signalOpenInNewTab.emit("http://beside.test/");
    Page& beside = *w.pages()[1];
    std::vector<const Page*> closed;
    app.signalPageClosed().connect([&](frmBrowser&, Page& page) { closed.push_back(&page); });

    // A page unseen that asks to close, and is allowed to, closes its own tab only.
    testing::ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::Yes);
    bool cancel = false;
    engineOf(beside).signalWindowClosing.emit(true, cancel);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(closed, std::vector<const Page*>{&beside});
    ASSERT_EQ(w.pages().size(), 1u);
    EXPECT_FALSE(tabs(w).get_show_tabs());

    // The current tab closes and the next one comes forward.
    w.runCommand("new-tab");
    Page& second = w.page();
    w.showPage(first);
    ASSERT_TRUE(w.runCommand("close"));
    EXPECT_EQ(&w.page(), &second);
    EXPECT_EQ(app.browsers().size(), 1u);

    // With the last tab, the window goes.
    ASSERT_TRUE(w.runCommand("close"));
    EXPECT_TRUE(app.browsers().empty());
}

TEST_F(TabsTest, EachTabKeepsItsOwnFind) {
    frmBrowser& w = startBrowser();
    Page& first = w.page();
    engineOf(first).matches = 4;
    FindBar& bar = testing::probe(w).findBar();
    auto* text = testing::probe(w).widget<Gtk::Entry>("txtFind");
    auto* matches = testing::probe(w).widget<Gtk::Label>("lblFindMatches");
    ASSERT_TRUE(w.runCommand("find"));
    text->set_text("apple");
    bar.findNext();
    EXPECT_EQ(matches->get_text(), "2 of 4 matches");

    // Another tab has a find of its own: none yet, and the bar's searches go to its page.
    ASSERT_TRUE(w.runCommand("new-tab"));
    Page& second = w.page();
    EXPECT_FALSE(bar.get_visible());
    EXPECT_EQ(text->get_text(), "");
    EXPECT_EQ(matches->get_text(), "");
    ASSERT_TRUE(w.runCommand("find"));
    text->set_text("pear");
    EXPECT_EQ(engineOf(second).calls.back(), "find pear");

    // Back on the first tab, its find is as it was left, and searching it is no new search.
    std::size_t searched = engineOf(first).calls.size();
    w.showPage(first);
    EXPECT_TRUE(bar.get_visible());
    EXPECT_EQ(text->get_text(), "apple");
    EXPECT_EQ(matches->get_text(), "2 of 4 matches");
    EXPECT_EQ(engineOf(first).calls.size(), searched);
    bar.findNext();
    EXPECT_EQ(engineOf(first).calls.back(), "find apple");
    EXPECT_EQ(matches->get_text(), "3 of 4 matches");
}

TEST_F(TabsTest, ATabDroppedOutsideGetsAWindowOfItsOwnWhereItsRequestsGo) {
    auto& app = context();
    frmBrowser& w = startBrowser();
    engineOf(w.page()).signalOpenInNewTab.emit("http://moving.test/");
    Page* moving = w.pages()[1].get();
    GtkWidget* view = moving->engine().widget().gobj();

    // What the strip does with a tab dropped outside every window: it asks for a strip to
    // put it in, then moves the tab there with its label.
    GtkNotebook* target = nullptr;
    g_signal_emit_by_name(tabs(w).gobj(), "create-window", view, 10, 10, &target);
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(app.browsers().size(), 2u);
    frmBrowser& other = *app.browsers()[1];
    GtkWidget* label = gtk_notebook_get_tab_label(tabs(w).gobj(), view);
    g_object_ref(label);
    gtk_notebook_detach_tab(tabs(w).gobj(), view);
    gtk_notebook_append_page(target, view, label);
    g_object_unref(label);

    EXPECT_EQ(w.pages().size(), 1u);
    EXPECT_FALSE(tabs(w).get_show_tabs());
    ASSERT_EQ(other.pages().size(), 1u);
    EXPECT_EQ(&other.page(), moving);
    EXPECT_EQ(app.windowHolding(*moving), &other);
    EXPECT_FALSE(tabs(other).get_show_tabs());

    // Its requests are its new window's: allowed to close, it closes that window only.
    testing::ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::Yes);
    bool cancel = false;
    engineOf(*moving).signalWindowClosing.emit(true, cancel);
    ASSERT_EQ(app.browsers().size(), 1u);
    EXPECT_EQ(app.browsers()[0], &w);
    EXPECT_EQ(w.pages().size(), 1u);
}

}  // namespace
}  // namespace larkspan
