// The find bar and the page source window around the real web engine: the engine's counts
// and steps reach the bar's "n of m", and the source window shows the page's markup.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using FindEngineTest = testing::RealEngineTest;

TEST_F(FindEngineTest, TheBarCountsTheEnginesMatchesAndStepsThroughThem) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/fruit",
                   "<html><head><title>Fruit</title></head><body><p>apple pie</p>"
                   "<p>Apple tart</p><p>apple juice</p></body></html>");
    auto& app = Application::instance();
    app.settings().write("Settings", "Homepage", server.url("/fruit"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");
    frmBrowser& w = app.createBrowserWindow();
    w.show();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Fruit - Larkspan"; }, 15000));

    auto* text = testing::probe(w).widget<Gtk::Entry>("txtFind");
    auto* matches = testing::probe(w).widget<Gtk::Label>("lblFindMatches");
    auto said = [&](const char* expected) {
        return testing::runUntil([&] { return matches->get_text() == expected; }, 10000);
    };
    ASSERT_TRUE(w.runCommand("find"));
    text->set_text("apple");
    EXPECT_TRUE(said("1 of 3 matches")) << matches->get_text();
    testing::sendKey(w, GDK_KEY_PRESS, GDK_KEY_Return);
    EXPECT_TRUE(said("2 of 3 matches")) << matches->get_text();
    testing::probe(w).widget<Gtk::CheckButton>("chkFindMatchCase")->set_active(true);
    EXPECT_TRUE(said("1 of 2 matches")) << matches->get_text();
    text->set_text("pear");
    EXPECT_TRUE(said("No matches")) << matches->get_text();

    // The page's source, as the engine holds it.
    ASSERT_TRUE(w.runCommand("source"));
    Gtk::Window* source = app.windows().find("frmSource");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->get_title(), server.url("/fruit") + " - Larkspan");
    auto* scroll = dynamic_cast<Gtk::ScrolledWindow*>(source->get_child());
    ASSERT_NE(scroll, nullptr);
    auto* view = dynamic_cast<Gtk::TextView*>(scroll->get_child());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(testing::runUntil([&] {
        return view->get_buffer()->get_text().raw().rfind("<head><title>Fruit</title></head>", 0) ==
               0;
    }));
}

}  // namespace
}  // namespace larkspan
