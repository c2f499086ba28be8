// The options dialog in the whole application: its buttons that stand for the features'
// commands, and the blocked-popup counter with the log it opens.
#include <gtest/gtest.h>

#include <giomm/simpleaction.h>

#include "app/Application.hpp"
#include "controls/StyledButton.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/GuiTest.hpp"
#include "support/OptionsDialogFixture.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;
using OptionsDialogTest = testing::OptionsDialogFixture<testing::GuiTest>;

TEST_F(OptionsDialogTest, PrivacyPageActsOnTheMainWindow) {
    frmOptions& d = open();
    d.control<Gtk::CheckButton>("Check2")->set_active(false);
    EXPECT_FALSE(testing::probe(*main_).widget<Gtk::Frame>("Frame1")->get_visible());
    d.control<Gtk::CheckButton>("Check2")->set_active(true);
    EXPECT_TRUE(testing::probe(*main_).widget<Gtk::Frame>("Frame1")->get_visible());

    // The counter, wherever it changes, shows in the dialog and in the main windows.
    model().setText(OptionId::BlockedCount, "7");
    EXPECT_EQ(d.control<Gtk::Label>("Label25")->get_text(), "7");
    EXPECT_EQ(testing::probe(*main_).widget<Gtk::Label>("Label1")->get_text(), "7");
    d.Form_Activate();
    d.control<Gtk::EventBox>("Label5_Box")->mnemonic_activate(false);
    EXPECT_EQ(d.control<Gtk::Label>("Label25")->get_text(), "0");
    EXPECT_EQ(testing::probe(*main_).widget<Gtk::Label>("Label1")->get_text(), "0");
    EXPECT_EQ(model().blockedCount, "0");
    EXPECT_TRUE(d.control<StyledButton>("BApply")->enabled());

    // "View Log" shows the blocked-popup log in the dialog's place.
    click(*d.control<StyledButton>("ViewLog"));
    EXPECT_FALSE(d.get_visible());
    Gtk::Window* log = Application::instance().windows().find("frmBlockedLog");
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->get_visible());
}

TEST_F(OptionsDialogTest, ViewButtonsStandForTheirFeaturesActions) {
    frmOptions& d = open();
    auto& app = Application::instance();
    auto log = Glib::RefPtr<Gio::SimpleAction>::cast_dynamic(app.lookup_action("view-blocked-log"));
    ASSERT_TRUE(log);
    StyledButton* viewLog = d.control<StyledButton>("ViewLog");
    ASSERT_TRUE(viewLog->enabled());
    log->set_enabled(false);
    EXPECT_FALSE(viewLog->enabled());

    // Without the feature's action the button cannot be used; it follows the action back.
    StyledButton* view = d.control<StyledButton>("Command4");
    app.remove_action("view-history");
    EXPECT_FALSE(view->enabled());
    int shown = 0;
    app.add_action("view-history", [&shown] { ++shown; });
    EXPECT_TRUE(view->enabled());
    click(*view);
    EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace larkspan
