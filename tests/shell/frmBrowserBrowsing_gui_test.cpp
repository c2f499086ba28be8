// The main window while browsing: the address box and its history file, Back and Forward,
// the engine's events, the progress display, the close question, the status bar, the tray
// and auto-refresh.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/ListFile.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/AddressSuggestions.hpp"
#include "shell/TrayIcon.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/ShellGuiTest.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Whether a toolbar button acts: its own button, not the item around it, follows the command.
bool acts(Gtk::Widget* item) {
    GtkWidget* w = item ? GTK_WIDGET(item->gobj()) : nullptr;
    while (w && !GTK_IS_BUTTON(w) && GTK_IS_CONTAINER(w)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(w));
        w = children ? GTK_WIDGET(children->data) : nullptr;
        g_list_free(children);
    }
    return w && gtk_widget_is_sensitive(w);
}

class BrowsingTest : public testing::ShellGuiTest {
  protected:
    void writeHistory(const std::string& bytes) {
        std::ofstream(listfile::historyFilePath(), std::ios::binary) << bytes;
    }
    // Types `text` into the address box as the user would, key by key, then Enter.
    void typeAndEnter(frmBrowser& w, const std::string& text) {
        Gtk::Entry* e = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
        e->set_text("");
        for (char c : text) {
            testing::probe(w).cboAddress_KeyPress(c);
            e->set_text(e->get_text() + std::string(1, c));
        }
        testing::probe(w).cboAddress_KeyDown(13);
        testing::probe(w).cboAddress_KeyPress(13);
    }
    Glib::ustring boxText(frmBrowser& w) {
        return testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->get_text();
    }
};

TEST_F(BrowsingTest, CompletionFillsTheRestAndSelectsIt) {
    writeHistory("http://zzz.example\r\nabcdef\r\n");
    frmBrowser& w = startBrowser();
    ASSERT_EQ(w.addressList().size(), 2u);
    Gtk::Entry* e = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    e->set_text("ab");
    testing::probe(w).cboAddress_KeyPress('b');
    EXPECT_TRUE(testing::probe(w).Timer1().enabled());
    // One pass, 200 ms after the key.
    ASSERT_TRUE(testing::runUntil([&] { return boxText(w) == "abcdef"; }, 2000));
    int start = 0, end = 0;
    ASSERT_TRUE(e->get_selection_bounds(start, end));
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 6);
    EXPECT_FALSE(testing::probe(w).Timer1().enabled());
}

TEST_F(BrowsingTest, CompletionRespectsLetterCase) {
    writeHistory("abcdef\r\n");
    frmBrowser& w = startBrowser();
    testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->set_text("AB");
    testing::probe(w).Timer1_Timer();
    EXPECT_EQ(boxText(w), "AB");
}

TEST_F(BrowsingTest, EnterOnAPrefixOfAListedAddressNavigatesWithoutAdding) {
    writeHistory("abcdef\r\n");
    frmBrowser& w = startBrowser();
    typeAndEnter(w, "abc");
    EXPECT_EQ(engine(w).navigations.back(), "abc");
    EXPECT_EQ(w.addressList(), (std::vector<std::string>{"abcdef"}));
    EXPECT_EQ(readFile(listfile::historyFilePath()), "abcdef\r\n");
}

TEST_F(BrowsingTest, AnAddressDifferingOnlyInCaseIsNotAdded) {
    writeHistory("http://example.test/\r\n");
    frmBrowser& w = startBrowser();
    typeAndEnter(w, "HTTP://EXAMPLE.TEST/");
    EXPECT_EQ(w.addressList().size(), 1u);
    EXPECT_EQ(testing::probe(w).widget<AddressBox>("cboAddress")->get_model()->children().size(),
              1u);
}

