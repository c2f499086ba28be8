// The main window full screen, by F11 and by its page, and the page tools' shortcuts.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/OptionsModel.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class FullScreenTest : public testing::ShellGuiTest {
  protected:
    // The window's chrome, each part shown or not.
    std::vector<bool> chrome(frmBrowser& w) {
        std::vector<bool> shown;
        for (const char* name : {"MenuBar", "Toolbar1", "AddressRow", "StatusBar1"}) {
            shown.push_back(testing::probe(w).control(name)->get_visible());
        }
        return shown;
    }
};

TEST_F(FullScreenTest, FullScreenHidesTheChromeAndLeavingGivesBackTheUsersOwn) {
    frmBrowser& w = startBrowser();
    // The user's own layout: no status bar.
    ASSERT_TRUE(w.runCommand("statusbar"));
    const std::vector<bool> own{true, true, true, false};
    ASSERT_EQ(chrome(w), own);
    const std::vector<bool> hidden(4, false);

    pressKey(w, GDK_KEY_F11, 0);
    EXPECT_EQ(chrome(w), hidden);
    // Escape leaves full screen and stops nothing.
    pressKey(w, GDK_KEY_Escape, 0);
    EXPECT_EQ(chrome(w), own);
    EXPECT_EQ(count(w, "stop"), 0);

    // A page's video: the same chrome hidden; Escape asks the page to leave.
    w.page().engine().signalEnterFullScreen.emit();
    EXPECT_EQ(chrome(w), hidden);
    pressKey(w, GDK_KEY_Escape, 0);
    EXPECT_EQ(count(w, "leaveFullScreen"), 1);
    EXPECT_EQ(chrome(w), own);
}

TEST_F(FullScreenTest, PageToolShortcutsReachTheEngine) {
    frmBrowser& w = startBrowser();
    pressKey(w, GDK_KEY_I, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    pressKey(w, GDK_KEY_F12, 0);
    EXPECT_EQ(count(w, "showInspector"), 2);
    pressKey(w, GDK_KEY_F5, GDK_CONTROL_MASK);
    pressKey(w, GDK_KEY_F5, GDK_SHIFT_MASK);
    EXPECT_EQ(count(w, "refreshBypassingCache"), 2);
    EXPECT_EQ(count(w, "refresh"), 0);
    const std::size_t before = engine(w).navigations.size();
    pressKey(w, GDK_KEY_Home, GDK_MOD1_MASK);
    ASSERT_EQ(engine(w).navigations.size(), before + 1);
    EXPECT_EQ(engine(w).navigations.back(), context().options().homePage);
}

}  // namespace
}  // namespace larkspan
