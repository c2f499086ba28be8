// A window shows its current page: the page's changes reach the window only while the page
// is the one shown, and showing a page brings what it holds.
#include <gtest/gtest.h>

#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class PageTest : public testing::ShellGuiTest {};

TEST_F(PageTest, OnlyTheCurrentPagesChangesReachTheWindow) {
    frmBrowser& w = startBrowser();
    Page& first = w.page();
    auto& firstEngine = static_cast<FakePageEngine&>(first.engine());
    Page& second = w.addPage(std::make_unique<FakePageEngine>());
    auto& secondEngine = static_cast<FakePageEngine&>(second.engine());
    Gtk::Entry* address = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();

    // Added, the second page waits unseen: its changes do not reach the window.
    secondEngine.completeNavigation("http://second.test/", "Second");
    EXPECT_NE(address->get_text(), "http://second.test/");
    EXPECT_NE(w.get_title(), "Second - Larkspan");
    firstEngine.completeNavigation("http://first.test/", "First");
    EXPECT_EQ(address->get_text(), "http://first.test/");
    EXPECT_EQ(w.get_title(), "First - Larkspan");

    // Shown, the second page brings what it holds, and from then on only its changes count.
    w.showPage(second);
    EXPECT_EQ(&w.page(), &second);
    EXPECT_EQ(address->get_text(), "http://second.test/");
    EXPECT_EQ(w.get_title(), "Second - Larkspan");
    EXPECT_EQ(w.applicationTitle(), "Second - Larkspan");
    firstEngine.signalStatusTextChange.emit("from the first");
    firstEngine.signalCommandStateChange.emit(engine::Command::Back, true);
    EXPECT_NE(testing::probe(w).panelText(1), "from the first");
    EXPECT_FALSE(w.runCommand("back"));
    secondEngine.signalStatusTextChange.emit("from the second");
    EXPECT_EQ(testing::probe(w).panelText(1), "from the second");

    // Back on the first page, its state as it was left while unseen.
    w.showPage(first);
    EXPECT_EQ(testing::probe(w).panelText(1), "from the first");
    EXPECT_TRUE(w.runCommand("back"));
    EXPECT_EQ(firstEngine.calls.back(), "back");
    EXPECT_TRUE(secondEngine.calls.empty());
}

TEST_F(PageTest, TheContextKnowsTheWindowUsedLastAndSignalsItsPagesClosing) {
    auto& app = context();
    frmBrowser& w = startBrowser();
    w.runCommand("new-window");
    frmBrowser& second = *app.browsers().at(1);
    testing::probe(second).Form_Activate();
    EXPECT_EQ(app.currentWindow(), &second);
    EXPECT_EQ(app.currentPage(), &second.page());

    std::vector<const Page*> closedPages;
    std::vector<const frmBrowser*> closedWindows;
    app.signalPageClosed().connect([&](frmBrowser&, Page& page) { closedPages.push_back(&page); });
    app.signalBrowserClosed().connect(
        [&](frmBrowser& window) { closedWindows.push_back(&window); });
    const Page* secondPage = &second.page();
    second.runCommand("close");
    EXPECT_EQ(closedPages, std::vector<const Page*>{secondPage});
    EXPECT_EQ(closedWindows, std::vector<const frmBrowser*>{&second});
    // With the window used last gone, the first one is the current one.
    EXPECT_EQ(app.currentWindow(), &w);
}

}  // namespace
}  // namespace larkspan
