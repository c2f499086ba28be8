// The main window's commands as actions: shortcuts of unbuilt commands reach the focused
// control, shortcuts run their actions, and the locks hold guarded commands back.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "settings/OptionsModel.hpp"
#include "shell/Guards.hpp"
#include "shell/MailReader.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class CommandsTest : public testing::ShellGuiTest {
  protected:
    Gtk::Entry& addressBox(frmBrowser& w) {
        return *testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    }
    bool wholeTextSelected(Gtk::Entry& e) {
        int start = 0, end = 0;
        return e.is_focus() && e.get_selection_bounds(start, end) && start == 0 &&
               end == static_cast<int>(e.get_text().size());
    }
};

TEST_F(CommandsTest, TheAddressBoxKeepsItsOwnEditingShortcuts) {
    frmBrowser& w = startBrowser();
    Gtk::Entry& box = addressBox(w);
    box.set_text("alpha");
    box.grab_focus();
    box.select_region(0, 0);
    testing::ScriptedDialogs d;
    // Ctrl+A selects the box's text rather than adding the page to the favorites.
    pressKey(w, GDK_KEY_a, GDK_CONTROL_MASK);
    EXPECT_TRUE(wholeTextSelected(box));
    EXPECT_TRUE(d.shown().empty());
    pressKey(w, GDK_KEY_c, GDK_CONTROL_MASK);
    EXPECT_EQ(Gtk::Clipboard::get()->wait_for_text(), "alpha");
    pressKey(w, GDK_KEY_x, GDK_CONTROL_MASK);
    EXPECT_EQ(box.get_text(), "");
    pressKey(w, GDK_KEY_v, GDK_CONTROL_MASK);
    EXPECT_TRUE(testing::runUntil([&] { return box.get_text() == "alpha"; }));
    // The page's editing commands were not run.
    for (const char* call : {"cut", "copy", "paste", "selectAll"}) EXPECT_EQ(count(w, call), 0);
}

