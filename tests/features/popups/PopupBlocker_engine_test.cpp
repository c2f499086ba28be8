// The popup blocker on main windows around the real web engine: pages on 127.0.0.1 ask for
// popups from script and from a click, under each mode and target.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Application.hpp"
#include "features/popups/BlockedLog.hpp"
#include "features/popups/DefaultBrowser.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/GuiTest.hpp"
#include "support/PageServer.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using Mode = OptionsModel::PopupMode;
constexpr int kTimeoutMs = 15000;

const char* kScriptPage =
    "<html><head><title>Script</title><script>window.onload = function () {"
    " var w = window.open('/popup.html'); document.title = w ? 'opened' : 'refused'; };"
    "</script></head><body>script</body></html>";
const char* kClickPage =
    "<html><head><title>Click</title></head><body><a href='/popup.html' target='_blank' "
    "style='position:absolute;left:0;top:0;width:400px;height:300px;display:block'>open</a>"
    "<script>requestAnimationFrame(function () { requestAnimationFrame(function () {"
    " document.title = 'laid out ' + location.search; }); });</script></body></html>";

std::size_t logLines() {
    std::ifstream in(popups::blockedLogPath(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

class PopupBlockerEngineTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        testing::GuiTest::SetUp();
        Application::setEngineFactory(nullptr);  // the real engine
        ASSERT_TRUE(server.listening());
        server.addPage("/home", "<html><head><title>Home</title></head><body>home</body></html>");
        server.addPage("/script.html", kScriptPage);
        server.addPage("/click.html", kClickPage);
        server.addPage("/popup.html",
                       "<html><head><title>Popup</title></head><body></body></html>");
        store().write(keys::kSettings, keys::kHomepage, server.url("/home"));
        popups::setBrowserLauncher([this](const std::string& address) {
            launched.push_back(address);
            return true;
        });
        main_ = &startBrowser();
        // The engine's processes start with the home page; a loaded machine makes that slow.
        ASSERT_TRUE(
            testing::runUntil([&] { return main_->get_title() == "Home - Larkspan"; }, 60000))
            << main_->get_title();
        main_->page().engine().signalNewWindow2.connect([this](NewWindowRequest&) { ++handled; });
    }
    void TearDown() override {
        popups::setBrowserLauncher(nullptr);
        testing::GuiTest::TearDown();
    }

    // Loads `path` in the first window and, for the click page, clicks its link; true when
    // the request has been handled.
    bool askForPopup(const std::string& path) {
        int before = handled;
        if (path.find("click") != std::string::npos) {
            // A query of its own, so the title tells this load from the one before.
            std::string query = "?" + std::to_string(++loads);
            main_->page().engine().navigate(server.url(path + query));
            if (!testing::runUntil(
                    [&] {
                        return main_->applicationTitle() == "laid out " + query + " - Larkspan";
                    },
                    kTimeoutMs))
                return false;
            testing::sendClick(main_->page().engine().widget().gobj(), 50, 50);
        } else {
            main_->page().engine().navigate(server.url(path));
        }
        bool ok = testing::runUntil([&] { return handled > before; }, kTimeoutMs);
        if (!ok)
            ADD_FAILURE() << main_->page().engine().locationURL() << " "
                          << main_->applicationTitle() << " " << main_->get_title();
        return ok;
    }
    // True once the popup's window is there and its document has arrived: the address is set
    // when the load starts, and on a loaded machine the request can reach the server seconds
    // later, inside the next case.
    bool popupWindowShows(std::size_t windows) {
        auto& all = Application::instance().browsers();
        return testing::runUntil(
            [&] {
                return all.size() == windows &&
                       all.back()->page().engine().locationURL() == server.url("/popup.html") &&
                       all.back()->page().title() == "Popup";
            },
            kTimeoutMs);
    }
    OptionsModel& options() { return Application::instance().options(); }
    std::string counter() { return store().read(keys::kSettings, keys::kBlockedCount, ""); }

    test::PageServer server;
    frmBrowser* main_ = nullptr;
    int handled = 0;
    int loads = 0;
    std::vector<std::string> launched;
};

TEST_F(PopupBlockerEngineTest, EachModeFromScriptAndFromAClick) {
    struct Case {
        Mode mode;
        bool logOn;
        std::optional<Dialogs::Answer> answer;
        bool opens;
        int counted;
        std::size_t logged;
        bool notice;
    };
    const Case cases[] = {
        {Mode::Block, true, std::nullopt, false, 1, 0, false},
        {Mode::BlockAndAlert, true, std::nullopt, false, 1, 1, true},
        {Mode::BlockAndAlert, false, std::nullopt, false, 1, 0, true},
        {Mode::AskMe, true, Dialogs::Answer::No, false, 1, 1, false},
        {Mode::AskMe, true, Dialogs::Answer::Yes, true, 0, 0, false},
        {Mode::Allow, true, std::nullopt, true, 0, 0, false},
    };
    int count = 0;
    std::size_t lines = 0;
    for (const char* page : {"/script.html", "/click.html"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(page) + " mode " + std::to_string(static_cast<int>(c.mode)));
            options().setPopupMode(c.mode);
            options().setFlag(OptionId::LogBlocked, c.logOn);
            testing::ScriptedDialogs dialogs;
            if (c.answer) dialogs.answer(*c.answer);
            if (auto* notice = Application::instance().windows().find("Form2")) notice->hide();
            std::size_t windows = Application::instance().browsers().size();
            int fetched = server.requestCount("/popup.html");

            ASSERT_TRUE(askForPopup(page));
            count += c.counted;
            lines += c.logged;
            EXPECT_EQ(counter(), count == 0 ? "" : std::to_string(count));
            EXPECT_EQ(logLines(), lines);
            auto* notice = Application::instance().windows().find("Form2");
            EXPECT_EQ(notice && notice->get_visible(), c.notice);
            EXPECT_TRUE(dialogs.allAnswered());
            if (c.answer) {
                ASSERT_EQ(dialogs.shown().size(), 1u);
                EXPECT_EQ(dialogs.shown()[0].text, "Popup Requested, Allow?");
                EXPECT_EQ(dialogs.shown()[0].title.rfind(server.url(page), 0), 0u);
            }
            if (c.opens) {
                ASSERT_TRUE(popupWindowShows(windows + 1))
                    << Application::instance().browsers().size() << " "
                    << Application::instance().browsers().back()->page().engine().locationURL();
                EXPECT_TRUE(Application::instance().browsers().back()->get_visible());
            } else {
                EXPECT_EQ(Application::instance().browsers().size(), windows);
                // A refused popup's page is never fetched.
                EXPECT_EQ(server.requestCount("/popup.html"), fetched);
            }
        }
    }
    EXPECT_TRUE(launched.empty());
}