TEST_F(BrowsingTest, ANewAddressIsListedAndWrittenAndComesBackWhole) {
    frmBrowser& w = startBrowser();
    typeAndEnter(w, "http://a.test/?x=1,2");
    EXPECT_EQ(engine(w).navigations.back(), "http://a.test/?x=1,2");
    EXPECT_EQ(w.addressList(), (std::vector<std::string>{"http://a.test/?x=1,2"}));
    EXPECT_EQ(readFile(listfile::historyFilePath()), "http://a.test/?x=1,2\r\n");
    // The next window reads the line back whole, comma and all.
    w.runCommand("new-window");
    frmBrowser& second = *context().browsers().at(1);
    EXPECT_EQ(second.addressList(), (std::vector<std::string>{"http://a.test/?x=1,2"}));
}

TEST_F(BrowsingTest, HistoryOffKeepsTheListButNotTheFile) {
    store().write("Settings", "History", "False");
    frmBrowser& w = startBrowser();
    typeAndEnter(w, "http://b.test/");
    EXPECT_EQ(w.addressList(), (std::vector<std::string>{"http://b.test/"}));
    EXPECT_FALSE(std::filesystem::exists(listfile::historyFilePath()));
}

TEST_F(BrowsingTest, EnterOnAnEmptyBoxOnlySwitchesTheTimerOn) {
    frmBrowser& w = startBrowser();
    testing::probe(w).Timer1().setEnabled(false);
    size_t before = engine(w).navigations.size();
    testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->set_text("");
    testing::probe(w).cboAddress_KeyDown(13);
    testing::probe(w).cboAddress_KeyPress(13);
    EXPECT_EQ(engine(w).navigations.size(), before);
    EXPECT_TRUE(testing::probe(w).Timer1().enabled());
}

TEST_F(BrowsingTest, TheWebLockStopsTypedNavigation) {
    store().write("Settings", "PassLockBrowser", "1");
    frmBrowser& w = startBrowser();
    size_t before = engine(w).navigations.size();
    testing::probe(w).widget<AddressBox>("cboAddress")->get_entry()->set_text("http://c.test/");
    testing::probe(w).cboAddress_KeyDown(13);
    EXPECT_EQ(engine(w).navigations.size(), before);
}

// The toggle button beside a drop-down tool button's main button: its arrow.
Gtk::Widget* arrowOf(frmBrowser& w, const char* name) {
    auto* box = dynamic_cast<Gtk::Container*>(
        testing::probe(w).widget<Gtk::MenuToolButton>(name)->get_child());
    for (Gtk::Widget* part : box->get_children()) {
        if (dynamic_cast<Gtk::ToggleButton*>(part)) return part;
    }
    return nullptr;
}

TEST_F(BrowsingTest, BackAndForwardListsShowTheNearestPagesAndGoThereInOneMove) {
    frmBrowser& w = startBrowser();
    ASSERT_NE(arrowOf(w, "Toolbar1_Back"), nullptr);
    EXPECT_FALSE(arrowOf(w, "Toolbar1_Back")->get_sensitive()) << "nothing to drop down yet";
    EXPECT_FALSE(arrowOf(w, "Toolbar1_Forward")->get_sensitive());

    FakePageEngine& e = engine(w);
    for (int i = 29; i >= 0; --i) {
        e.back.push_back({"Page " + std::to_string(i), "http://x.test/" + std::to_string(i)});
    }
    e.forward = {{"Ahead", "http://x.test/ahead"}};
    e.signalHistoryChange.emit();
    EXPECT_TRUE(arrowOf(w, "Toolbar1_Back")->get_sensitive());
    EXPECT_TRUE(arrowOf(w, "Toolbar1_Forward")->get_sensitive());

    auto items = [&](const char* name) { return testing::menuItemsOf(w, name); };
    // The nearest page first; a long history shows only its nearest part.
    auto back = items("Toolbar1_BackList");
    ASSERT_GE(back.size(), 2u);
    EXPECT_LT(back.size(), 30u);
    EXPECT_EQ(back[0]->get_label(), "http://x.test/29");
    EXPECT_EQ(back[1]->get_label(), "http://x.test/28");
    back[1]->activate();
    items("Toolbar1_ForwardList").at(0)->activate();
    EXPECT_EQ(e.calls.back(), "history 1");
    EXPECT_EQ(std::count(e.calls.begin(), e.calls.end(), "history -2"), 1);

    // The lists follow the engine's next report, empty ones included.
    e.back.clear();
    e.signalHistoryChange.emit();
    EXPECT_TRUE(items("Toolbar1_BackList").empty());
    EXPECT_FALSE(arrowOf(w, "Toolbar1_Back")->get_sensitive());
    EXPECT_EQ(testing::probe(w).forwardList(), (std::vector<std::string>{"http://x.test/ahead"}));
}

