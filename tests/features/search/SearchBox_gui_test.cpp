// The main window's search box: its placeholder handlers and the search run by Enter and
// by the "Search" button, with and without a chosen engine.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "app/Application.hpp"
#include "common/Color.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "features/search/SearchEngines.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/FakePageEngine.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"

namespace larkspan {
namespace {

using testing::FakePageEngine;

class SearchBoxTest : public testing::GuiTest {
  protected:
    frmBrowser& start(const char* engineName) {
        if (engineName) store().write("WebSearch", "LastEngine", engineName);
        frmBrowser& w = startBrowser();
        // Without a window manager only a presented window takes the keyboard focus.
        w.present();
        EXPECT_TRUE(testing::runUntil([&] { return w.property_is_active().get_value(); }));
        testing::drainEvents();
        return w;
    }
    Gtk::Entry& box(frmBrowser& w) { return *testing::probe(w).widget<Gtk::Entry>("txtSearch"); }
    FakePageEngine& engine(frmBrowser& w) {
        return static_cast<FakePageEngine&>(w.page().engine());
    }
    // A left click in the box's text area, as the pointer makes it.
    void click(Gtk::Entry& entry) {
        GdkWindow* area = nullptr;
        for (GList* l = gdk_window_get_children(entry.get_window()->gobj()); l; l = l->next) {
            gpointer owner = nullptr;
            gdk_window_get_user_data(GDK_WINDOW(l->data), &owner);
            if (owner == entry.gobj()) area = GDK_WINDOW(l->data);
        }
        ASSERT_NE(area, nullptr);
        for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
            GdkEvent* event = gdk_event_new(type);
            event->button.window = GDK_WINDOW(g_object_ref(area));
            event->button.send_event = TRUE;
            event->button.time = GDK_CURRENT_TIME;
            event->button.x = 5;
            event->button.y = 5;
            event->button.button = 1;
            event->button.state = type == GDK_BUTTON_RELEASE ? GDK_BUTTON1_MASK : 0;
            gdk_event_set_device(
                event,
                gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
            gtk_main_do_event(event);
            gdk_event_free(event);
        }
        testing::drainEvents();
    }
    void leave(frmBrowser& w) {
        w.page().engine().widget().grab_focus();
        testing::drainEvents();
    }
    void pressSearchButton(frmBrowser& w) {
        auto* button = testing::probe(w).widget<StyledButton>("Command1");
        button->model().leftButtonDown();
        button->model().leftButtonUp(true);
        testing::drainEvents();
    }
};

TEST_F(SearchBoxTest, PlaceholderIsClearedByAClickAndComesBackWhenTheBoxIsLeftEmpty) {
    frmBrowser& w = start("Excite");
    Gtk::Entry& b = box(w);
    EXPECT_EQ(b.get_text(), "Excite");
    EXPECT_EQ(style::foreground(b), kSysGrayText);

    click(b);
    EXPECT_TRUE(b.has_focus());
    EXPECT_EQ(b.get_text(), "");
    EXPECT_EQ(style::foreground(b), Application::instance().options().programFontColor);

    leave(w);
    EXPECT_EQ(b.get_text(), "Excite");
    EXPECT_EQ(style::foreground(b), kSysGrayText);

    // Focus without a click (the Tab key) leaves the placeholder in the box.
    b.grab_focus();
    testing::drainEvents();
    EXPECT_EQ(b.get_text(), "Excite");

    // A text of the user's own stays, coloured as it was; an engine's name is cleared.
    b.set_text("cats");
    leave(w);
    EXPECT_EQ(b.get_text(), "cats");
    click(b);
    EXPECT_EQ(b.get_text(), "cats");
    b.set_text("Yahoo!");
    click(b);
    EXPECT_EQ(b.get_text(), "");
}

TEST_F(SearchBoxTest, EnterAndTheButtonSearchTheSameAddressAndRememberTheEngine) {
    frmBrowser& w = start("Excite");
    store().write("WebSearch", "LastEngine", "");  // the search writes it again
    Gtk::Entry& b = box(w);
    b.grab_focus();
    b.set_text("fish & chips #1");
    pressKey(w, GDK_KEY_Return, 0);
    std::string expected = search::planSearch("Excite", "fish & chips #1").address;
    ASSERT_FALSE(engine(w).navigations.empty());
    EXPECT_EQ(engine(w).navigations.back(), expected);
    EXPECT_EQ(store().read("WebSearch", "LastEngine", "?"), "Excite");

    engine(w).navigations.clear();
    pressSearchButton(w);
    ASSERT_EQ(engine(w).navigations.size(), 1u);
    EXPECT_EQ(engine(w).navigations.back(), expected);
}

TEST_F(SearchBoxTest, WithoutAnEngineEachSearchSaysSoAndSearchesWithGoogle) {
    frmBrowser& w = start(nullptr);
    EXPECT_EQ(box(w).get_text(), "");
    box(w).set_text("cats");
    testing::ScriptedDialogs d;
    d.answer(Dialogs::Answer::Ok);
    d.answer(Dialogs::Answer::Ok);
    pressSearchButton(w);
    pressSearchButton(w);
    ASSERT_EQ(d.shown().size(), 2u);
    EXPECT_EQ(d.shown()[1].text, "No Search Engine selected. Using default: Google Search");
    EXPECT_EQ(d.shown()[1].title, "Auto-Select Search");
    EXPECT_EQ(engine(w).navigations.back(), search::planSearch("Google", "cats").address);
    EXPECT_EQ(store().read("WebSearch", "LastEngine", "?"), "");
}

}  // namespace
}  // namespace larkspan
