// A popup the blocker lets through opens in a main window of its own, at the size the page
// asked for, with the real web engine.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include "app/Application.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"

namespace larkspan {
namespace {

using BrowserEngineTest = testing::RealEngineTest;

TEST_F(BrowserEngineTest, AWindowOpenedForAPageTakesTheSizeThePageAskedFor) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/opener", "<html><head><title>Opener</title></head><body>o</body></html>");
    server.addPage("/small", "<html><head><title>Small</title></head><body>s</body></html>");
    auto& app = Application::instance();
    app.settings().write("Settings", "Homepage", server.url("/opener"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");
    app.options().setPopupMode(OptionsModel::PopupMode::Allow);
    frmBrowser& w = app.createBrowserWindow();
    w.show();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Opener - Larkspan"; }, 15000));
    webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(w.page().engine().widget().gobj()),
                                        "window.open('/small', '', 'width=900,height=450');", -1,
                                        nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(testing::runUntil([&] { return app.browsers().size() == 2; }, 15000));
    frmBrowser& popup = *app.browsers().at(1);
    Gtk::Widget& page = popup.page().engine().widget();
    EXPECT_TRUE(testing::runUntil(
        [&] { return page.get_allocated_width() == 900 && page.get_allocated_height() == 450; },
        15000))
        << page.get_allocated_width() << "x" << page.get_allocated_height();
    EXPECT_EQ(popup.windowState(), WindowGeometry::Normal) << "not maximised";
}

}  // namespace
}  // namespace larkspan
