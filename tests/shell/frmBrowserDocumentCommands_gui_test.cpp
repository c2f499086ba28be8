// The main window's edit, file and view commands as the user reaches them: the edit
// commands only with the page focused, the text-size ticks, the script-error switch, the
// file commands and the find bar.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/OptionsModel.hpp"
#include "shell/FindBar.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class DocumentCommandsTest : public testing::ShellGuiTest {
  protected:
    // A menu of the window opening, as when its title is clicked.
    void openMenu(frmBrowser& w, const char* menu) {
        auto* m = testing::probe(w).widget<Gtk::Menu>(menu);
        ASSERT_NE(m, nullptr) << menu;
        m->show();
        m->hide();
        testing::drainEvents();
    }
    void focus(Gtk::Widget& widget) {
        widget.grab_focus();
        testing::drainEvents();
    }
};

TEST_F(DocumentCommandsTest, EditCommandsActOnlyWhileThePageIsTheActiveControl) {
    frmBrowser& w = startBrowser();
    Gtk::Widget& page = w.page().engine().widget();
    Gtk::Entry& address = *testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    const char* commands[] = {"undo", "cut", "copy", "paste", "select-all"};
    const char* calls[] = {"undo", "cut", "copy", "paste", "selectAll"};

    focus(address);
    for (const char* command : commands) w.runCommand(command);
    openMenu(w, "mnuEdit_menu");
    EXPECT_FALSE(testing::probe(w).control("mnuEditUndo")->get_sensitive());
    for (const char* call : calls) EXPECT_EQ(count(w, call), 0) << call;

    focus(page);
    openMenu(w, "mnuEdit_menu");
    EXPECT_TRUE(testing::probe(w).control("mnuEditUndo")->get_sensitive());
    for (const char* command : commands) EXPECT_TRUE(w.runCommand(command)) << command;
    for (const char* call : calls) EXPECT_EQ(count(w, call), 1) << call;
    // The clipboard shortcuts reach the page's commands while it has the focus.
    pressKey(w, GDK_KEY_c, GDK_CONTROL_MASK);
    pressKey(w, GDK_KEY_x, GDK_CONTROL_MASK);
    pressKey(w, GDK_KEY_v, GDK_CONTROL_MASK);
    for (const char* call : {"copy", "cut", "paste"}) EXPECT_EQ(count(w, call), 2) << call;
}

TEST_F(DocumentCommandsTest, TextSizeTicksShowTheEnginesLevelAsTheMenusOpen) {
    frmBrowser& w = startBrowser();
    auto ticked = [&w] {
        int found = -1, ticks = 0;
        for (int i = 0; i < 5; ++i) {
            auto* item = testing::probe(w).widget<Gtk::CheckMenuItem>("mnuViewFontSize_" +
                                                                      std::to_string(i));
            // One of five: shown as radio items.
            if (item && item->get_active() && item->get_draw_as_radio()) {
                found = i;
                ++ticks;
            }
        }
        return ticks == 1 ? found : -1;
    };
    testing::probe(w).widget<Gtk::MenuItem>("mnuViewFontSize_3")->activate();
    testing::drainEvents();
    EXPECT_EQ(engine(w).zoom, 3);
    openMenu(w, "mnuView_menu");
    EXPECT_EQ(ticked(), 3);
    // The level changed by another way is seen when the submenu opens.
    pressKey(w, GDK_KEY_minus, GDK_CONTROL_MASK);
    pressKey(w, GDK_KEY_minus, GDK_CONTROL_MASK);
    pressKey(w, GDK_KEY_minus, GDK_CONTROL_MASK);
    EXPECT_EQ(ticked(), 3);
    openMenu(w, "mnuViewTextSize_menu");
    EXPECT_EQ(ticked(), 0);
    pressKey(w, GDK_KEY_0, GDK_CONTROL_MASK);
    EXPECT_EQ(ticked(), 0);
    openMenu(w, "mnuView_menu");
    EXPECT_EQ(ticked(), 2);
}