TEST_F(CommandsTest, ShortcutsRunTheirCommands) {
    frmBrowser& w = startBrowser();
    // The completion timer's first tick would select part of the box's text at a moment of
    // its own (a slow run reaches the shortcuts after it).
    testing::probe(w).Timer1().setEnabled(false);
    // The menu shows a command's shortcut beside its item.
    auto* item = dynamic_cast<Gtk::MenuItem*>(testing::probe(w).control("mnuFileNew"));
    auto* label = dynamic_cast<Gtk::AccelLabel*>(item->get_child());
    ASSERT_NE(label, nullptr);
    guint shownKey = 0;
    Gdk::ModifierType shownMods{};
    label->get_accel(shownKey, shownMods);
    EXPECT_EQ(shownKey, static_cast<guint>(GDK_KEY_n));
    EXPECT_EQ(shownMods, Gdk::CONTROL_MASK);

    testing::ScriptedDialogs d;
    d.file(std::string("/tmp/opened.html"));
    pressKey(w, GDK_KEY_o, GDK_CONTROL_MASK);
    EXPECT_EQ(engine(w).navigations.back(), "/tmp/opened.html");

    Gtk::Entry& box = addressBox(w);
    for (auto [key, mods] : {std::pair<guint, guint>{GDK_KEY_l, GDK_CONTROL_MASK},
                             {GDK_KEY_d, GDK_MOD1_MASK},
                             {GDK_KEY_F6, 0}}) {
        w.page().engine().widget().grab_focus();
        box.select_region(0, 0);
        pressKey(w, key, mods);
        EXPECT_TRUE(wholeTextSelected(box)) << gdk_keyval_name(key);
    }

    pressKey(w, GDK_KEY_F5, 0);
    EXPECT_EQ(count(w, "refresh"), 1);
    // A loading page with history both ways.
    w.page().engine().signalProgressChange.emit(10, 100);
    w.page().engine().signalCommandStateChange.emit(engine::Command::Back, true);
    w.page().engine().signalCommandStateChange.emit(engine::Command::Forward, true);
    pressKey(w, GDK_KEY_Escape, 0);
    EXPECT_EQ(count(w, "stop"), 1);
    pressKey(w, GDK_KEY_Left, GDK_MOD1_MASK);
    EXPECT_EQ(count(w, "back"), 1);
    pressKey(w, GDK_KEY_Right, GDK_MOD1_MASK);
    EXPECT_EQ(count(w, "forward"), 1);

    // The text size steps within its five levels and returns to "Medium".
    for (int i = 0; i < 3; ++i) pressKey(w, GDK_KEY_plus, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    EXPECT_EQ(engine(w).zoom, 4);
    pressKey(w, GDK_KEY_minus, GDK_CONTROL_MASK);
    EXPECT_EQ(engine(w).zoom, 3);
    pressKey(w, GDK_KEY_0, GDK_CONTROL_MASK);
    EXPECT_EQ(engine(w).zoom, 2);

    // Ctrl+W closes the window (it is released once the key has been handled).
    pressKey(w, GDK_KEY_w, GDK_CONTROL_MASK);
    EXPECT_TRUE(context().browsers().empty());
}

// Stands in for the lock dialog: remembers the button a guard made visible.
class RecordingLockDialog : public Gtk::Window, public locks::LockDialog {
  public:
    void reveal(locks::Unlock action, frmBrowser*, std::function<void()>) override {
        revealed = static_cast<int>(action);
    }
    void conceal(locks::Unlock) override {}
    int revealed = -1;
};

TEST_F(CommandsTest, ALockedCommandOpensTheLockDialogInstead) {
    auto& app = context();
    app.windows().define("frmPassword", [] { return std::make_unique<RecordingLockDialog>(); });
    // A feature's command comes alive in the toolbar and sits behind its lock as well.
    int historyShown = 0;
    app.commands().define("history", [&historyShown](frmBrowser&) { ++historyShown; });
    frmBrowser& w = startBrowser();
    auto click = [&w](const char* name) {
        auto* button = dynamic_cast<Gtk::Bin*>(testing::probe(w).control(name));
        ASSERT_NE(button, nullptr);
        static_cast<Gtk::Button*>(button->get_child())->clicked();
    };
    click("Toolbar1_History");
    EXPECT_EQ(historyShown, 1);
    app.options().lockHistory = true;
    click("Toolbar1_History");
    EXPECT_EQ(historyShown, 1);
    EXPECT_EQ(w.get_title(), "Unlock History");
    app.windows().close("frmPassword");

    auto unlockButton = [&app] {
        Gtk::Window* dialog = app.windows().find("frmPassword");
        if (!dialog || !dialog->get_visible()) return -1;
        return static_cast<RecordingLockDialog*>(dialog)->revealed;
    };
    app.options().lockOptions = true;
    click("Toolbar1_Options");
    EXPECT_EQ(unlockButton(), static_cast<int>(locks::Unlock::UnlockOpt));
    EXPECT_EQ(w.get_title(), "Unlock Options");
    // The colour passes may have made the options dialog, hidden; the lock keeps it so.
    frmOptions* options = findOptionsDialog(app);
    EXPECT_TRUE(options == nullptr || !options->get_visible());
    app.windows().close("frmPassword");

    app.options().lockBrowser = true;
    size_t before = engine(w).navigations.size();
    addressBox(w).set_text("http://locked.test/");
    testing::probe(w).cboAddress_KeyDown(13);
    EXPECT_EQ(engine(w).navigations.size(), before);
    EXPECT_EQ(unlockButton(), static_cast<int>(locks::Unlock::EnableBrowser));
    EXPECT_EQ(app.windows().find("frmPassword")->get_title(), "Unlock Larkspan");

    app.options().lockOptions = false;
    testing::probe(w).control("mnuToolsOptions")->activate();
    options = findOptionsDialog(app);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->get_visible());
}

TEST_F(CommandsTest, CheckMailStartsTheDefaultMailProgramOrSaysThereIsNone) {
    // A mail program of the test's own, the default for "mailto" in the test's folders.
    std::filesystem::path marker = root_ / "mail-started";
    std::filesystem::create_directories(root_ / "data" / "applications");
    std::ofstream(root_ / "data" / "applications" / "test-mail.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test Mail\nExec=touch " << marker.string()
        << "\nMimeType=x-scheme-handler/mailto;\n";
    std::ofstream(root_ / "config" / "mimeapps.list")
        << "[Default Applications]\nx-scheme-handler/mailto=test-mail.desktop\n";
    frmBrowser& w = startBrowser();
    testing::ScriptedDialogs d;
    EXPECT_TRUE(w.runCommand("check-mail"));
    EXPECT_TRUE(testing::runUntil([&] { return std::filesystem::exists(marker); }, 5000));
    EXPECT_TRUE(d.shown().empty());

    d.answer(Dialogs::Answer::Ok);
    EXPECT_FALSE(startMailReader(w, Glib::RefPtr<Gio::AppInfo>()));
    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_NE(d.shown()[0].text.find("No e-mail program"), std::string::npos);
}

}  // namespace
}  // namespace larkspan