TEST_F(BrowsingTest, DropDownShowsTheSharedListAndChoosingARowNavigates) {
    writeHistory("http://one.test/\r\nhttp://two.test/\r\n");
    frmBrowser& w = startBrowser();
    w.runCommand("new-window");
    frmBrowser& other = *context().browsers().at(1);
    typeAndEnter(other, "http://three.test/");
    EXPECT_EQ(w.addressList().size(), 3u) << "an address typed in one window is in every list";

    // Alt+Down in the box opens the list at the first entry the text begins, case ignored.
    Gtk::Entry* box = testing::probe(w).widget<AddressBox>("cboAddress")->get_entry();
    box->set_text("HTTP://TWO");
    w.set_focus(*box);
    pressKey(w, GDK_KEY_Down, GDK_MOD1_MASK);
    ASSERT_TRUE(testing::probe(w).widget<AddressBox>("cboAddress")->poppedUp());
    Gtk::TreeView& list = testing::probe(w).widget<AddressBox>("cboAddress")->dropDownList();
    EXPECT_TRUE(testing::runUntil([&] { return list.get_mapped(); }, 2000));
    ASSERT_TRUE(list.get_model());
    EXPECT_EQ(list.get_model()->children().size(), 3u);
    Gtk::TreeModel::Path cursor;
    Gtk::TreeViewColumn* column = nullptr;
    list.get_cursor(cursor, column);
    EXPECT_EQ(cursor.to_string(), "1");
    // As wide as the box, and its column shows an address whole.
    const int boxWidth = testing::probe(w).widget<AddressBox>("cboAddress")->get_allocated_width();
    ASSERT_TRUE(testing::runUntil([&] { return list.get_allocated_width() >= boxWidth; }, 2000))
        << list.get_allocated_width() << " < " << boxWidth;
    int textWidth = 0, textHeight = 0;
    list.create_pango_layout("http://one.test/")->get_pixel_size(textWidth, textHeight);
    EXPECT_GT(list.get_column(0)->get_width(), textWidth);

    // A typed address reaches an open list; choosing it navigates and closes the list.
    typeAndEnter(other, "http://four.test/");
    ASSERT_EQ(list.get_model()->children().size(), 4u);
    list.row_activated(Gtk::TreeModel::Path("3"), *list.get_column(0));
    EXPECT_EQ(boxText(w), "http://four.test/");
    EXPECT_EQ(engine(w).navigations.back(), "http://four.test/");
    EXPECT_FALSE(testing::probe(w).widget<AddressBox>("cboAddress")->poppedUp());
    EXPECT_FALSE(list.get_model()) << "a closed list holds nothing of the addresses";

    // The arrow button opens and closes it too.
    Gtk::ToggleButton* arrow = nullptr;
    testing::probe(w).builder()->get_widget("cboAddress_Button", arrow);
    arrow->clicked();
    EXPECT_TRUE(testing::probe(w).widget<AddressBox>("cboAddress")->poppedUp());
    arrow->clicked();
    EXPECT_FALSE(testing::probe(w).widget<AddressBox>("cboAddress")->poppedUp());
}

