// A real page's notification request is asked in the bar of its window, and the page gets
// the answer given there.
#include <gtest/gtest.h>

#include <gtkmm.h>

#include "app/Application.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/Display.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

constexpr int kTimeoutMs = 15000;

// Asks when clicked, as pages must; titled "ready" once laid out.
const char* kAskPage =
    "<html><head><title>Ask</title></head><body style='margin:0'>"
    "<div style='width:400px;height:300px' onclick=\"Notification.requestPermission()"
    ".then(function (p) { document.title = 'answer ' + p; })\">ask</div>"
    "<script>requestAnimationFrame(function () { requestAnimationFrame(function () {"
    " document.title = 'ready'; }); });</script></body></html>";

Gtk::Widget* shownBar(frmBrowser& w) {
    Gtk::Widget* bar =
        testing::findNamed(*testing::probe(w).widget<Gtk::Box>("PageBars"), "PermissionBar");
    return bar && bar->get_visible() ? bar : nullptr;
}

class SitePermissionsEngineTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        testing::GuiTest::SetUp();
        Application::setEngineFactory(nullptr);  // the real engine
        ASSERT_TRUE(server.listening());
        server.addPage("/home", "<html><head><title>Home</title></head><body>home</body></html>");
        server.addPage("/ask.html", kAskPage);
        store().write(keys::kSettings, keys::kHomepage, server.url("/home"));
    }

    test::PageServer server;
};

TEST_F(SitePermissionsEngineTest, ThePageGetsTheAnswerGivenInTheBar) {
    frmBrowser& w = startBrowser();
    // The engine's processes start with the home page; a loaded machine makes that slow.
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Home - Larkspan"; }, 60000));
    w.page().engine().navigate(server.url("/ask.html"));
    ASSERT_TRUE(testing::runUntil([&] { return w.page().title() == "ready"; }, kTimeoutMs));
    testing::sendClick(w.page().engine().widget().gobj(), 100, 100);
    ASSERT_TRUE(testing::runUntil([&] { return shownBar(w) != nullptr; }, kTimeoutMs));

    dynamic_cast<Gtk::Button*>(testing::findNamed(*shownBar(w), "cmdAllow"))->clicked();
    EXPECT_TRUE(testing::runUntil([&] { return w.page().title() == "answer granted"; }, kTimeoutMs))
        << w.page().title();
    EXPECT_EQ(shownBar(w), nullptr);
}

}  // namespace
}  // namespace larkspan
