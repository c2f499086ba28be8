// On a desktop without a compositing manager (the test display has none), the engine draws
// pages without its compositing mode, so that what a menu uncovered is drawn again at once.
// (The grey patches themselves appear only with a reparenting window manager around the
// program's own window; they were checked by hand under openbox.)
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include "engine/webkit/WebKitPageEngine.hpp"
#include "support/EngineHost.hpp"
#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

TEST(DesktopCompositingTest, ViewsDrawWithoutCompositingWhereTheDesktopHasNone) {
    test::initEngineTests();
    ASSERT_FALSE(gdk_screen_is_composited(gdk_screen_get_default()));
    testing::ScriptedDialogs dialogs;
    test::EngineHost host(makeWebKitPageEngine([&]() -> Dialogs& { return dialogs; }));
    EXPECT_EQ(
        webkit_settings_get_hardware_acceleration_policy(webkit_web_view_get_settings(host.view())),
        WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
}

}  // namespace
}  // namespace larkspan