TEST_F(PopupBlockerEngineTest, TargetsTheUnselectedModeAndACommaInTheAddress) {
    // "Default Browser": the address goes there and no window opens here.
    options().setPopupMode(Mode::Allow);
    options().setText(OptionId::PopupTarget, "Default Browser");
    ASSERT_TRUE(askForPopup("/script.html"));
    ASSERT_TRUE(testing::runUntil([&] { return main_->applicationTitle() == "refused - Larkspan"; },
                                  kTimeoutMs));
    EXPECT_EQ(launched, std::vector<std::string>{server.url("/popup.html")});
    EXPECT_EQ(Application::instance().browsers().size(), 1u);
    EXPECT_EQ(counter(), "");

    // No mode selected: a window of this program, whatever the target.
    options().setPopupMode(Mode::None);
    ASSERT_TRUE(askForPopup("/click.html"));
    ASSERT_TRUE(popupWindowShows(2));
    EXPECT_EQ(launched.size(), 1u);

    // A logged address holding a comma is one line, and reads back as two entries.
    options().setPopupMode(Mode::BlockAndAlert);
    options().setFlag(OptionId::LogBlocked, true);
    ASSERT_TRUE(askForPopup("/script.html?a=1,b=2"));
    EXPECT_EQ(logLines(), 1u);
    popups::BlockedLog reread(popups::blockedLogPath());
    reread.load();
    EXPECT_EQ(reread.entries(), (std::vector<std::string>{server.url("/script.html?a=1"), "b=2"}));
}

TEST_F(PopupBlockerEngineTest, NewWindowsInTabsPutsAnAllowedTargetLinkInATabOfItsWindow) {
    options().setPopupMode(Mode::Allow);
    options().setFlag(OptionId::NewWindowsInTabs, true);
    ASSERT_TRUE(askForPopup("/click.html"));
    ASSERT_TRUE(testing::runUntil(
        [&] { return main_->pages().size() == 2 && main_->page().title() == "Popup"; },
        kTimeoutMs));
    EXPECT_EQ(main_->page().engine().locationURL(), server.url("/popup.html"));
    EXPECT_EQ(Application::instance().browsers().size(), 1u);
    // The opener stays in its own tab.
    EXPECT_EQ(main_->pages().front()->engine().locationURL().rfind(server.url("/click.html"), 0),
              0u);
}

}  // namespace
}  // namespace larkspan
