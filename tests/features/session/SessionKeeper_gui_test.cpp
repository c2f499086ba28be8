// The session kept around the main windows: after a run that did not end cleanly the bar
// above the first page offers the last session, Restore brings back its tabs (each loading
// when first shown), and Dismiss lets the new run's session replace it.
#include <gtest/gtest.h>
#include <gtkmm.h>

#include "app/Application.hpp"
#include "common/ListFile.hpp"
#include "features/session/RunRecord.hpp"
#include "features/session/SessionFile.hpp"
#include "features/session/SessionKeeper.hpp"
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
        auto history = [](const char* address, const char* title, const char* earlier) {
            FakePageEngine visited;
            visited.back = {{"http://earlier.test/", earlier}};
            visited.location = address;
            visited.title = title;
            return visited.historyState();
        };
        SessionWindow window;
        window.tabs = {{"http://one.test/", "One", history("http://one.test/", "One", "Before")},
                       {"http://two.test/", "Two", history("http://two.test/", "Two", "Earlier")},
                       {"http://three.test/", "Three", ""}};
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
    ASSERT_EQ(w.pages().size(), 3u);
    Page& one = *w.pages()[0];
    const Page& two = *w.pages()[1];
    Page& three = *w.pages()[2];
    // The tab shown loads its history; the others name their pages and wait.
    EXPECT_EQ(&w.page(), &two);
    EXPECT_EQ(engineOf(two).calls, std::vector<std::string>{"restore http://two.test/"});
    EXPECT_EQ(testing::probe(w).backList(), std::vector<std::string>{"Earlier"});
    EXPECT_EQ(one.title(), "One");
    EXPECT_EQ(one.address(), "http://one.test/");
    EXPECT_TRUE(engineOf(one).calls.empty());
    EXPECT_TRUE(engineOf(one).navigations.empty());
    // Unseen, a tab goes back into the session as it came, history and all.
    Session now = SessionKeeper::gather(Application::instance());
    ASSERT_EQ(now.windows.size(), 1u);
    ASSERT_EQ(now.windows[0].tabs.size(), 3u);
    EXPECT_EQ(now.windows[0].tabs[0], saved.windows[0].tabs[0]);
    EXPECT_EQ(now.windows[0].current, 1u);
    // Shown, a tab loads its history, or its address when it has none.
    w.showPage(one);
    EXPECT_EQ(engineOf(one).calls, std::vector<std::string>{"restore http://one.test/"});
    w.showPage(three);
    EXPECT_EQ(engineOf(three).navigations, std::vector<std::string>{"http://three.test/"});
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

TEST_F(SessionKeeperTest, AnAddressAskedForStaysShownBesideTheRestoredTabs) {
    // The last run ended cleanly, and sessions are restored at every start.
    ASSERT_TRUE(replaceFileAtomically(runrecord::runRecordPath(), runrecord::encode(RunRecord{})));
    store().write("Settings", "RestoreSession", "1");
    auto& app = Application::instance();
    app.register_application();
    app.open({Gio::File::create_for_uri("http://asked.test/")});
    ASSERT_EQ(app.browsers().size(), 1u);
    frmBrowser& w = *app.browsers()[0];
    ASSERT_EQ(w.pages().size(), 4u);
    EXPECT_EQ(&w.page(), w.pages()[0].get());
    EXPECT_EQ(engineOf(w.page()).navigations, std::vector<std::string>{"http://asked.test/"});
    EXPECT_EQ(w.pages()[2]->title(), "Two");
}

}  // namespace
}  // namespace larkspan
