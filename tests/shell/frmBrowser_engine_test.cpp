// A main window around the real web engine: loading a page served on 127.0.0.1 moves the
// caption, the status panel, the address box and the progress display; so do navigations
// inside one document.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include "app/Application.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"

namespace larkspan {
namespace {

using BrowserEngineTest = testing::RealEngineTest;

TEST_F(BrowserEngineTest, ALoadedPageDrivesTheWindow) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/home", "<html><head><title>Home Page</title></head><body>home</body></html>");
    server.addPage("/next",
                   "<html><head><title>Next Page</title></head><body><a href='/home'>link</a>"
                   "</body></html>");
    auto& app = Application::instance();
    app.settings().write("Settings", "Homepage", server.url("/home"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");

    frmBrowser& w = app.createBrowserWindow();
    w.show();
    std::vector<int> progress;
    w.WebBrowser1().signalProgressChange.connect(
        [&](long p, long) { progress.push_back(static_cast<int>(p)); });
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Home Page - Larkspan"; }, 15000))
        << w.get_title();
    EXPECT_EQ(w.widget<AddressBox>("cboAddress")->get_entry()->get_text(), server.url("/home"));
    // The title event may come after the completed download.
    EXPECT_TRUE(testing::runUntil([&] { return w.applicationTitle() == "Home Page - Larkspan"; }))
        << w.applicationTitle();

    // A typed address: the box, the caption and the progress follow the new page.
    w.widget<AddressBox>("cboAddress")->get_entry()->set_text(server.url("/next"));
    w.cboAddress_KeyDown(13);
    w.cboAddress_KeyPress(13);
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Next Page - Larkspan"; }, 15000));
    EXPECT_EQ(w.widget<AddressBox>("cboAddress")->get_entry()->get_text(), server.url("/next"));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), -1);
    EXPECT_NE(std::find(progress.begin(), progress.end(), 100), progress.end());
    // The load ended at 100 %, so the bar is hidden again.
    EXPECT_EQ(w.widget<StyledProgressBar>("PB")->value(), 100);
    EXPECT_FALSE(w.widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_FALSE(w.panelText(1).empty());
    // Plain http is not a secure site.
    EXPECT_FALSE(w.panelVisible(2));
}

TEST_F(BrowserEngineTest, NavigationsInsideTheDocumentMoveAddressCaptionBackListAndCommands) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/app", "<html><head><title>App</title></head><body>app</body></html>");
    auto& app = Application::instance();
    app.settings().write("Settings", "Homepage", server.url("/app"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");
    frmBrowser& w = app.createBrowserWindow();
    w.show();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "App - Larkspan"; }, 15000));
    auto address = [&] {
        return std::string(w.widget<AddressBox>("cboAddress")->get_entry()->get_text());
    };
    auto run = [&](const char* script) {
        webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(w.WebBrowser1().widget().gobj()),
                                            script, -1, nullptr, nullptr, nullptr, nullptr,
                                            nullptr);
    };
    auto acts = [&](const char* command) { return w.lookup_action(command)->get_enabled(); };
    // A first page: no history either way, and nothing left to stop.
    EXPECT_FALSE(acts("back"));
    EXPECT_FALSE(acts("forward"));
    EXPECT_TRUE(testing::runUntil([&] { return !acts("stop"); }, 15000));

    run("document.title = 'Inbox'; history.pushState({}, '', '/app/inbox');");
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app/inbox"); }, 15000))
        << address();
    EXPECT_TRUE(testing::runUntil([&] { return w.get_title() == "Inbox - Larkspan"; }, 15000))
        << w.get_title();
    EXPECT_TRUE(testing::runUntil([&] { return acts("back"); }, 15000));
    EXPECT_FALSE(acts("forward"));

    run("location.hash = 'message-2';");
    ASSERT_TRUE(
        testing::runUntil([&] { return address() == server.url("/app/inbox#message-2"); }, 15000))
        << address();

    // Back steps inside the document and notes where it left, like any other page.
    w.mnuBack_Click();
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app/inbox"); }, 15000))
        << address();
    EXPECT_EQ(w.forwardList(), std::vector<std::string>{server.url("/app/inbox#message-2")});
    w.mnuBack_Click();
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app"); }, 15000))
        << address();
    EXPECT_TRUE(testing::runUntil([&] { return !acts("back") && acts("forward"); }, 15000));
    w.mnuForward_Click();
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app/inbox"); }, 15000))
        << address();
    EXPECT_EQ(w.backList(), std::vector<std::string>{server.url("/app")});
    // Nothing was fetched again, and no load was left showing progress.
    EXPECT_EQ(server.requestCount("/app"), 1);
    EXPECT_TRUE(testing::runUntil([&] { return !w.widget<StyledProgressBar>("PB")->get_visible(); },
                                  15000));
}

}  // namespace
}  // namespace larkspan