// A source of suggestions that holds a few pages and remembers what it was asked to forget.
class PagesSource : public AddressSuggestionSource {
  public:
    std::vector<AddressSuggestion> pages = {
        {.title = "Kettle reviews", .address = "http://kettles.test/", .score = 5},
        {.title = "Tea kettles", .address = "http://tea.test/kettles", .score = 3},
        {.title = "Other", .address = "http://other.test/", .score = 9},
    };
    std::vector<std::string> forgotten;
    std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit) override {
        std::vector<AddressSuggestion> found;
        for (const auto& page : pages) {
            if (found.size() < limit && suggestionMatches(text, page.title, page.address)) {
                found.push_back(page);
            }
        }
        return found;
    }
    bool forget(const std::string& address) override {
        forgotten.push_back(address);
        std::erase_if(pages, [&](const auto& page) { return page.address == address; });
        return true;
    }
};

TEST_F(BrowsingTest, SuggestionsFollowTheKeysTypedAndTheArrowsChooseAmongThem) {
    PagesSource source;
    context().addSuggestionSource(source);
    frmBrowser& w = startBrowser();
    AddressBox& box = *testing::probe(w).widget<AddressBox>("cboAddress");
    AddressSuggestionPopup& list = box.suggestions();
    w.set_focus(*box.get_entry());
    for (guint key : {GDK_KEY_k, GDK_KEY_e, GDK_KEY_t}) pressKey(w, key, 0);
    ASSERT_TRUE(list.shown());
    ASSERT_EQ(list.offered().size(), 2u);
    EXPECT_EQ(list.offered()[0].address, "http://kettles.test/") << "the better score first";
    EXPECT_EQ(list.rows().get_children().size(), 2u);

    // Down, Down, then Shift+Delete forgets the second page and the first stays offered.
    pressKey(w, GDK_KEY_Down, 0);
    pressKey(w, GDK_KEY_Down, 0);
    EXPECT_EQ(list.chosen(), 1);
    pressKey(w, GDK_KEY_Delete, GDK_SHIFT_MASK);
    EXPECT_EQ(source.forgotten, std::vector<std::string>{"http://tea.test/kettles"});
    EXPECT_EQ(boxText(w), "ket") << "the box's text stays as typed";
    ASSERT_EQ(list.offered().size(), 1u);
    EXPECT_EQ(list.chosen(), 0);

    // Enter opens the chosen page and closes the list.
    pressKey(w, GDK_KEY_Return, 0);
    EXPECT_FALSE(list.shown());
    EXPECT_EQ(engine(w).navigations.back(), "http://kettles.test/");

    // Escape closes the list and leaves the box alone; a text nothing matches shows none.
    w.set_focus(*box.get_entry());
    box.get_entry()->set_text("");
    pressKey(w, GDK_KEY_o, 0);
    EXPECT_TRUE(list.shown());
    pressKey(w, GDK_KEY_Escape, 0);
    EXPECT_FALSE(list.shown());
    EXPECT_EQ(boxText(w), "o");
    pressKey(w, GDK_KEY_z, 0);
    EXPECT_FALSE(list.shown());
}

TEST_F(BrowsingTest, ToolbarButtonsReachTheEngine) {
    store().write("Settings", "Homepage", "http://home.test/");
    frmBrowser& w = startBrowser();
    engine(w).signalProgressChange.emit(10, 100);
    testing::probe(w).Toolbar1_ButtonClick("Stop");
    testing::probe(w).Toolbar1_ButtonClick("Refresh");
    context().options().setText(OptionId::HomePage, "http://newhome.test/");
    testing::probe(w).Toolbar1_ButtonClick("Home");
    auto& calls = engine(w).calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "stop"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "refresh"), calls.end());
    // Home goes to the options' home page at the time of the click.
    EXPECT_EQ(engine(w).navigations.back(), "http://newhome.test/");
}

