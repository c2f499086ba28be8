// The update check against a loopback update server, the update window, the About box and
// the Help menu's links.
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "common/MakerSite.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "features/update/UpdateCheck.hpp"
#include "features/update/frmAbout.hpp"
#include "features/update/frmPop.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;
using update::localVersionText;

class UpdateTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(server_.listening());
        useServer(server_.url(""));
        store().write("Settings", "CheckUpdatesAtStart", "0");
    }
    void useServer(const std::string& base) { store().write("Settings", "UpdateServer", base); }
    void offer(const std::string& version) {
        server_.addPage(update::kVersionFile, version, "text/plain");
        server_.addPage(update::kNameFile, "Larkspan Next", "text/plain");
        server_.addPage(update::kDescriptionFile, "Faster pages.\r\n", "text/plain");
    }
    static Gtk::Window* window(const char* name) {
        return Application::instance().windows().find(name);
    }
    static frmPop* updateWindow() { return dynamic_cast<frmPop*>(window(update::kUpdateWindow)); }
    static bool shownAndFilled() {
        frmPop* p = updateWindow();
        return p && p->get_visible() && p->Label6->get_text() != "(New Ver)";
    }
    static FakePageEngine& engine(frmBrowser& w) {
        return static_cast<FakePageEngine&>(w.page().engine());
    }
    static std::vector<std::string> texts(const testing::ScriptedDialogs& d) {
        std::vector<std::string> out;
        for (const auto& s : d.shown()) out.push_back(s.title + ": " + s.text);
        return out;
    }
    frmAbout& openAbout(frmBrowser& w) {
        EXPECT_TRUE(w.runCommand("about"));
        testing::drainEvents();
        auto* about = dynamic_cast<frmAbout*>(window("frmAbout"));
        EXPECT_TRUE(about && about->get_visible());
        return *about;
    }
    static void click(Gtk::Label& label) {
        GdkEvent* event = gdk_event_new(GDK_BUTTON_PRESS);
        GtkWidget* area = GTK_WIDGET(label.get_parent()->gobj());
        event->button.button = 1;
        event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
        gtk_widget_event(area, event);
        gdk_event_free(event);
        testing::drainEvents();
    }

    test::PageServer server_;
    testing::ScriptedDialogs dialogs_;
};

TEST_F(UpdateTest, HelpMenuCheckSaysUpToDateForTheSameVersion) {
    offer(localVersionText());
    startBrowser();
    dialogs_.answer(Dialogs::Answer::Ok);
    Application::instance().activate_action("check-updates");
    ASSERT_TRUE(testing::runUntil([&] { return !dialogs_.shown().empty(); }, 10000));
    EXPECT_EQ(texts(dialogs_), std::vector<std::string>{"Larkspan: You are up to date!"});
    EXPECT_EQ(window(update::kUpdateWindow), nullptr);
}

