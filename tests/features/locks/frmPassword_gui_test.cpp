// The lock dialog's wiring: its openers, Enter, the actions on a right and a wrong
// password, the change of password, and the web lock's hold on the main window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Application.hpp"
#include "common/ListFile.hpp"
#include "controls/StyledButton.hpp"
#include "features/locks/PasswordStore.hpp"
#include "features/locks/frmPassword.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

namespace fs = std::filesystem;
using locks::PasswordButton;
using testing::FakePageEngine;

class LockDialogTest : public testing::GuiTest {
  protected:
    Application& app() { return Application::instance(); }
    frmPassword* dialog() {
        return dynamic_cast<frmPassword*>(app().windows().find("frmPassword"));
    }
    bool dialogGone() {
        return testing::runUntil([this] { return dialog() == nullptr; });
    }
    void setPassword(const std::string& p) { locks::storeNewPassword(store(), p); }
    // Types `text` into the password box and presses Enter.
    void enter(const std::string& text) {
        frmPassword* d = dialog();
        ASSERT_NE(d, nullptr);
        d->Text1->set_text(text);
        d->Text1->activate();
        testing::drainEvents();
    }
    FakePageEngine& engine(frmBrowser& w) {
        return static_cast<FakePageEngine&>(w.page().engine());
    }
};

TEST_F(LockDialogTest, ChangingThePasswordFromTheOptions) {
    startBrowser();
    frmOptions* options = showOptionsDialog(app());
    ASSERT_NE(options, nullptr);
    testing::ScriptedDialogs answers;

    // No password yet: "Change Password" opens the change-password layout at once.
    click(*options->control<StyledButton>("ChgPass"));
    frmPassword* d = dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->get_visible());
    // Asked by the options dialog, it stays above that one.
    EXPECT_EQ(d->get_transient_for(), options);
    EXPECT_EQ(d->get_title(), "Change Password");
    EXPECT_TRUE(d->Text2->get_visible());
    EXPECT_TRUE(d->button(PasswordButton::ChgPass)->get_visible());
    // The narrow layout leaves the visible opener outside the window.
    EXPECT_TRUE(d->button(PasswordButton::UnlockPass)->get_visible());
    EXPECT_LT(d->get_width(), 199);

    answers.answer(Dialogs::Answer::Ok);
    d->Text1->set_text("secret");
    d->Text2->set_text("secreT");
    enter("secret");
    EXPECT_EQ(answers.shown().back().text, "Passwords Don't Match!");
    EXPECT_EQ(answers.shown().back().title, "Larkspan");
    EXPECT_EQ(answers.shown().back().parent, d);
    EXPECT_FALSE(locks::passwordIsSet(store()));
    ASSERT_EQ(dialog(), d);
    EXPECT_TRUE(d->get_visible());
    EXPECT_EQ(d->get_transient_for(), options);

    answers.answer(Dialogs::Answer::Ok);
    d->Text2->set_text("secret");
    enter("secret");
    EXPECT_EQ(answers.shown().back().text, "Password Changed Successfully!");
    EXPECT_TRUE(dialogGone());
    EXPECT_TRUE(locks::CheckPassword(store(), "secret"));
    EXPECT_TRUE(options->get_visible());

    // With a password, the current one is asked first; then the layout changes.
    click(*options->control<StyledButton>("ChgPass"));
    d = dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->get_title(), "Password Lock");
    EXPECT_FALSE(d->Text2->get_visible());
    EXPECT_GT(d->get_width(), 250);
    answers.answer(Dialogs::Answer::Ok);
    enter("Secret");
    EXPECT_EQ(answers.shown().back().text, "Invalid Password!");
    EXPECT_EQ(d->get_focus(), d->Text1);
    enter("secret");
    EXPECT_EQ(d->get_title(), "Change Password");
    EXPECT_TRUE(d->Text2->get_visible());
    EXPECT_EQ(d->Text1->get_text(), "");
    EXPECT_TRUE(answers.allAnswered());
}

