// Exit in the whole application: the shared windows of the shell and of the features close
// in the application's closing order, then the main window, and the application ends.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Application.hpp"
#include "shell/frmBrowser.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

using MainWindowTest = testing::GuiTest;

TEST_F(MainWindowTest, ExitClosesSharedWindowsInTheClosingOrderThenTheMainWindow) {
    auto& app = Application::instance();
    std::vector<std::string> closed;
    // Defined again in an order unlike the closing order, beside the shell's own two.
    auto plain = [] { return std::make_unique<Gtk::Window>(); };
    app.windows().define("frmPop", plain);
    app.windows().define("frmPassword", plain);
    app.windows().define("frmAbout", plain);
    app.windows().onClosed = [&closed](const std::string& name) { closed.push_back(name); };
    frmBrowser& w = startBrowser();
    for (const char* name : {"frmOptions", "frmPop", "frmFont", "frmAbout", "frmPassword"}) {
        ASSERT_NE(app.windows().touch(name), nullptr) << name;
    }
    w.runCommand("exit");
    EXPECT_EQ(closed, (std::vector<std::string>{"frmPassword", "frmAbout", "frmFont", "frmPop",
                                                "frmOptions"}));
    EXPECT_FALSE(w.get_visible());
    EXPECT_TRUE(app.browsers().empty());
    EXPECT_FALSE(app.optionsLoaded());
    // The application ends with its last main window.
    EXPECT_TRUE(testing::runUntil([&] { return app.get_windows().empty(); }));
}

}  // namespace
}  // namespace larkspan