TEST_F(BrowsingTest, SendMailEncodesTheSubject) {
    frmBrowser& w = startBrowser();
    testing::ScriptedDialogs d;
    d.input(std::string("joe@example.test"));
    d.input(std::string("Q&A #1"));
    testing::probe(w).Toolbar1_ButtonMenuClick("S Mail");
    EXPECT_EQ(engine(w).navigations.back(), "mailto:joe@example.test?subject=Q%26A%20%231");
    ASSERT_EQ(d.shown().size(), 2u);
    EXPECT_EQ(d.shown()[0].text, "Enter email address");
    EXPECT_EQ(d.shown()[0].title, "email");
    EXPECT_EQ(d.shown()[1].text, "Enter subject for email");
    EXPECT_EQ(d.shown()[1].title, "subject");
}

TEST_F(BrowsingTest, OpeningAFileListsItButDoesNotWriteIt) {
    frmBrowser& w = startBrowser();
    testing::ScriptedDialogs d;
    d.file(std::string("/tmp/page.html"));
    w.runCommand("open");
    EXPECT_EQ(engine(w).navigations.back(), "/tmp/page.html");
    EXPECT_EQ(boxText(w), "/tmp/page.html");
    EXPECT_EQ(w.addressList(), (std::vector<std::string>{"/tmp/page.html"}));
    EXPECT_FALSE(std::filesystem::exists(listfile::historyFilePath()));
}

TEST_F(BrowsingTest, EngineEventsReachAddressCaptionTitleAndPanels) {
    frmBrowser& w = startBrowser();
    FakePageEngine& e = engine(w);
    e.location = "http://d.test/page";
    e.signalNavigateComplete2.emit("http://d.test/page");
    EXPECT_EQ(boxText(w), "http://d.test/page");
    EXPECT_EQ(w.get_title(), "Loading... - Larkspan");
    e.title = "  Dee  ";
    e.signalTitleChange.emit("  Dee  ");
    EXPECT_EQ(w.applicationTitle(), "Dee - Larkspan");
    EXPECT_EQ(w.get_title(), "Loading... - Larkspan");
    e.signalDownloadComplete.emit();
    EXPECT_EQ(w.get_title(), "  Dee   - Larkspan");
    e.title.clear();
    e.signalDownloadComplete.emit();
    EXPECT_EQ(w.get_title(), " - Larkspan");
    e.signalStatusTextChange.emit("  Loading page  ");
    EXPECT_EQ(testing::probe(w).panelText(1), "Loading page");
    e.signalSetSecureLockIcon.emit(1);
    EXPECT_TRUE(testing::probe(w).panelVisible(2));
    EXPECT_EQ(testing::probe(w).panelText(2), "Secure Website ");
    e.signalSetSecureLockIcon.emit(0);
    EXPECT_FALSE(testing::probe(w).panelVisible(2));
    EXPECT_FALSE(testing::probe(w).panelText(4).empty());
    EXPECT_FALSE(testing::probe(w).panelText(5).empty());
}

TEST_F(BrowsingTest, EditItemsFollowTheEnginesFocus) {
    frmBrowser& w = startBrowser();
    w.page().engine().signalLostFocus.emit();
    testing::drainEvents();
    for (const char* item : {"mnuEditCut", "mnuEditCopy", "mnuEditPaste"}) {
        EXPECT_FALSE(testing::probe(w).control(item)->get_sensitive()) << item;
    }
    w.page().engine().signalGotFocus.emit();
    testing::drainEvents();
    for (const char* item : {"mnuEditCut", "mnuEditCopy", "mnuEditPaste"}) {
        EXPECT_TRUE(testing::probe(w).control(item)->get_sensitive()) << item;
    }
}

