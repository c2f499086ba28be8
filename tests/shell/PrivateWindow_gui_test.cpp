// A private window: marked as such, its pages and the windows and tabs it opens private, and
// the addresses typed into it kept neither in the list nor in the history file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/ListFile.hpp"
#include "shell/AddressBox.hpp"
#include "shell/PrivateWindow.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class PrivateWindowTest : public testing::ShellGuiTest {};

TEST_F(PrivateWindowTest, IsMarkedOpensPrivatePagesAndRemembersNoTypedAddress) {
    frmBrowser& normal = startBrowser();
    frmBrowser& w = openPrivateWindow(context(), "");
    ASSERT_TRUE(w.isPrivate());
    EXPECT_FALSE(normal.isPrivate());
    auto& engine = static_cast<FakePageEngine&>(w.page().engine());
    ASSERT_EQ(engine.navigations.size(), 1u);
    engine.completeNavigation(engine.navigations[0], "Home");
    EXPECT_EQ(w.get_title(), "Home - Larkspan (Private)");
    EXPECT_TRUE(testing::probe(w)
                    .widget<Gtk::Toolbar>("Toolbar1")
                    ->get_style_context()
                    ->has_class("private-window"));
    EXPECT_FALSE(normal.get_title().raw().ends_with("(Private)"));

    // What it opens is private too.
    Page& tab = w.openTab("http://tab.test/", frmBrowser::TabPlace::LastShown);
    EXPECT_TRUE(tab.engine().isPrivate());
    w.runCommand("new-window");
    frmBrowser* opened = context().browsers().back();
    ASSERT_NE(opened, &w);
    EXPECT_TRUE(opened->isPrivate());

    // An address typed into it goes nowhere but to the page.
    const std::size_t listed = w.addressList().size();
    Gtk::Entry* box = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    box->set_text("http://typed.test/");
    testing::probe(w).cboAddress_KeyDown(13);
    testing::probe(w).cboAddress_KeyPress(13);
    EXPECT_EQ(static_cast<FakePageEngine&>(w.page().engine()).navigations.back(),
              "http://typed.test/");
    EXPECT_EQ(w.addressList().size(), listed);
    EXPECT_EQ(normal.addressList().size(), listed);
    EXPECT_FALSE(std::filesystem::exists(listfile::historyFilePath()));
}

}  // namespace
}  // namespace larkspan
