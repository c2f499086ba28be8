// History > Reopen Closed Tab: closed tabs and windows come back, the latest first, with
// their histories; a window comes back as a window with its tabs, and only the last ten
// closed are kept.
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class ClosedTabsTest : public testing::GuiTest {
  protected:
    static FakePageEngine& fake(Page& page) { return static_cast<FakePageEngine&>(page.engine()); }
    static Page& visit(frmBrowser& w, const std::string& address, const std::string& title) {
        Page& page = w.openTab(address, frmBrowser::TabPlace::LastShown);
        fake(page).completeNavigation(address, title);
        return page;
    }
};

TEST_F(ClosedTabsTest, ReopenBringsBackTabsAndWindowsLatestFirst) {
    frmBrowser& w = startBrowser();
    Page& a = visit(w, "http://a.test/", "A");
    fake(a).back = {{"http://before.test/", "Before"}};
    w.runCommand("close");
    ASSERT_EQ(w.pages().size(), 1u);

    frmBrowser& other = Application::instance().createBrowserWindow();
    visit(other, "http://b.test/", "B");
    visit(other, "http://c.test/", "C");
    other.showPage(*other.pages()[1]);
    other.Form_Unload();
    ASSERT_EQ(Application::instance().browsers().size(), 1u);

    // The window closed last comes back whole, showing the tab it showed (its first page
    // never showed anything, and stays away).
    w.runCommand("reopen-closed-tab");
    ASSERT_EQ(Application::instance().browsers().size(), 2u);
    frmBrowser& back = *Application::instance().browsers()[1];
    ASSERT_EQ(back.pages().size(), 2u);
    EXPECT_EQ(back.page().address(), "http://b.test/");
    EXPECT_EQ(back.pages()[1]->title(), "C");

    // Then the tab, shown in the window the command came from, its history and all.
    w.runCommand("reopen-closed-tab");
    ASSERT_EQ(w.pages().size(), 2u);
    EXPECT_EQ(fake(w.page()).calls, std::vector<std::string>{"restore http://a.test/"});
    EXPECT_EQ(testing::probe(w).backList(), std::vector<std::string>{"Before"});

    // Nothing more to bring back.
    w.runCommand("reopen-closed-tab");
    EXPECT_EQ(w.pages().size(), 2u);
    EXPECT_EQ(Application::instance().browsers().size(), 2u);
}

TEST_F(ClosedTabsTest, OnlyTheLastTenAreKept) {
    frmBrowser& w = startBrowser();
    for (int i = 0; i < 12; ++i) {
        visit(w, "http://t" + std::to_string(i) + ".test/", "T");
        w.runCommand("close");
    }
    for (int i = 0; i < 12; ++i) w.runCommand("reopen-closed-tab");
    ASSERT_EQ(w.pages().size(), 11u);
    EXPECT_EQ(w.pages()[1]->address(), "http://t11.test/");
    EXPECT_EQ(w.pages()[10]->address(), "http://t2.test/");
}

}  // namespace
}  // namespace larkspan