TEST_F(UpdateTest, StartUpCheckAsksNothingWhenSwitchedOffAndOffersWhenOn) {
    offer(localVersionText() + "\r\n");
    frmBrowser& first = startBrowser();
    // Switched off: a fetch made after the start-up is the first the server sees.
    update::TextFetcher probe;
    bool answered = false;
    probe.fetch(server_.url(update::kVersionFile),
                [&answered](std::optional<std::string>) { answered = true; });
    ASSERT_TRUE(testing::runUntil([&] { return answered; }, 10000));
    EXPECT_EQ(server_.requestCount(update::kVersionFile), 1);

    // Switched on: the next main window's start-up offers the update.
    store().write("Settings", "CheckUpdatesAtStart", "1");
    Application::instance().discardOptions();
    testing::probe(first).OpenBrowserWindow("", false);
    ASSERT_TRUE(testing::runUntil(shownAndFilled, 10000));
    frmPop& p = *updateWindow();
    EXPECT_EQ(p.get_title(), "Larkspan Update!");
    EXPECT_EQ(p.get_transient_for(), &first);
    EXPECT_EQ(p.Label7->get_text(), localVersionText());
    EXPECT_EQ(p.Label2->get_text(), "Larkspan Next");
    EXPECT_EQ(p.Label3->get_text(), "Faster pages.\r\n");
    EXPECT_EQ(p.Label6->get_text(), localVersionText() + "\r\n");
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(UpdateTest, StartUpCheckStaysSilentWhenTheServerIsUnreachable) {
    startBrowser();
    {
        test::PageServer gone;
        useServer(gone.url(""));
    }
    update::UpdateCheck check(Application::instance());
    std::optional<update::Outcome> outcome;
    check.answered.connect([&](update::Outcome o) { outcome = o; });
    check.run(update::Trigger::Startup);
    ASSERT_TRUE(testing::runUntil([&] { return outcome.has_value(); }, 10000));
    EXPECT_EQ(*outcome, update::Outcome::Silent);
    EXPECT_EQ(window(update::kUpdateWindow), nullptr);
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(UpdateTest, WithoutAServerEachCheckSaysOnceThatThePackageManagerUpdates) {
    offer("9.9.9");
    useServer("");
    store().write("Settings", "CheckUpdatesAtStart", "1");
    frmBrowser& first = startBrowser();
    testing::probe(first).OpenBrowserWindow("", false);
    testing::drainEvents();
    EXPECT_TRUE(dialogs_.shown().empty());

    const std::string said = std::string("Larkspan: ") + update::kNoServerMessage;
    dialogs_.answer(Dialogs::Answer::Ok);
    Application::instance().activate_action("check-updates");
    testing::drainEvents();
    EXPECT_EQ(texts(dialogs_), std::vector<std::string>{said});

    frmAbout& about = openAbout(first);
    dialogs_.answer(Dialogs::Answer::Ok);
    click(*about.Label1);
    EXPECT_EQ(texts(dialogs_), (std::vector<std::string>{said, said}));
    EXPECT_TRUE(about.get_visible());
    EXPECT_EQ(window(update::kUpdateWindow), nullptr);
    EXPECT_EQ(server_.requestCount(update::kVersionFile), 0);
}

// Which update file the server lacks (none: the server is gone), and what the user is told,
// in order, before the update window closes.
struct FailingFetch {
    const char* name;
    const char* missing;
    std::vector<std::string> messages;
};

void PrintTo(const FailingFetch& fetch, std::ostream* out) {
    *out << fetch.name;
}

class UpdateWindowFailureTest : public UpdateTest,
                                public ::testing::WithParamInterface<FailingFetch> {};

TEST_P(UpdateWindowFailureTest, ReportsTheFailedFetchAndTheOnesAfterItThenCloses) {
    const FailingFetch& f = GetParam();
    std::string missing = f.missing ? f.missing : "";
    for (const char* file : {update::kVersionFile, update::kNameFile, update::kDescriptionFile}) {
        if (file != missing) server_.addPage(file, "9.9.9", "text/plain");
    }
    if (!f.missing) {
        test::PageServer gone;
        useServer(gone.url(""));
    }
    startBrowser();
    for (size_t i = 0; i < f.messages.size(); ++i) dialogs_.answer(Dialogs::Answer::Ok);
    Application::instance().activate_action("check-updates");
    ASSERT_TRUE(
        testing::runUntil([&] { return dialogs_.shown().size() == f.messages.size(); }, 10000));
    std::vector<std::string> expected;
    for (const auto& m : f.messages) expected.push_back("Update Error: " + m);
    EXPECT_EQ(texts(dialogs_), expected);
    EXPECT_TRUE(testing::runUntil([&] { return window(update::kUpdateWindow) == nullptr; }));
}

const char* const kNameError = "There was an error retrieving the Program Name!";
const char* const kDescriptionError = "Error getting file Description!";
const char* const kVersionError = "Error getting file Version!";

INSTANTIATE_TEST_SUITE_P(
    Fetches, UpdateWindowFailureTest,
    ::testing::Values(
        FailingFetch{"Unreachable", nullptr, {kNameError, kDescriptionError, kVersionError}},
        FailingFetch{"Name", update::kNameFile, {kNameError, kDescriptionError, kVersionError}},
        FailingFetch{"Description", update::kDescriptionFile, {kDescriptionError, kVersionError}},
        FailingFetch{"Version", update::kVersionFile, {kVersionError}}),
    [](const ::testing::TestParamInfo<FailingFetch>& fetch) { return fetch.param.name; });

TEST_F(UpdateTest, DownloadLinkChangesColourUnderTheMouseAndOpensTheDownloadPage) {
    offer("9.9.9");
    frmBrowser& first = startBrowser();
    Application::instance().activate_action("check-updates");
    ASSERT_TRUE(testing::runUntil(shownAndFilled, 10000));
    frmPop& p = *updateWindow();
    EXPECT_EQ(p.Label4->get_text(), "Download it!");
    EXPECT_EQ(p.Label4->get_tooltip_text(), "Download Update");
    EXPECT_EQ(style::foreground(*p.Label4), packRgb(0, 0, 192));
    p.Label4_MouseMove();
    EXPECT_EQ(style::foreground(*p.Label4), packRgb(192, 192, 192));
    p.Form_MouseMove();
    EXPECT_EQ(style::foreground(*p.Label4), packRgb(0, 0, 192));
    click(*p.Label4);
    EXPECT_EQ(engine(first).navigations.back(), site::kDownloadPage);
    EXPECT_TRUE(testing::runUntil([&] { return window(update::kUpdateWindow) == nullptr; }));
}

TEST_F(UpdateTest, AboutBoxShowsTheVersionAndChecksForUpdates) {
    offer(localVersionText());
    frmBrowser& first = startBrowser();
    frmAbout& about = openAbout(first);
    EXPECT_EQ(about.get_title(), "About - Larkspan");
    EXPECT_EQ(about.get_transient_for(), &first);
    EXPECT_EQ(about.Command1->caption(), "Close");
    std::string text = about.Text1->get_buffer()->get_text();
    EXPECT_EQ(text.rfind("Larkspan [Ver " + localVersionText() + "]\r\n", 0), 0u) << text;

    // The same version: the message, and the box stays.
    dialogs_.answer(Dialogs::Answer::Ok);
    click(*about.Label1);
    ASSERT_TRUE(testing::runUntil([&] { return !dialogs_.shown().empty(); }, 10000));
    EXPECT_EQ(texts(dialogs_), std::vector<std::string>{"Larkspan: You are up to date!"});
    EXPECT_TRUE(about.get_visible());

    // Another version: the update window, and the box closes.
    server_.addPage(update::kVersionFile, "1.0", "text/plain");
    click(*about.Label1);
    ASSERT_TRUE(testing::runUntil(shownAndFilled, 10000));
    EXPECT_TRUE(testing::runUntil([&] { return window("frmAbout") == nullptr; }));
}

TEST_F(UpdateTest, AboutBoxLinksAndCloseButton) {
    frmBrowser& first = startBrowser();
    frmAbout& about = openAbout(first);
    click(*about.Label4);
    EXPECT_EQ(engine(first).navigations.back(), site::kHome);
    EXPECT_TRUE(testing::runUntil([&] { return window("frmAbout") == nullptr; }));

    // The tray menu's About opens it again; "Close" closes it, and so does the title bar.
    auto* item = testing::probe(first).widget<Gtk::MenuItem>("mnuAbout");
    ASSERT_NE(item, nullptr);
    item->activate();
    testing::drainEvents();
    auto* again = dynamic_cast<frmAbout*>(window("frmAbout"));
    ASSERT_NE(again, nullptr);
    again->Command1->model().leftButtonDown();
    again->Command1->model().leftButtonUp(true);
    EXPECT_TRUE(testing::runUntil([&] { return window("frmAbout") == nullptr; }));

    frmAbout& third = openAbout(first);
    GdkEvent* close = gdk_event_new(GDK_DELETE);
    close->any.window = GDK_WINDOW(g_object_ref(third.get_window()->gobj()));
    gtk_main_do_event(close);
    gdk_event_free(close);
    EXPECT_TRUE(testing::runUntil([&] { return window("frmAbout") == nullptr; }));
}

TEST_F(UpdateTest, HelpLinksOpenTheMakersPagesInTheirWindow) {
    frmBrowser& first = startBrowser();
    frmBrowser& second = testing::probe(first).OpenBrowserWindow("", false);
    testing::drainEvents();
    EXPECT_TRUE(second.runCommand("send-issue"));
    EXPECT_EQ(engine(second).navigations.back(), site::kIssuePage);
    EXPECT_TRUE(second.page().engine().hasFocus());
    EXPECT_TRUE(first.runCommand("visit-website"));
    EXPECT_EQ(engine(first).navigations.back(), site::kHome);
    EXPECT_TRUE(testing::probe(first).control("mnuWhatsNew")->get_sensitive());
}

}  // namespace
}  // namespace larkspan