TEST_F(LockDialogTest, EnterRunsTheFirstVisibleOpenerAndTheLockablesUnlock) {
    setPassword("pw");
    frmBrowser& w = startBrowser();
    app().options().setFlag(OptionId::LockHistory, true);
    app().options().setFlag(OptionId::LockOptions, true);
    const Glib::ustring own = w.get_title();
    w.runCommand("toolbar-options");
    w.runCommand("history");
    EXPECT_EQ(w.get_title(), "Unlock History");
    frmPassword* d = dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->button(PasswordButton::UnlockOpt)->get_visible());
    EXPECT_TRUE(d->button(PasswordButton::UnlockHis)->get_visible());
    // The history button comes before the options button; unlocked, the main window
    // shows its own caption again.
    enter("pw");
    EXPECT_TRUE(dialogGone());
    EXPECT_EQ(w.get_title(), own);
    Gtk::Window* history = app().windows().find("frmHistory");
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->get_visible());
    frmOptions* options = findOptionsDialog(app());
    EXPECT_TRUE(options == nullptr || !options->get_visible());

    // "Unlock" on the Password Lock page: a wrong password changes nothing; the right one
    // brings the options back with the lockables enabled, and "Lock" disables them again.
    options = showOptionsDialog(app());
    testing::ScriptedDialogs answers;
    click(*options->control<StyledButton>("Enable"));
    EXPECT_FALSE(options->get_visible());
    answers.answer(Dialogs::Answer::Ok);
    enter("wrong");
    EXPECT_EQ(answers.shown().back().text, "Invalid Password!");
    EXPECT_FALSE(options->control<Gtk::Frame>("Frame13")->get_sensitive());
    enter("pw");
    EXPECT_TRUE(dialogGone());
    EXPECT_TRUE(options->get_visible());
    EXPECT_TRUE(options->control<Gtk::Frame>("Frame13")->get_sensitive());
    EXPECT_EQ(options->control<StyledButton>("Enable")->caption(), "Lock");
    click(*options->control<StyledButton>("Enable"));
    EXPECT_FALSE(options->control<Gtk::Frame>("Frame13")->get_sensitive());
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(LockDialogTest, CancelAndEscapeCloseItWithoutTheGuardedCommand) {
    setPassword("pw");
    frmBrowser& w = startBrowser();
    app().options().setFlag(OptionId::LockHistory, true);
    const Glib::ustring own = w.get_title();
    w.runCommand("history");
    frmPassword* d = dialog();
    ASSERT_NE(d, nullptr);
    // A line says what the box asks, and names it.
    EXPECT_TRUE(d->lblPrompt->get_visible());
    EXPECT_FALSE(d->lblPrompt->get_text().empty());
    EXPECT_EQ(d->lblPrompt->get_mnemonic_widget(), d->Text1);
    click(*d->Cancel);
    EXPECT_TRUE(dialogGone());
    EXPECT_EQ(app().windows().find("frmHistory"), nullptr);
    EXPECT_EQ(w.get_title(), own);

    w.runCommand("history");
    d = dialog();
    ASSERT_NE(d, nullptr);
    d->Text1->set_text("pw");
    testing::sendKey(*d, GDK_KEY_PRESS, GDK_KEY_Escape);
    EXPECT_TRUE(dialogGone());
    EXPECT_EQ(app().windows().find("frmHistory"), nullptr);
}

TEST_F(LockDialogTest, AWrongWebPasswordHoldsTheWindowUntilTheRightOneOrClosing) {
    setPassword("pw");
    frmBrowser& w = startBrowser();
    app().options().setFlag(OptionId::LockBrowser, true);
    auto* box = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    size_t before = engine(w).navigations.size();
    box->set_text("http://127.0.0.1/locked");
    testing::probe(w).cboAddress_KeyDown(13);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->get_title(), "Unlock Larkspan");

    testing::ScriptedDialogs answers;
    answers.answer(Dialogs::Answer::Ok);
    enter("nope");
    EXPECT_EQ(answers.shown().back().text, "Invalid Password!");
    EXPECT_FALSE(w.get_sensitive());
    EXPECT_EQ(engine(w).calls.back(), "stop");
    ASSERT_NE(dialog(), nullptr);
    enter("pw");
    EXPECT_TRUE(w.get_sensitive());
    EXPECT_EQ(engine(w).navigations.back(), "http://127.0.0.1/locked");
    EXPECT_TRUE(dialogGone());

    // Closed after a wrong password, the dialog gives the window back without navigating.
    before = engine(w).navigations.size();
    testing::probe(w).cboAddress_KeyDown(13);
    answers.answer(Dialogs::Answer::Ok);
    enter("nope");
    EXPECT_FALSE(w.get_sensitive());
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(dialog()->get_window()->gobj()));
    gtk_main_do_event(event);
    gdk_event_free(event);
    EXPECT_TRUE(dialogGone());
    EXPECT_TRUE(w.get_sensitive());
    EXPECT_EQ(engine(w).navigations.size(), before);
}

TEST_F(LockDialogTest, UnlockedCommandsRunInTheirWindowAndClearingHistoryAsks) {
    setPassword("pw");
    frmBrowser& w = startBrowser();
    app().options().setFlag(OptionId::LockEmail, true);
    testing::ScriptedDialogs answers;
    w.runCommand("send-mail");
    EXPECT_EQ(w.get_title(), "Unlock Send Mail");
    EXPECT_TRUE(answers.shown().empty());
    answers.input(std::string("someone@example.org"));
    answers.input(std::string("hello"));
    enter("pw");
    EXPECT_EQ(engine(w).navigations.back(), "mailto:someone@example.org?subject=hello");
    EXPECT_TRUE(dialogGone());

    fs::path file = listfile::historyFilePath();
    { std::ofstream(file, std::ios::binary) << "http://127.0.0.1/a\r\n"; }
    app().options().setFlag(OptionId::LockHistory, true);
    frmOptions* options = showOptionsDialog(app());
    click(*options->control<StyledButton>("Command3"));
    answers.answer(Dialogs::Answer::Ok);
    enter("bad");
    EXPECT_EQ(answers.shown().back().text, "Invalid Password!");
    EXPECT_EQ(fs::file_size(file), 20u);
    answers.answer(Dialogs::Answer::Yes);
    enter("pw");
    EXPECT_EQ(answers.shown().back().text, "Delete History?  ");
    EXPECT_EQ(answers.shown().back().title, "History");
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_TRUE(dialogGone());
}

}  // namespace
}  // namespace larkspan