TEST_F(BrowsingTest, ProgressDisplay) {
    frmBrowser& w = startBrowser();
    auto& e = w.page().engine();
    Gtk::Widget* stop = testing::probe(w).control("Toolbar1_Stop");
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible())
        << "nothing loads yet";
    EXPECT_FALSE(acts(stop));
    e.signalProgressChange.emit(50, 100);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 50);
    EXPECT_TRUE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_TRUE(acts(stop));
    // A load stopped part way keeps the value but leaves no bar, and nothing to stop.
    e.signalProgressChange.emit(-1, 100);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 50);
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_FALSE(acts(stop));
    // Half to even: 1 of 8 is 12.5 %.
    e.signalProgressChange.emit(1, 8);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 12);
    // p * 100 beyond 32 bits leaves the value as it was.
    e.signalProgressChange.emit(30000000, 40000000);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 12);
    e.signalProgressChange.emit(100, 100);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 100);
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    e.signalProgressChange.emit(0, 100);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 100);
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_FALSE(acts(stop));
    // The options' "Apply" shows the status bar again, without a bar while nothing loads.
    context().options().signalApplied().emit();
    EXPECT_TRUE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    // With the status bar hidden the events leave the bar alone.
    testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->activate();
    ASSERT_FALSE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    e.signalProgressChange.emit(30, 100);
    EXPECT_EQ(testing::probe(w).widget<StyledProgressBar>("PB")->value(), 100);
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_TRUE(acts(stop)) << "the page loads, shown or not";
}

TEST_F(BrowsingTest, BackAndForwardAreSensitiveWhileThePageHasHistoryThatWay) {
    frmBrowser& w = startBrowser();
    Gtk::Widget* back = testing::probe(w).control("Toolbar1_Back");
    Gtk::Widget* forward = testing::probe(w).control("Toolbar1_Forward");
    EXPECT_FALSE(acts(back));
    EXPECT_FALSE(acts(forward));
    w.page().engine().signalCommandStateChange.emit(engine::Command::Back, true);
    EXPECT_TRUE(acts(back));
    EXPECT_FALSE(acts(forward));
    w.page().engine().signalCommandStateChange.emit(engine::Command::Forward, true);
    w.page().engine().signalCommandStateChange.emit(engine::Command::Back, false);
    EXPECT_FALSE(acts(back));
    EXPECT_TRUE(acts(forward));
    EXPECT_FALSE(w.runCommand("back"));
    EXPECT_TRUE(w.runCommand("forward"));
}

TEST_F(BrowsingTest, CloseQuestionAnsweredNoKeepsTheWindow) {
    frmBrowser& w = startBrowser();
    testing::ScriptedDialogs d;
    d.answer(Dialogs::Answer::No);
    bool cancel = false;
    w.page().engine().signalWindowClosing.emit(false, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(w.get_visible());
    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].text,
              "This window is attempting to close!\r\nDo you want to allow this?");
    EXPECT_EQ(d.shown()[0].title, "Allow Window Close?");
    EXPECT_EQ(store().read("Settings", "WindowState", "<none>"), "<none>");
}

TEST_F(BrowsingTest, CloseQuestionAnsweredYesClosesAndSaves) {
    frmBrowser& w = startBrowser();
    testing::ScriptedDialogs d;
    d.answer(Dialogs::Answer::Yes);
    bool cancel = false;
    w.page().engine().signalWindowClosing.emit(true, cancel);
    // The engine is answered before the user is: refused, and the window closes itself.
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(w.get_visible());
    EXPECT_TRUE(context().browsers().empty());
    EXPECT_EQ(store().read("Settings", "WindowState", "<none>"), "2");
}

