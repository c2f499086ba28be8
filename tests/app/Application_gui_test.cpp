// The application's start paths: addresses it is started with, and a second start that
// reaches the running instance.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>

#include <giomm/dbusconnection.h>
#include <giomm/file.h>
#include <glibmm/convert.h>
#include <glibmm/spawn.h>

#include "app/Application.hpp"
#include "common/ListFile.hpp"
#include "common/MakerSite.hpp"
#include "common/Paths.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"

namespace larkspan {
namespace {

namespace fs = std::filesystem;
using testing::FakePageEngine;

class ApplicationTest : public testing::GuiTest {
  protected:
    std::vector<std::string> navigationsOf(size_t window) {
        frmBrowser* w = Application::instance().browsers().at(window);
        return static_cast<FakePageEngine&>(w->page().engine()).navigations;
    }
};

TEST_F(ApplicationTest, EachAddressOpensInAMainWindowOfItsOwn) {
    auto& app = Application::instance();
    app.register_application();
    app.open({Gio::File::create_for_uri("http://one.test/"),
              Gio::File::create_for_uri("http://two.test/")});
    ASSERT_EQ(app.browsers().size(), 2u);
    // The home page is not fetched on the way.
    EXPECT_EQ(navigationsOf(0), (std::vector<std::string>{"http://one.test/"}));
    EXPECT_EQ(navigationsOf(1), (std::vector<std::string>{"http://two.test/"}));
    EXPECT_TRUE(app.browsers()[1]->get_visible());
    // Started again without an address: one more window, on the home page.
    app.activate();
    ASSERT_EQ(app.browsers().size(), 3u);
    EXPECT_EQ(navigationsOf(2), (std::vector<std::string>{site::kHome}));
    EXPECT_EQ(app.get_windows().size(), 3u);
}

TEST_F(ApplicationTest, StartingClearsWhatKilledRewritesLeftBehind) {
    const fs::path folders[] = {paths::dataDir(), favorites::folderPath()};
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const fs::path& folder : folders) {
        fs::create_directories(folder);
        // What a rewrite killed midway leaves: a whole temporary file that is never renamed.
        EXPECT_TRUE(SaveListToFile({"left"}, folder / "probe.txt"));
        fs::rename(folder / "probe.txt", folder / ".probe.txt.new-AbCd12");
        fs::last_write_time(folder / ".probe.txt.new-AbCd12", old);
    }
    auto& app = Application::instance();
    app.register_application();
    app.activate();
    ASSERT_EQ(app.browsers().size(), 1u);
    EXPECT_TRUE(testing::runUntil([&] {
        return !fs::exists(folders[0] / ".probe.txt.new-AbCd12") &&
               !fs::exists(folders[1] / ".probe.txt.new-AbCd12");
    }));
}

TEST_F(ApplicationTest, ASecondStartHandsItsAddressToTheRunningInstance) {
    try {
        Gio::DBus::Connection::get_sync(Gio::DBus::BUS_TYPE_SESSION);
    } catch (const Glib::Error&) {
        GTEST_SKIP() << "no session bus";
    }
    Application::setUnique(true);
    auto& app = Application::instance();
    Application::setUnique(false);
    app.register_application();
    if (app.is_remote()) GTEST_SKIP() << "another instance owns the name on this bus";
    frmBrowser& first = startBrowser();

    Glib::Pid child = 0;
    std::vector<std::string> argv{LARKSPAN_PROGRAM, "http://second.test/"};
    Glib::spawn_async("", argv, Glib::SPAWN_DO_NOT_REAP_CHILD, Glib::SlotSpawnChildSetup(), &child);
    bool ended = false;
    int status = -1;
    auto watch = Glib::signal_child_watch().connect(
        [&](Glib::Pid, int s) {
            ended = true;
            status = s;
        },
        child);
    bool opened = testing::runUntil([&] { return app.browsers().size() == 2; }, 20000);
    bool exited = testing::runUntil([&] { return ended; }, 20000);
    if (!exited) ::kill(child, SIGKILL);
    watch.disconnect();
    Glib::spawn_close_pid(child);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(exited);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(app.firstWindow(), &first);
    EXPECT_EQ(navigationsOf(1), (std::vector<std::string>{"http://second.test/"}));
}

TEST_F(ApplicationTest, AStartAsksForNewAndPrivateWindowsAndFilesOfItsFolder) {
    const fs::path folder = fs::temp_directory_path() / "larkspan-start-folder";
    fs::create_directories(folder);
    EXPECT_TRUE(SaveListToFile({"<p>"}, folder / "page.html"));
    auto& app = Application::instance();
    app.register_application();
    CommandLineRequest request;
    request.addresses = {"page.html"};
    request.newWindows = {"one.test"};
    request.privateWindows = {"", "two.test"};
    app.follow(request, folder.string());
    ASSERT_EQ(app.browsers().size(), 4u);
    EXPECT_EQ(navigationsOf(0).back(), Glib::filename_to_uri((folder / "page.html").string()));
    // A web address without a scheme reaches the page as typed (tried over https first).
    EXPECT_EQ(navigationsOf(1).back(), "one.test");
    EXPECT_EQ(navigationsOf(2), (std::vector<std::string>{site::kHome}));
    EXPECT_EQ(navigationsOf(3).back(), "two.test");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace larkspan
