// Links the user opens beside the page, against the real engine: a middle click and a
// Ctrl+click hand the link's address over, and the page neither follows it nor asks for a
// window.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/webkit/WebKitPageEngine.hpp"
#include "support/EngineHost.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

using test::waitUntil;
constexpr int kTimeoutMs = 15000;

// Two links side by side, each 200 by 200 pixels from the page's top; the title says when
// the page has been laid out.
const char* kLinks =
    "<html><head><title>Links</title></head><body style='margin:0'>"
    "<a href='/plain.html' style='position:absolute;left:0;top:0;width:200px;height:200px'>a</a>"
    "<a href='/blank.html' target='_blank' "
    "style='position:absolute;left:200px;top:0;width:200px;height:200px'>b</a>"
    "<script>requestAnimationFrame(function () { requestAnimationFrame(function () {"
    " document.title = 'laid out'; }); });</script></body></html>";

TEST(LinkOpeningTest, MiddleClickAndCtrlClickHandTheLinkOverAndLeaveThePage) {
    test::initEngineTests();
    testing::ScriptedDialogs dialogs;
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/links.html", kLinks);
    server.addPage("/plain.html", "<html><head><title>Plain</title></head></html>");
    server.addPage("/blank.html", "<html><head><title>Blank</title></head></html>");
    test::EngineHost host(makeWebKitPageEngine([&]() -> Dialogs& { return dialogs; }));
    std::vector<std::string> opened;
    int windowsAsked = 0;
    host.engine().signalOpenInNewTab.connect(
        [&](const std::string& url) { opened.push_back(url); });
    host.engine().signalNewWindow2.connect([&](NewWindowRequest&) { ++windowsAsked; });
    ASSERT_TRUE(host.load(server.url("/links.html")));
    ASSERT_TRUE(waitUntil([&] { return !host.titles.empty() && host.titles.back() == "laid out"; },
                          kTimeoutMs));

    GtkWidget* view = GTK_WIDGET(host.view());
    testing::sendClick(view, 100, 100, GDK_BUTTON_MIDDLE);
    ASSERT_TRUE(waitUntil([&] { return opened.size() == 1; }, kTimeoutMs));
    testing::sendClick(view, 300, 100, GDK_BUTTON_PRIMARY, GDK_CONTROL_MASK);
    ASSERT_TRUE(waitUntil([&] { return opened.size() == 2; }, kTimeoutMs));
    EXPECT_EQ(opened,
              (std::vector<std::string>{server.url("/plain.html"), server.url("/blank.html")}));

    // A plain click still follows the link in the page: the page was left alone till then.
    testing::sendClick(view, 100, 100);
    ASSERT_TRUE(waitUntil([&] { return host.engine().locationURL() == server.url("/plain.html"); },
                          kTimeoutMs));
    EXPECT_EQ(server.requestCount("/blank.html"), 0);
    EXPECT_EQ(windowsAsked, 0);
    EXPECT_EQ(opened.size(), 2u);
}

}  // namespace
}  // namespace larkspan
