// A page's element shown over the whole screen, against the real engine: the engine says
// when the page enters full screen, and the program's request to leave is heard.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

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

// A box that asks for full screen when clicked, as a video's button does; the title says
// when the page has been laid out.
const char* kVideo =
    "<html><head><title>Video</title></head><body style='margin:0'>"
    "<div id='v' style='width:200px;height:200px;background:black' "
    "onclick='this.requestFullscreen()'></div>"
    "<script>requestAnimationFrame(function () { requestAnimationFrame(function () {"
    " document.title = 'laid out'; }); });</script></body></html>";

TEST(FullScreenTest, APageEntersFullScreenOnAClickAndLeavesWhenAsked) {
    test::initEngineTests();
    testing::ScriptedDialogs dialogs;
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/video.html", kVideo);
    test::EngineHost host(makeWebKitPageEngine([&]() -> Dialogs& { return dialogs; }));
    int entered = 0;
    int left = 0;
    host.engine().signalEnterFullScreen.connect([&] { ++entered; });
    host.engine().signalLeaveFullScreen.connect([&] { ++left; });
    ASSERT_TRUE(host.load(server.url("/video.html")));
    ASSERT_TRUE(waitUntil([&] { return !host.titles.empty() && host.titles.back() == "laid out"; },
                          kTimeoutMs));

    testing::sendClick(GTK_WIDGET(host.view()), 100, 100);
    ASSERT_TRUE(waitUntil([&] { return entered == 1; }, kTimeoutMs));
    EXPECT_EQ(left, 0);
    host.engine().leaveFullScreen();
    ASSERT_TRUE(waitUntil([&] { return left == 1; }, kTimeoutMs));
    EXPECT_EQ(entered, 1);
}

}  // namespace
}  // namespace larkspan
