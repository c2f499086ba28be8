// A main window around the real web engine: loading a page served on 127.0.0.1 moves the
// caption, the status panel, the address box and the progress display.
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"

namespace larkspan {
namespace {

class BrowserEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::initGtk();
        Application::setEngineFactory(nullptr);  // the real engine
    }
    void TearDown() override {
        Application::shutdown();
        testing::drainEvents();
    }
};

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

}  // namespace
}  // namespace larkspan
