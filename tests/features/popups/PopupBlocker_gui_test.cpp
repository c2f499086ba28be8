// The popup blocker's wiring with a fake engine (the counters, the log window and the
// notice, "Ask Me" questions left open), and the log window's buttons.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Application.hpp"
#include "common/Paths.hpp"
#include "controls/StyledButton.hpp"
#include "features/popups/BlockedLog.hpp"
#include "features/popups/DefaultBrowser.hpp"
#include "features/popups/Form2.hpp"
#include "features/popups/frmBlockedLog.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/SyntheticEvents.hpp"

namespace larkspan {
namespace {

using testing::click;

namespace fs = std::filesystem;

std::string logBytes() {
    std::ifstream in(popups::blockedLogPath(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class PopupBlockerTest : public testing::GuiTest {
  protected:
    static frmBlockedLog* logWindow() {
        return dynamic_cast<frmBlockedLog*>(
            Application::instance().windows().find("frmBlockedLog"));
    }
};

TEST_F(PopupBlockerTest, RefusedRequestsAreCountedLoggedAndNoticed) {
    frmBrowser& w = startBrowser();
    auto& engine = dynamic_cast<testing::FakePageEngine&>(w.page().engine());
    engine.location = "http://pages.test/opener";
    OptionsModel& o = Application::instance().options();
    o.setPopupMode(OptionsModel::PopupMode::BlockAndAlert);
    o.setFlag(OptionId::LogBlocked, true);

    // The second request arrives from the main loop while the first is being handled.
    NewWindowRequest inner;
    Glib::signal_idle().connect_once([&] { engine.signalNewWindow2.emit(inner); });
    NewWindowRequest outer;
    engine.signalNewWindow2.emit(outer);
    EXPECT_TRUE(outer.cancel);
    testing::drainEvents();
    EXPECT_TRUE(inner.cancel);

    EXPECT_EQ(testing::probe(w).widget<Gtk::Label>("Label1")->get_text(), "2");
    EXPECT_EQ(store().read(keys::kSettings, keys::kBlockedCount, ""), "2");
    EXPECT_EQ(logBytes(), "http://pages.test/opener\r\nhttp://pages.test/opener\r\n");
    ASSERT_NE(logWindow(), nullptr);
    EXPECT_FALSE(logWindow()->get_visible());
    EXPECT_EQ(logWindow()->log().entries().size(), 2u);

    // The notice: shown over the first main window, never focusable, hidden by a click.
    auto* notice = dynamic_cast<Form2*>(Application::instance().windows().find("Form2"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->get_visible());
    EXPECT_FALSE(notice->get_accept_focus());
    EXPECT_EQ(notice->text(), "Blocked Popup! (To allow, change Privacy Settings).");
    notice->Label1_Click();
    EXPECT_FALSE(notice->get_visible());
}

// "Ask Me" with the questions left open: the engine has its refusal at once, and each
// answer is carried out on its own when it comes.
class AskMeTest : public PopupBlockerTest {
  protected:
    void SetUp() override {
        PopupBlockerTest::SetUp();
        popups::setBrowserLauncher([this](const std::string& address) {
            launched.push_back(address);
            return true;
        });
        dialogs.holdMessages();
        main = &startBrowser();
        OptionsModel& o = Application::instance().options();
        o.setPopupMode(OptionsModel::PopupMode::AskMe);
        o.setFlag(OptionId::LogBlocked, true);
    }
    void TearDown() override {
        popups::setBrowserLauncher(nullptr);
        PopupBlockerTest::TearDown();
    }
    // A request for `target` from `w`'s page, refused at once whatever the answer.
    void request(frmBrowser& w, const std::string& target) {
        NewWindowRequest r;
        r.targetUrl = target;
        w.page().engine().signalNewWindow2.emit(r);
        EXPECT_TRUE(r.cancel);
        EXPECT_EQ(r.ppDisp, nullptr);
    }
    std::string counter() { return store().read(keys::kSettings, keys::kBlockedCount, ""); }

    testing::ScriptedDialogs dialogs;
    frmBrowser* main = nullptr;
    std::vector<std::string> launched;
};

TEST_F(AskMeTest, QuestionOfAWindowClosedBeforeTheAnswerDoesNothing) {
    frmBrowser& other = testing::probe(*main).OpenBrowserWindow("http://pages.test/other", false);
    request(other, "http://pages.test/a");
    request(other, "http://pages.test/b");
    ASSERT_EQ(dialogs.held(), 2u);
    other.Form_Unload();
    // The closed window is released from the main loop.
    testing::drainEvents();
    ASSERT_EQ(Application::instance().browsers().size(), 1u);

    EXPECT_TRUE(dialogs.answerHeld(Dialogs::Answer::Yes));
    EXPECT_TRUE(dialogs.answerHeld(Dialogs::Answer::No));
    testing::drainEvents();
    EXPECT_EQ(Application::instance().browsers().size(), 1u);
    EXPECT_EQ(counter(), "");
    EXPECT_EQ(logBytes(), "");
    EXPECT_TRUE(launched.empty());
}

TEST_F(AskMeTest, SecondPopupDuringAnOpenQuestionIsDecidedOnItsOwn) {
    auto& engine = dynamic_cast<testing::FakePageEngine&>(main->page().engine());
    engine.location = "http://pages.test/opener";
    request(*main, "http://pages.test/first");
    request(*main, "http://pages.test/second");
    ASSERT_EQ(dialogs.held(), 2u);
    EXPECT_EQ(dialogs.shown()[1].text, "Popup Requested, Allow?");
    EXPECT_EQ(dialogs.shown()[1].title, "http://pages.test/opener");

    // No to the first: counted and logged, no window.
    ASSERT_TRUE(dialogs.answerHeld(Dialogs::Answer::No));
    EXPECT_EQ(counter(), "1");
    EXPECT_EQ(logBytes(), "http://pages.test/opener\r\n");
    EXPECT_EQ(Application::instance().browsers().size(), 1u);

    // Yes to the second: its own address opens in a new main window, uncounted.
    ASSERT_TRUE(dialogs.answerHeld(Dialogs::Answer::Yes));
    ASSERT_EQ(Application::instance().browsers().size(), 2u);
    frmBrowser* popup = Application::instance().browsers().back();
    EXPECT_TRUE(popup->get_visible());
    auto& hosted = dynamic_cast<testing::FakePageEngine&>(popup->page().engine());
    ASSERT_FALSE(hosted.navigations.empty());
    EXPECT_EQ(hosted.navigations.back(), "http://pages.test/second");
    EXPECT_EQ(counter(), "1");

    // Another target sends the allowed address to the default browser instead.
    Application::instance().options().setText(OptionId::PopupTarget, "Default Browser");
    request(*main, "http://pages.test/third");
    ASSERT_TRUE(dialogs.answerHeld(Dialogs::Answer::Yes));
    EXPECT_EQ(launched, std::vector<std::string>{"http://pages.test/third"});
    EXPECT_EQ(Application::instance().browsers().size(), 2u);
}

TEST_F(PopupBlockerTest, LogWindowDeletesEntriesAndCloseReturnsToTheOptions) {
    paths::ensureDir(paths::dataDir());
    std::ofstream(popups::blockedLogPath(), std::ios::binary)
        << "http://a.test/\r\nhttp://b.test/\r\nhttp://c.test/\r\n";
    startBrowser();
    frmOptions* options = showOptionsDialog(Application::instance());
    ASSERT_NE(options, nullptr);
    click(*options->control<StyledButton>("ViewLog"));
    testing::drainEvents();
    frmBlockedLog* log = logWindow();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->get_title(), "Blocked Popups Log - Larkspan");

    auto* list = log->widget<Gtk::TreeView>("List1");
    auto* del = log->widget<StyledButton>("Delete");
    ASSERT_TRUE(list && del);
    EXPECT_EQ(list->get_model()->children().size(), 3u);
    list->get_selection()->unselect_all();
    EXPECT_FALSE(del->enabled());
    list->get_selection()->select(Gtk::TreeModel::Path("1"));
    EXPECT_TRUE(del->enabled());
    click(*del);
    EXPECT_EQ(logBytes(), "http://a.test/\r\nhttp://c.test/\r\n");
    EXPECT_EQ(list->get_model()->children().size(), 2u);

    // Delete All asks first; No keeps everything, Yes leaves an empty file.
    testing::ScriptedDialogs dialogs;
    dialogs.answer(Dialogs::Answer::No);
    dialogs.answer(Dialogs::Answer::Yes);
    click(*log->widget<StyledButton>("DeleteAll"));
    EXPECT_EQ(list->get_model()->children().size(), 2u);
    click(*log->widget<StyledButton>("DeleteAll"));
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(log->get_visible());
    EXPECT_EQ(list->get_model()->children().size(), 0u);
    EXPECT_TRUE(fs::exists(popups::blockedLogPath()));
    EXPECT_EQ(fs::file_size(popups::blockedLogPath()), 0u);

    click(*log->widget<StyledButton>("BClose"));
    ASSERT_TRUE(testing::runUntil([&] { return logWindow() == nullptr; }));
    ASSERT_TRUE(testing::runUntil([&] {
        frmOptions* o = findOptionsDialog(Application::instance());
        return o && o->get_visible();
    }));
}

}  // namespace
}  // namespace larkspan
