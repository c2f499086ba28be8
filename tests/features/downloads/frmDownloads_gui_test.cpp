// The Downloads window's wiring: a download a page starts opens it and is listed and
// chosen; the rows follow the downloads; Cancel, Open and Show in Folder act on the chosen
// one as its state allows; Tools > Downloads brings the one window back with the run's list.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.hpp"
#include "controls/StyledButton.hpp"
#include "features/downloads/DesktopOpener.hpp"
#include "features/downloads/frmDownloads.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

namespace fs = std::filesystem;
using testing::FakePageEngine;

// A download the test moves by hand.
class FakeDownload final : public Download {
  public:
    explicit FakeDownload(std::string from) : from_(std::move(from)) {}
    const DownloadStatus& status() const override { return status_; }
    std::string address() const override { return from_; }
    fs::path file() const override { return file_; }
    void cancel() override {
        ++cancels;
        if (status_.fail("", true)) signalChanged.emit();
    }
    void choose(const fs::path& file) {
        file_ = file;
        signalChanged.emit();
    }
    template <typename F>
    void update(F&& change) {
        change(status_);
        signalChanged.emit();
    }
    int cancels = 0;

  private:
    std::string from_;
    fs::path file_;
    DownloadStatus status_;
};

class DownloadsWindowTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        downloads::setDesktopActions({[this](const fs::path& f) {
                                          opened.push_back(f);
                                          return true;
                                      },
                                      [this](const fs::path& f) {
                                          shown.push_back(f);
                                          return true;
                                      }});
    }
    void TearDown() override {
        downloads::setDesktopActions({});
        GuiTest::TearDown();
    }
    frmDownloads* window() {
        return dynamic_cast<frmDownloads*>(Application::instance().windows().find("frmDownloads"));
    }
    std::shared_ptr<FakeDownload> start(frmBrowser& w, const std::string& address) {
        auto d = std::make_shared<FakeDownload>(address);
        w.page().engine().signalDownloadStarted.emit(d);
        testing::drainEvents();
        return d;
    }

    std::vector<fs::path> opened;
    std::vector<fs::path> shown;
};

TEST_F(DownloadsWindowTest, AStartingDownloadOpensTheWindowAndItsRowFollowsIt) {
    frmBrowser& w = startBrowser();
    EXPECT_EQ(window(), nullptr);
    auto first = start(w, "http://example.org/files/a");
    frmDownloads* d = window();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->get_visible());
    EXPECT_EQ(d->get_title(), "Downloads - Larkspan");
    ASSERT_EQ(d->shownRows().size(), 1u);
    EXPECT_EQ(d->shownRows()[0].name, "http://example.org/files/a");
    EXPECT_EQ(d->chosenRow(), 0u);
    EXPECT_TRUE(d->cmdCancel->enabled());
    EXPECT_FALSE(d->cmdOpen->enabled());
    EXPECT_FALSE(d->cmdShowInFolder->enabled());

    first->choose("/tmp/dl/a.zip");
    first->update([](DownloadStatus& s) {
        s.announce(200);
        s.receive(50);
    });
    EXPECT_EQ(d->shownRows()[0].name, "a.zip");
    EXPECT_EQ(d->shownRows()[0].percent, 25);
    EXPECT_EQ(d->shownRows()[0].progress, "25 %");

    // Cancel acts on the chosen download; the row says so and the buttons go.
    click(*d->cmdCancel);
    EXPECT_EQ(first->cancels, 1);
    EXPECT_EQ(d->shownRows()[0].progress, "Cancelled");
    EXPECT_FALSE(d->cmdCancel->enabled());
    EXPECT_FALSE(d->cmdOpen->enabled());

    // A second download, from another window, joins the same window and is chosen.
    frmBrowser& second = Application::instance().createBrowserWindow();
    auto other = start(second, "http://example.org/files/b");
    EXPECT_EQ(window(), d);
    ASSERT_EQ(d->shownRows().size(), 2u);
    EXPECT_EQ(d->chosenRow(), 1u);
    other->choose("/tmp/dl/b.pdf");
    other->update([](DownloadStatus& s) {
        s.receive(10);
        s.finish();
    });
    EXPECT_EQ(d->shownRows()[1].percent, 100);
    EXPECT_TRUE(d->cmdOpen->enabled());
    EXPECT_TRUE(d->cmdShowInFolder->enabled());
    EXPECT_FALSE(d->cmdCancel->enabled());
    click(*d->cmdOpen);
    click(*d->cmdShowInFolder);
    EXPECT_EQ(opened, std::vector<fs::path>{"/tmp/dl/b.pdf"});
    EXPECT_EQ(shown, std::vector<fs::path>{"/tmp/dl/b.pdf"});

    // Choosing the cancelled row again: nothing to open.
    d->chooseRow(0);
    testing::drainEvents();
    EXPECT_FALSE(d->cmdOpen->enabled());
    click(*d->cmdOpen);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(DownloadsWindowTest, ToolsDownloadsBringsTheClosedWindowBackWithTheRunsList) {
    frmBrowser& w = startBrowser();
    auto d = start(w, "http://example.org/x");
    ASSERT_NE(window(), nullptr);
    click(*window()->cmdClose);
    EXPECT_TRUE(testing::runUntil([&] { return window() == nullptr; }));

    // The download goes on unseen; the window made again shows where it got to.
    d->update([](DownloadStatus& s) { s.receive(1); });
    ASSERT_TRUE(w.runCommand("downloads"));
    testing::drainEvents();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->get_visible());
    ASSERT_EQ(window()->shownRows().size(), 1u);
    EXPECT_EQ(window()->chosenRow(), 0u);
    EXPECT_TRUE(window()->cmdCancel->enabled());
    auto* item = testing::probe(w).widget<Gtk::MenuItem>("mnuToolsDownloads");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->get_label(), "_Downloads");
}

TEST_F(DownloadsWindowTest, ClosingTheLastWindowAsksBeforeRunningDownloadsAreCancelled) {
    frmBrowser& first = startBrowser();
    frmBrowser& second = Application::instance().createBrowserWindow();
    second.show();
    auto finished = start(first, "http://example.org/files/small");
    finished->update([](DownloadStatus& s) { s.finish(); });
    auto running = start(second, "http://example.org/files/big");
    testing::ScriptedDialogs dialogs;

    // Another main window stays open: the downloads go on without a question.
    second.Form_Unload();
    EXPECT_TRUE(dialogs.shown().empty());
    ASSERT_EQ(Application::instance().browsers().size(), 1u);

    // The last one asks, counting only the download still receiving; No keeps it open.
    dialogs.answer(Dialogs::Answer::No);
    first.Form_Unload();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, "A download is still in progress.\nCancel it and quit?");
    EXPECT_EQ(Application::instance().browsers().size(), 1u);
    EXPECT_TRUE(first.get_visible());
    EXPECT_EQ(running->cancels, 0);

    dialogs.answer(Dialogs::Answer::Yes);
    first.Form_Unload();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(Application::instance().browsers().empty());
}

}  // namespace
}  // namespace larkspan
