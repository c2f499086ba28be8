// A window shows its current page: the page's changes reach the window only while the page
// is the one shown, and showing a page brings what it holds.
#include <gtest/gtest.h>

#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class PageTest : public testing::GuiTest {};

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

}  // namespace
}  // namespace larkspan
