// A main window around the real web engine: loading a page served on 127.0.0.1 moves the
// caption, the status panel, the address box and the progress display; so do navigations
// inside one document. The Back and Forward lists lead where the engine's history does.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/PageServer.hpp"
#include "support/ShellEngineTest.hpp"
#include "support/WindowTest.hpp"

namespace larkspan {
namespace {

using BrowserEngineTest = testing::ShellEngineTest;

TEST_F(BrowserEngineTest, ALoadedPageDrivesTheWindow) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/home", "<html><head><title>Home Page</title></head><body>home</body></html>");
    server.addPage("/next",
                   "<html><head><title>Next Page</title></head><body><a href='/home'>link</a>"
                   "</body></html>");
    auto& app = context();
    app.settings().write("Settings", "Homepage", server.url("/home"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");

    frmBrowser& w = app.createBrowserWindow();
    w.show();
    std::vector<int> progress;
    w.page().engine().signalProgressChange.connect(
        [&](long p, long) { progress.push_back(static_cast<int>(p)); });
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Home Page - Larkspan"; }, 15000))
        << w.get_title();
    EXPECT_EQ(testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->get_text(),
              server.url("/home"));
    // The title event may come after the completed download.
    EXPECT_TRUE(testing::runUntil([&] { return w.applicationTitle() == "Home Page - Larkspan"; }))
        << w.applicationTitle();

    // A typed address: the box, the caption and the progress follow the new page.
    testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->set_text(server.url("/next"));
    testing::probe(w).cboAddress_KeyDown(13);
    testing::probe(w).cboAddress_KeyPress(13);
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "Next Page - Larkspan"; }, 15000));
    EXPECT_EQ(testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->get_text(),
              server.url("/next"));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), -1);
    EXPECT_NE(std::find(progress.begin(), progress.end(), 100), progress.end());
    // The load ended at 100 %, so the bar is hidden again.
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 100);
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_FALSE(testing::probe(w).panelText(1).empty());
    // Plain http is not a secure site.
    EXPECT_FALSE(testing::probe(w).panelVisible(2));
}

TEST_F(BrowserEngineTest, NavigationsInsideTheDocumentMoveAddressCaptionBackListAndCommands) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    server.addPage("/app", "<html><head><title>App</title></head><body>app</body></html>");
    auto& app = context();
    app.settings().write("Settings", "Homepage", server.url("/app"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");
    frmBrowser& w = app.createBrowserWindow();
    w.show();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "App - Larkspan"; }, 15000));
    auto address = [&] {
        return std::string(
            testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->get_text());
    };
    auto run = [&](const char* script) {
        webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(w.page().engine().widget().gobj()),
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
    w.runCommand("back");
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app/inbox"); }, 15000))
        << address();
    EXPECT_EQ(testing::probe(w).forwardList(),
              std::vector<std::string>{server.url("/app/inbox#message-2")});
    w.runCommand("back");
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app"); }, 15000))
        << address();
    EXPECT_TRUE(testing::runUntil([&] { return !acts("back") && acts("forward"); }, 15000));
    w.runCommand("forward");
    ASSERT_TRUE(testing::runUntil([&] { return address() == server.url("/app/inbox"); }, 15000))
        << address();
    EXPECT_EQ(testing::probe(w).backList(), std::vector<std::string>{server.url("/app")});
    // Nothing was fetched again, and no load was left showing progress.
    EXPECT_EQ(server.requestCount("/app"), 1);
    EXPECT_TRUE(testing::runUntil(
        [&] { return !testing::probe(w).widget<StyledProgressBar>("PB")->get_visible(); }, 15000));
}

TEST_F(BrowserEngineTest, ChoosingFromTheBackAndForwardListsGoesThatManyPages) {
    test::PageServer server;
    ASSERT_TRUE(server.listening());
    for (const char* page : {"/a", "/b", "/c"}) {
        server.addPage(page, std::string("<html><head><title>") + (page + 1) +
                                 "</title></head><body>page</body></html>");
    }
    auto& app = context();
    app.settings().write("Settings", "Homepage", server.url("/a"));
    app.settings().write("Settings", "CheckUpdatesAtStart", "0");
    frmBrowser& w = app.createBrowserWindow();
    w.show();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "a - Larkspan"; }, 15000));
    for (const char* page : {"/b", "/c"}) {
        w.page().engine().navigate(server.url(page));
        ASSERT_TRUE(testing::runUntil(
            [&] { return w.get_title() == std::string(page + 1) + " - Larkspan"; }, 15000));
    }
    auto menuItems = [&](const char* name) { return testing::menuItemsOf(w, name); };
    const std::vector<std::string> behind{server.url("/b"), server.url("/a")};
    ASSERT_TRUE(testing::runUntil([&] { return testing::probe(w).backList() == behind; }, 15000));
    // Two pages behind: the arrow opens a list of both, the nearest first.
    auto back = menuItems("Toolbar1_BackList");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0]->get_label(), server.url("/b"));
    auto* parts = dynamic_cast<Gtk::Container*>(
        testing::probe(w).widget<Gtk::MenuToolButton>("Toolbar1_Back")->get_child());
    ASSERT_NE(parts, nullptr);
    for (Gtk::Widget* part : parts->get_children()) {
        if (dynamic_cast<Gtk::ToggleButton*>(part)) {
            EXPECT_TRUE(part->get_sensitive());
        }
    }
    EXPECT_TRUE(menuItems("Toolbar1_ForwardList").empty());

    // The second entry goes two pages back in one move.
    back[1]->activate();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "a - Larkspan"; }, 15000));
    const std::vector<std::string> ahead{server.url("/b"), server.url("/c")};
    ASSERT_TRUE(testing::runUntil([&] { return testing::probe(w).forwardList() == ahead; }, 15000));
    EXPECT_TRUE(testing::probe(w).backList().empty());
    auto forward = menuItems("Toolbar1_ForwardList");
    ASSERT_EQ(forward.size(), 2u);
    EXPECT_EQ(forward[0]->get_label(), server.url("/b"));
    forward[1]->activate();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_title() == "c - Larkspan"; }, 15000));
    EXPECT_TRUE(testing::runUntil([&] { return testing::probe(w).backList() == behind; }, 15000));
}

}  // namespace
}  // namespace larkspan
