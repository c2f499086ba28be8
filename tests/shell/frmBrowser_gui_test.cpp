// The main window's life: first start, the saved state and geometry, new windows, exit.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "common/MakerSite.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class MainWindowTest : public testing::ShellGuiTest {
  protected:
    FakePageEngine& engineOf(frmBrowser& w) {
        return static_cast<FakePageEngine&>(w.page().engine());
    }
    std::string stored(const char* key) { return store().read("Settings", key, "<none>"); }
    void closeWindow(frmBrowser& w) {
        GdkEvent* ev = gdk_event_new(GDK_DELETE);
        ev->any.window = GDK_WINDOW(g_object_ref(w.get_window()->gobj()));
        gtk_main_do_event(ev);
        gdk_event_free(ev);
        testing::drainEvents();
    }
    // Starts a window on the store as it stands, then closes it again: a second run.
    frmBrowser& restart() {
        renewContext();
        testing::drainEvents();
        return startBrowser();
    }
};

TEST_F(MainWindowTest, FirstStartWithEmptyStore) {
    frmBrowser& w = startBrowser();
    EXPECT_EQ(w.get_title(), "Loading... - Larkspan");
    EXPECT_EQ(w.windowState(), 2);
    EXPECT_TRUE(w.is_maximized());
    // The normal geometry behind the maximised window.
    EXPECT_DOUBLE_EQ(w.geometry().left(), 1000);
    EXPECT_DOUBLE_EQ(w.geometry().top(), 1000);
    EXPECT_DOUBLE_EQ(w.geometry().width(), 8685);
    EXPECT_DOUBLE_EQ(w.geometry().height(), 6330);
    EXPECT_TRUE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_TRUE(testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    EXPECT_FALSE(
        testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsSuppressScriptErrors")->get_active());
    EXPECT_FALSE(w.page().engine().silent());
    EXPECT_EQ(testing::probe(w).widget<Gtk::Label>("Label1")->get_text(), "0");
    EXPECT_TRUE(testing::probe(w).widget<Gtk::Frame>("Frame1")->get_visible());
    ASSERT_EQ(engineOf(w).navigations.size(), 1u);
    EXPECT_EQ(engineOf(w).navigations[0], site::kHome);
    EXPECT_EQ(testing::probe(w).homePageAddress(), site::kHome);
    EXPECT_TRUE(w.page().engine().hasFocus());
    // The first read touched the options model, which loaded from the store.
    EXPECT_TRUE(context().optionsLoaded());
}

TEST_F(MainWindowTest, StartUpReadsTheStore) {
    store().write("Settings", "Homepage", "http://127.0.0.1/home");
    store().write("Settings", "Blocked#", "17");
    store().write("Settings", "StatusBarVisible", "False");
    store().write("Settings", "SuppressScriptErrors", "True");
    store().write("Settings", "ShowBlock", "0");
    store().write("WebSearch", "LastEngine", "Google");
    frmBrowser& w = startBrowser();
    EXPECT_EQ(engineOf(w).navigations.at(0), "http://127.0.0.1/home");
    EXPECT_EQ(testing::probe(w).widget<Gtk::Label>("Label1")->get_text(), "17");
    EXPECT_FALSE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_FALSE(testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    EXPECT_TRUE(w.page().engine().silent());
    EXPECT_FALSE(testing::probe(w).widget<Gtk::Frame>("Frame1")->get_visible());
    EXPECT_EQ(testing::probe(w).widget<Gtk::Entry>("txtSearch")->get_text(), "Google");
}

TEST_F(MainWindowTest, MalformedStoredValuesKeepTheDefaults) {
    store().write("Settings", "WindowState", "sideways");
    store().write("Settings", "MainLeft", "abc");
    store().write("Settings", "MainWidth", "");
    store().write("Settings", "StatusBarVisible", "maybe");
    store().write("Settings", "AddressFC", "red");
    frmBrowser& w = startBrowser();
    EXPECT_EQ(w.windowState(), 2);
    EXPECT_DOUBLE_EQ(w.geometry().left(), 1000);
    EXPECT_DOUBLE_EQ(w.geometry().width(), 8685);
    EXPECT_TRUE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
}

TEST_F(MainWindowTest, TheWindowFollowsTheOptionsAndLeavesTheStoreToThem) {
    frmBrowser& w = startBrowser();
    OptionsModel& o = context().options();
    auto* counter = testing::probe(w).widget<Gtk::Label>("Label1");
    // A value stored behind the options' back is not read when the window is resized.
    store().write("Settings", "Blocked#", "99");
    testing::probe(w).Form_Resize();
    EXPECT_EQ(counter->get_text(), "0");

    // A change shows at once; the menu ticks wait for "Apply".
    o.setText(OptionId::BlockedCount, "5");
    EXPECT_EQ(counter->get_text(), "5");
    o.setFlag(OptionId::StatusBar, false);
    EXPECT_TRUE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    o.applied();
    EXPECT_FALSE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_FALSE(testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
}

TEST_F(MainWindowTest, ClosingMaximisedWritesOnlyTheState) {
    frmBrowser& w = startBrowser();
    ASSERT_EQ(w.windowState(), 2);
    closeWindow(w);
    EXPECT_EQ(stored("WindowState"), "2");
    for (const char* key :
         {"MainLeft", "MainTop", "MainWidth", "MainHeight", "Top", "Left", "StatusBarVisible"}) {
        EXPECT_EQ(stored(key), "<none>") << key;
    }
    EXPECT_TRUE(context().browsers().empty());
    // The next start opens maximised again with the previous normal geometry behind it.
    frmBrowser& again = restart();
    EXPECT_EQ(again.windowState(), 2);
    EXPECT_DOUBLE_EQ(again.geometry().width(), 8685);
}

TEST_F(MainWindowTest, ClosingMinimisedWritesNormalStateAndNoGeometry) {
    store().write("Settings", "MainLeft", "1500");
    store().write("Settings", "MainTop", "1200");
    frmBrowser& w = startBrowser();
    w.setWindowState(1);
    testing::drainEvents();
    closeWindow(w);
    EXPECT_EQ(stored("WindowState"), "0");
    EXPECT_EQ(stored("MainLeft"), "1500");
    EXPECT_EQ(stored("Top"), "<none>");
    frmBrowser& again = restart();
    EXPECT_EQ(again.windowState(), 0);
    EXPECT_DOUBLE_EQ(again.geometry().left(), 1500);
    EXPECT_DOUBLE_EQ(again.geometry().top(), 1200);
}

TEST_F(MainWindowTest, ClosingNormalWritesGeometryExactly) {
    store().write("Settings", "WindowState", "0");
    frmBrowser& w = startBrowser();
    ASSERT_EQ(w.windowState(), 0);
    EXPECT_FALSE(w.is_maximized());
    testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->set_active(false);
    closeWindow(w);
    EXPECT_EQ(stored("WindowState"), "0");
    // Twips survive the trip through pixels unchanged.
    EXPECT_EQ(stored("MainLeft"), "1000");
    EXPECT_EQ(stored("MainTop"), "1000");
    EXPECT_EQ(stored("MainWidth"), "8685");
    EXPECT_EQ(stored("MainHeight"), "6330");
    EXPECT_EQ(stored("Top"), "1000");
    EXPECT_EQ(stored("Left"), "1000");
    EXPECT_EQ(stored("StatusBarVisible"), "False");
}

TEST_F(MainWindowTest, TopAndLeftWinOverMainTopAndMainLeft) {
    store().write("Settings", "WindowState", "0");
    store().write("Settings", "MainLeft", "1000");
    store().write("Settings", "MainTop", "1000");
    store().write("Settings", "Left", "3000");
    store().write("Settings", "Top", "2250");
    frmBrowser& w = startBrowser();
    EXPECT_DOUBLE_EQ(w.geometry().left(), 3000);
    EXPECT_DOUBLE_EQ(w.geometry().top(), 2250);
    int x = 0, y = 0;
    w.get_position(x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 150);
}

TEST_F(MainWindowTest, TopAndLeftAreIgnoredWhileMaximised) {
    store().write("Settings", "Left", "3000");
    store().write("Settings", "Top", "2250");
    frmBrowser& w = startBrowser();
    EXPECT_DOUBLE_EQ(w.geometry().left(), 1000);
    EXPECT_DOUBLE_EQ(w.geometry().top(), 1000);
}

TEST_F(MainWindowTest, CtrlNOpensAWindowAndCtrlShiftNDoesNot) {
    frmBrowser& w = startBrowser();
    pressKey(w, GDK_KEY_N, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    EXPECT_EQ(context().browsers().size(), 1u);
    pressKey(w, GDK_KEY_n, GDK_CONTROL_MASK | GDK_MOD1_MASK);
    EXPECT_EQ(context().browsers().size(), 1u);
    pressKey(w, GDK_KEY_n, GDK_CONTROL_MASK);
    EXPECT_EQ(context().browsers().size(), 2u);
}

TEST_F(MainWindowTest, KeyHandlerZeroesOnlyCtrlN) {
    frmBrowser& w = startBrowser();
    int key = 'N', shift = 3;
    testing::probe(w).Form_KeyDown(key, shift);
    EXPECT_EQ(key, 'N');
    EXPECT_EQ(shift, 3);
    key = 'N';
    shift = 2;
    testing::probe(w).Form_KeyDown(key, shift);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(shift, 0);
    EXPECT_EQ(context().browsers().size(), 2u);
}

TEST_F(MainWindowTest, NewWindowGoesHomeThenToTheAddressAndInheritsSilent) {
    frmBrowser& w = startBrowser();
    engineOf(w).completeNavigation("http://127.0.0.1/page", "Page");
    w.page().engine().setSilent(true);
    w.runCommand("new-window");
    ASSERT_EQ(context().browsers().size(), 2u);
    frmBrowser& second = *context().browsers()[1];
    EXPECT_NE(&second, &w);
    EXPECT_TRUE(second.get_visible());
    EXPECT_TRUE(second.page().engine().silent());
    EXPECT_EQ(engineOf(second).navigations,
              (std::vector<std::string>{site::kHome, "http://127.0.0.1/page"}));
    EXPECT_EQ(context().firstWindow(), &w);
}

TEST_F(MainWindowTest, NewWindowFromAnEmptyPageOnlyGoesHome) {
    frmBrowser& w = startBrowser();
    w.runCommand("new-window");
    frmBrowser& second = *context().browsers().at(1);
    EXPECT_FALSE(second.page().engine().silent());
    EXPECT_EQ(engineOf(second).navigations, (std::vector<std::string>{site::kHome}));
}

TEST_F(MainWindowTest, ClosingOneOfTwoWindowsKeepsTheOther) {
    frmBrowser& w = startBrowser();
    w.runCommand("new-window");
    frmBrowser* second = context().browsers().at(1);
    closeWindow(*second);
    ASSERT_EQ(context().browsers().size(), 1u);
    EXPECT_EQ(context().firstWindow(), &w);
    EXPECT_TRUE(w.get_visible());
}

TEST_F(MainWindowTest, AClosedWindowsMenusAreFreedWithIt) {
    startBrowser().runCommand("new-window");
    frmBrowser* second = context().browsers().at(1);
    // Every menu of the window's description, submenus and menus of buttons alike (counted
    // in a static: a menu that outlives the test must not write into a finished frame).
    static int alive = 0;
    for (const auto& object : testing::probe(*second).builder()->get_objects()) {
        if (!GTK_IS_MENU(object->gobj())) continue;
        ++alive;
        g_object_weak_ref(
            object->gobj(), [](gpointer count, GObject*) { --*static_cast<int*>(count); }, &alive);
    }
    ASSERT_GT(alive, 5);
    closeWindow(*second);
    EXPECT_TRUE(testing::runUntil([&] { return alive == 0; }, 5000)) << alive << " menus left";
}

}  // namespace
}  // namespace larkspan
