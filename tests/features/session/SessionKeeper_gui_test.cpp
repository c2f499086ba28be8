// The session kept around the main windows: after a run that did not end cleanly the bar
// above the first page offers the last session, Restore brings back its tabs (each loading
// when first shown), and Dismiss lets the new run's session replace it.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include "common/ListFile.hpp"
#include "features/session/RunRecord.hpp"
#include "features/session/SessionFile.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class SessionKeeperTest : public testing::GuiTest {
  protected:
    // A session of one window with two tabs, the second one shown, as a run that crashed
    // left it.
    void SetUp() override {
        testing::GuiTest::SetUp();
        FakePageEngine visited;
        visited.back = {{"http://one.test/", "Earlier"}};
        visited.location = "http://two.test/";
        visited.title = "Two";
        SessionWindow window;
        window.tabs = {{"http://one.test/", "One", ""},
                       {"http://two.test/", "Two", visited.historyState()}};
        window.current = 1;
        saved.windows = {window};
        ASSERT_TRUE(session::writeSessionFile(saved, session::sessionFilePath()));
        RunRecord crashed;
        crashed.running = true;
        ASSERT_TRUE(replaceFileAtomically(runrecord::runRecordPath(), runrecord::encode(crashed)));
    }
    Gtk::InfoBar* bar(frmBrowser& w) {
        for (Gtk::Widget* child : testing::probe(w).widget<Gtk::Box>("PageBars")->get_children()) {
            if (child->get_name() == "RestoreBar" && child->get_visible())
                return dynamic_cast<Gtk::InfoBar*>(child);
        }
        return nullptr;
    }
    FakePageEngine& engineOf(const Page& page) {
        return const_cast<FakePageEngine&>(static_cast<const FakePageEngine&>(page.engine()));
    }
    Session saved;
};

TEST_F(SessionKeeperTest, RestoreBringsBackTheTabsEachLoadingWhenFirstShown) {
    frmBrowser& w = startBrowser();
    Gtk::InfoBar* offer = bar(w);
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(w.pages().size(), 1u);

    offer->response(1);
    EXPECT_EQ(bar(w), nullptr);
    ASSERT_EQ(w.pages().size(), 2u);
    const Page& one = *w.pages()[0];
    const Page& two = *w.pages()[1];
    // The tab shown loads its history; the other names its page and waits.
    EXPECT_EQ(&w.page(), &two);
    EXPECT_EQ(engineOf(two).calls, std::vector<std::string>{"restore http://two.test/"});
    EXPECT_EQ(testing::probe(w).backList(), std::vector<std::string>{"Earlier"});
    EXPECT_EQ(one.title(), "One");
    EXPECT_EQ(one.address(), "http://one.test/");
    EXPECT_TRUE(engineOf(one).calls.empty());
    EXPECT_TRUE(engineOf(one).navigations.empty());
    // Shown, a tab without history loads its address.
    w.showPage(const_cast<Page&>(one));
    EXPECT_EQ(engineOf(one).navigations, std::vector<std::string>{"http://one.test/"});
}

TEST_F(SessionKeeperTest, DismissLeavesTheHomePageAndTheNewRunWritesItsOwnSession) {
    frmBrowser& w = startBrowser();
    ASSERT_NE(bar(w), nullptr);
    bar(w)->response(2);
    EXPECT_EQ(bar(w), nullptr);
    ASSERT_EQ(w.pages().size(), 1u);
    std::string home = engineOf(w.page()).navigations.at(0);
    static_cast<FakePageEngine&>(w.page().engine()).completeNavigation(home, "Home");

    // The last window to close leaves its session, and the run ends cleanly.
    w.runCommand("close");
    std::optional<Session> written = session::readSessionFile(session::sessionFilePath());
    ASSERT_TRUE(written);
    ASSERT_EQ(written->windows.size(), 1u);
    ASSERT_EQ(written->windows[0].tabs.size(), 1u);
    EXPECT_EQ(written->windows[0].tabs[0].address, home);
    EXPECT_EQ(written->windows[0].tabs[0].title, "Home");
}

}  // namespace
}  // namespace larkspan