TEST_F(BrowsingTest, StatusBarToggle) {
    frmBrowser& w = startBrowser();
    ASSERT_TRUE(testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->activate();
    EXPECT_FALSE(testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->get_active());
    EXPECT_FALSE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_FALSE(testing::probe(w).widget<StyledProgressBar>("PB")->get_visible());
    EXPECT_EQ(store().read("Settings", "StatusBarVisible", ""), "False");
    EXPECT_FALSE(context().options().statusBar);
    testing::probe(w).widget<Gtk::CheckMenuItem>("mnuToolsStatusbar")->activate();
    EXPECT_TRUE(testing::probe(w).widget<Gtk::Box>("StatusBar1")->get_visible());
    EXPECT_EQ(store().read("Settings", "statusbarvisible", ""), "True");
    EXPECT_TRUE(context().options().statusBar);
}

TEST_F(BrowsingTest, LayoutPlacesTheAddressRowByTheWindowWidth) {
    store().write("Settings", "WindowState", "0");
    frmBrowser& w = startBrowser();
    ASSERT_TRUE(testing::runUntil([&] { return w.get_allocated_width() > 1; }));
    testing::probe(w).Form_Resize();
    Gtk::Layout* row = nullptr;
    testing::probe(w).builder()->get_widget("AddressRow", row);
    int width = w.get_allocated_width();
    // 3050 and 980 twips are 203 and 65 pixels at 96 dpi.
    EXPECT_EQ(row->child_property_x(*testing::probe(w).widget<Gtk::Entry>("txtSearch")).get_value(),
              width - 203);
    // The search button stays inside the window even when its caption needs more room.
    int minW = 0, natW = 0;
    testing::probe(w).widget<StyledButton>("Command1")->get_preferred_width(minW, natW);
    EXPECT_EQ(
        row->child_property_x(*testing::probe(w).widget<StyledButton>("Command1")).get_value(),
        std::min(width - 65, width - minW - 2));
    EXPECT_EQ(
        row->child_property_x(*testing::probe(w).widget<AddressBox>("cboAddress")).get_value(), 0);
}

TEST_F(BrowsingTest, TrayHidesTheMinimisedWindowAndALeftClickRestoresItNormal) {
    TrayIcon::overrideDesktopHasTray(true);
    frmBrowser& w = startBrowser();
    context().options().setFlag(OptionId::MinimizeToTray, true);
    w.setWindowState(1);
    testing::probe(w).Form_Resize();
    EXPECT_TRUE(w.trayIconShown());
    EXPECT_FALSE(w.get_visible());
    testing::probe(w).traypic_MouseDown(TrayIcon::kLeftUp);
    EXPECT_TRUE(w.get_visible());
    EXPECT_EQ(w.windowState(), 0);
    EXPECT_FALSE(w.trayIconShown());
    TrayIcon::overrideDesktopHasTray(std::nullopt);
}

TEST_F(BrowsingTest, WithoutANotificationAreaTheWindowIsNeverHidden) {
    TrayIcon::overrideDesktopHasTray(false);
    frmBrowser& w = startBrowser();
    context().options().setFlag(OptionId::MinimizeToTray, true);
    w.setWindowState(1);
    testing::probe(w).Form_Resize();
    EXPECT_FALSE(w.trayIconShown());
    EXPECT_TRUE(w.get_visible());
    TrayIcon::overrideDesktopHasTray(std::nullopt);
}

// What a window manager tells a window it has just hidden: no longer minimised.
void reportNotMinimised(frmBrowser& w) {
    GdkEvent* event = gdk_event_new(GDK_WINDOW_STATE);
    event->window_state.window = GDK_WINDOW(g_object_ref(w.get_window()->gobj()));
    event->window_state.changed_mask = GDK_WINDOW_STATE_ICONIFIED;
    event->window_state.new_window_state = GDK_WINDOW_STATE_WITHDRAWN;
    gtk_widget_event(GTK_WIDGET(w.gobj()), event);
    gdk_event_free(event);
}

TEST_F(BrowsingTest, AWindowInTheTrayStaysThereUntilRestoredAndARightClickOnlyShowsTheMenu) {
    TrayIcon::overrideDesktopHasTray(true);
    frmBrowser& w = startBrowser();
    context().options().setFlag(OptionId::MinimizeToTray, true);
    w.setWindowState(1);
    testing::probe(w).Form_Resize();
    ASSERT_TRUE(w.inTray());
    reportNotMinimised(w);
    testing::drainEvents();
    testing::probe(w).Form_Resize();
    EXPECT_FALSE(w.get_visible()) << "the desktop's report does not bring the window back";
    EXPECT_TRUE(w.trayIconShown());
    EXPECT_EQ(w.windowState(), 1);

    testing::probe(w).traypic_MouseDown(TrayIcon::kRightUp);
    Gtk::Menu* menu = testing::probe(w).widget<Gtk::Menu>("mPopupSys");
    EXPECT_TRUE(testing::runUntil([&] { return menu->get_visible(); }, 2000));
    EXPECT_FALSE(w.get_visible());
    EXPECT_TRUE(w.inTray());
    menu->popdown();

    testing::probe(w).control("mPopRestore")->activate();
    EXPECT_TRUE(w.get_visible());
    EXPECT_FALSE(w.inTray());
    EXPECT_FALSE(w.trayIconShown());
    EXPECT_EQ(w.windowState(), 0);
    TrayIcon::overrideDesktopHasTray(std::nullopt);
}

TEST_F(BrowsingTest, TrayExitRemovesTheIconAndRunsTheWholeShutDown) {
    TrayIcon::overrideDesktopHasTray(true);
    frmBrowser& w = startBrowser();
    context().options().setFlag(OptionId::MinimizeToTray, true);
    w.setWindowState(1);
    testing::probe(w).Form_Resize();
    ASSERT_TRUE(w.trayIconShown());
    testing::probe(w).control("mPopExit")->activate();
    EXPECT_FALSE(w.trayIconShown());
    EXPECT_TRUE(context().browsers().empty());
    // The window's state is saved as File > Exit saves it: minimised reads as normal.
    EXPECT_EQ(store().read("Settings", "WindowState", "<none>"), "0");
    TrayIcon::overrideDesktopHasTray(std::nullopt);
}

TEST_F(BrowsingTest, ALastWindowKeptOpenByAGuardKeepsItsTrayIcon) {
    TrayIcon::overrideDesktopHasTray(true);
    frmBrowser& w = startBrowser();
    int asked = 0;
    context().addLastWindowGuard([&](frmBrowser& closing, std::function<void(bool)> agreed) {
        EXPECT_EQ(&closing, &w);
        agreed(++asked > 2);
    });
    context().options().setFlag(OptionId::MinimizeToTray, true);
    w.setWindowState(1);
    testing::probe(w).Form_Resize();
    ASSERT_TRUE(w.trayIconShown());
    testing::probe(w).control("mPopExit")->activate();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(w.trayIconShown()) << "a window in the tray without its icon is unreachable";
    EXPECT_EQ(context().browsers().size(), 1u);
    w.runCommand("exit");
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(context().browsers().size(), 1u);
    // The guard agrees the third time.
    testing::probe(w).control("mPopExit")->activate();
    EXPECT_FALSE(w.trayIconShown());
    EXPECT_TRUE(context().browsers().empty());
    TrayIcon::overrideDesktopHasTray(std::nullopt);
}

TEST_F(BrowsingTest, AutoRefreshRestartsOnEachChoiceAndTurnsOff) {
    frmBrowser& w = startBrowser();
    Gtk::Widget* off = testing::probe(w).control("mnuAF_Off");
    EXPECT_FALSE(off->get_sensitive());
    EXPECT_FALSE(w.page().refreshTimer().enabled());
    // The menu's items carry their seconds to the command.
    testing::probe(w).control("mnuAR_60")->activate();
    EXPECT_TRUE(w.page().refreshTimer().enabled());
    EXPECT_EQ(w.page().refreshTimer().interval(), 60000u);
    EXPECT_TRUE(off->get_sensitive());
    w.runCommand("auto-refresh", Glib::Variant<gint32>::create(1));
    EXPECT_EQ(w.page().refreshTimer().interval(), 1000u);
    auto& calls = engine(w).calls;
    ASSERT_TRUE(testing::runUntil(
        [&] { return std::count(calls.begin(), calls.end(), "refresh") >= 1; }, 3000));
    w.runCommand("auto-refresh-off");
    EXPECT_FALSE(w.page().refreshTimer().enabled());
    EXPECT_FALSE(off->get_sensitive());
}

}  // namespace
}  // namespace larkspan
