// The history window's wiring: its list, a click, a double-click, Delete and Delete All,
// and its openers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Application.hpp"
#include "common/ListFile.hpp"
#include "controls/StyledButton.hpp"
#include "features/history/frmHistory.hpp"
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
using List = std::vector<std::string>;
using testing::FakePageEngine;

class HistoryWindowTest : public testing::GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        file_ = listfile::historyFilePath();
        std::ofstream(file_, std::ios::binary) << "http://a/\r\nhttp://b/?x,y\r\nhttp://c/\r\n";
    }
    Application& app() { return Application::instance(); }
    frmHistory* history() { return dynamic_cast<frmHistory*>(app().windows().find("frmHistory")); }
    std::string contents() {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t addressListSize(frmBrowser& w) {
        return testing::probe(w).widget<AddressBox>("cboAddress")->get_model()->children().size();
    }
    fs::path file_;
};

TEST_F(HistoryWindowTest, TheToolbarOpensItAndDeleteRemovesTheClickedEntry) {
    frmBrowser& w = startBrowser();
    w.runCommand("history");
    frmHistory* h = history();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->get_visible());
    EXPECT_EQ(h->get_title(), "History - Larkspan");
    EXPECT_EQ(h->shownEntries(), (List{"http://a/", "http://b/?x", "y", "http://c/"}));
    auto selectedRows = [h] { return h->List1->get_selection()->count_selected_rows(); };

    // Delete goes with the selection, whichever way a row came to be selected: the first
    // row as the list takes the focus, a click on the selected row or on another.
    EXPECT_EQ(h->Delete->enabled(), selectedRows() == 1);
    h->List1->grab_focus();
    testing::drainEvents();
    EXPECT_EQ(selectedRows(), 1);
    EXPECT_TRUE(h->Delete->enabled());
    testing::clickRow(*h->List1, 0);
    EXPECT_TRUE(h->Delete->enabled());
    testing::clickRow(*h->List1, 1);
    EXPECT_TRUE(h->Delete->enabled());
    click(*h->Delete);
    EXPECT_EQ(h->shownEntries(), (List{"http://a/", "y", "http://c/"}));
    EXPECT_EQ(contents(), "http://a/\r\ny\r\nhttp://c/\r\n");
    EXPECT_EQ(selectedRows(), 0);
    EXPECT_FALSE(h->Delete->enabled());
    testing::clickRow(*h->List1, 2);
    EXPECT_TRUE(h->Delete->enabled());
    // The main windows' typed addresses are not this list's.
    EXPECT_EQ(addressListSize(w), 3u);

    click(*h->BClose);
    EXPECT_TRUE(testing::runUntil([this] { return history() == nullptr; }));
}

TEST_F(HistoryWindowTest, ADoubleClickNavigatesTheFirstMainWindow) {
    frmBrowser& first = startBrowser();
    first.runCommand("new-window");
    frmBrowser& second = *app().browsers().at(1);
    second.runCommand("history");
    frmHistory* h = history();
    ASSERT_NE(h, nullptr);
    h->List1->row_activated(Gtk::TreeModel::Path("3"), *h->List1->get_column(0));
    testing::drainEvents();
    EXPECT_EQ(static_cast<FakePageEngine&>(first.page().engine()).navigations.back(), "http://c/");
    EXPECT_NE(static_cast<FakePageEngine&>(second.page().engine()).navigations.back(), "http://c/");
    EXPECT_TRUE(h->get_visible());
}

TEST_F(HistoryWindowTest, ItKeepsWhatMainWindowsAddAndShowsAClearedHistoryAtOnce) {
    frmBrowser& w = startBrowser();
    w.runCommand("history");
    frmHistory* h = history();
    ASSERT_NE(h, nullptr);
    // A main window of another instance adds an address after the list was read.
    ASSERT_TRUE(AppendTypedAddress(file_, "http://d/"));
    testing::clickRow(*h->List1, 0);
    click(*h->Delete);
    EXPECT_EQ(contents(), "http://b/?x\r\ny\r\nhttp://c/\r\nhttp://d/\r\n");
    EXPECT_EQ(h->shownEntries(), (List{"http://b/?x", "y", "http://c/", "http://d/"}));

    // Cleared from the options while the window is hidden: it shows the empty history.
    testing::clickRow(*h->List1, 0);
    h->hide();
    frmOptions* options = showOptionsDialog(app());
    ASSERT_NE(options, nullptr);
    testing::ScriptedDialogs answers;
    answers.answer(Dialogs::Answer::Yes);
    click(*options->control<StyledButton>("Command3"));
    EXPECT_TRUE(h->shownEntries().empty());
    EXPECT_FALSE(h->Delete->enabled());
}

TEST_F(HistoryWindowTest, DeleteAllAsksThenEmptiesTheFileAndEveryList) {
    frmBrowser& w = startBrowser();
    Gtk::Entry* box = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    box->set_text("http://typed.example/");
    w.runCommand("history");
    frmHistory* h = history();
    ASSERT_NE(h, nullptr);
    testing::ScriptedDialogs answers;

    answers.answer(Dialogs::Answer::No);
    click(*h->DeleteAll);
    ASSERT_EQ(answers.shown().size(), 1u);
    EXPECT_EQ(answers.shown()[0].text, "Delete History?  ");
    EXPECT_EQ(answers.shown()[0].title, "History");
    EXPECT_TRUE(h->get_visible());
    EXPECT_EQ(h->shownEntries().size(), 4u);
    EXPECT_EQ(addressListSize(w), 3u);

    answers.answer(Dialogs::Answer::Yes);
    click(*h->DeleteAll);
    EXPECT_TRUE(h->get_visible());
    EXPECT_TRUE(h->shownEntries().empty());
    ASSERT_TRUE(fs::exists(file_));
    EXPECT_EQ(fs::file_size(file_), 0u);
    EXPECT_EQ(addressListSize(w), 0u);
    // What the address box holds is the user's, not the history's.
    EXPECT_EQ(box->get_text(), "http://typed.example/");
}

TEST_F(HistoryWindowTest, TheOptionsViewButtonShowsItAndClosesTheOptions) {
    startBrowser();
    frmOptions* options = showOptionsDialog(app());
    ASSERT_NE(options, nullptr);
    click(*options->control<StyledButton>("Command4"));
    ASSERT_NE(history(), nullptr);
    EXPECT_TRUE(history()->get_visible());
    EXPECT_TRUE(testing::runUntil([this] {
        frmOptions* o = findOptionsDialog(app());
        return o == nullptr || !o->get_visible();
    }));
}

}  // namespace
}  // namespace larkspan