TEST_F(DocumentCommandsTest, ScriptErrorSwitchSilencesThePageAndStoresBothKeys) {
    frmBrowser& w = startBrowser();
    auto* item = testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsSuppressScriptErrors");
    item->activate();
    testing::drainEvents();
    EXPECT_TRUE(item->get_active());
    EXPECT_TRUE(w.page().engine().silent());
    EXPECT_EQ(store().read("Settings", "SuppressScriptErrors", ""), "True");
    EXPECT_EQ(store().read("Settings", "SuppressScriptErrors1", ""), "1");
    EXPECT_TRUE(context().options().suppressScriptErrors);

    item->activate();
    testing::drainEvents();
    EXPECT_FALSE(item->get_active());
    EXPECT_FALSE(w.page().engine().silent());
    EXPECT_EQ(store().read("Settings", "SuppressScriptErrors", ""), "False");
    EXPECT_EQ(store().read("Settings", "SuppressScriptErrors1", ""), "0");
    EXPECT_FALSE(context().options().suppressScriptErrors);
}

TEST_F(DocumentCommandsTest, FileCommandsReachTheEngineAndPropertiesShowTheirWindow) {
    frmBrowser& w = startBrowser();
    pressKey(w, GDK_KEY_s, GDK_CONTROL_MASK);
    pressKey(w, GDK_KEY_p, GDK_CONTROL_MASK);
    for (const char* item : {"mnuFilePageSetup", "mnuFilePrintPreview", "mnuFilePrint"}) {
        testing::probe(w).widget<Gtk::MenuItem>(item)->activate();
    }
    testing::drainEvents();
    EXPECT_EQ(count(w, "saveAs"), 1);
    EXPECT_EQ(count(w, "print"), 2);
    EXPECT_EQ(count(w, "pageSetup"), 1);
    EXPECT_EQ(count(w, "printPreview"), 1);

    engine(w).completeNavigation("http://127.0.0.1/doc", "A document");
    testing::probe(w).widget<Gtk::MenuItem>("mnuFileProperties")->activate();
    testing::drainEvents();
    Gtk::Window* shown = nullptr;
    for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
        if (window->get_name() == "PagePropertiesWindow" && window->get_visible()) shown = window;
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->get_transient_for(), &w);
}

TEST_F(DocumentCommandsTest, FindBarCountsAndStepsThroughTheMatchesAndEscapeClosesIt) {
    frmBrowser& w = startBrowser();
    FindBar& bar = testing::probe(w).findBar();
    auto* text = testing::probe(w).widget<Gtk::Entry>("txtFind");
    auto* matches = testing::probe(w).widget<Gtk::Label>("lblFindMatches");
    EXPECT_FALSE(bar.get_visible());
    engine(w).matches = 3;

    pressKey(w, GDK_KEY_f, GDK_CONTROL_MASK);
    EXPECT_TRUE(bar.get_visible());
    EXPECT_TRUE(text->is_focus());
    text->set_text("apple");
    testing::drainEvents();
    EXPECT_EQ(engine(w).calls.back(), "find apple");
    EXPECT_EQ(matches->get_text(), "1 of 3 matches");
    pressKey(w, GDK_KEY_Return, 0);
    EXPECT_EQ(matches->get_text(), "2 of 3 matches");
    pressKey(w, GDK_KEY_Return, GDK_SHIFT_MASK);
    pressKey(w, GDK_KEY_Return, GDK_SHIFT_MASK);
    EXPECT_EQ(matches->get_text(), "3 of 3 matches");
    testing::probe(w).widget<Gtk::Button>("cmdFindNext")->clicked();
    EXPECT_EQ(matches->get_text(), "1 of 3 matches");

    engine(w).matches = 0;
    testing::probe(w).widget<Gtk::CheckButton>("chkFindMatchCase")->set_active(true);
    testing::drainEvents();
    EXPECT_EQ(matches->get_text(), "No matches");

    // Escape closes the bar, from its buttons as well, rather than stopping the page.
    pressKey(w, GDK_KEY_Escape, 0);
    EXPECT_FALSE(bar.get_visible());
    pressKey(w, GDK_KEY_f, GDK_CONTROL_MASK);
    testing::probe(w).widget<Gtk::Button>("cmdFindPrevious")->grab_focus();
    pressKey(w, GDK_KEY_Escape, 0);
    EXPECT_FALSE(bar.get_visible());
    EXPECT_EQ(count(w, "stop"), 0);
    EXPECT_TRUE(w.page().engine().widget().is_focus());
}

}  // namespace
}  // namespace larkspan
