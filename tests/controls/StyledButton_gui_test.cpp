// The styled button as a real widget in a real window (under Xvfb): pointer passes with
// synthesized and real crossing events, clicks, the toggle, the disabled button, keys and
// the access key, the tooltip with the container's tooltip taken over and handed back, the
// theme look, and creation from a window description.
#include <gdk/gdk.h>
#include <gtest/gtest.h>
#include <gtkmm/box.h>
#include <gtkmm/builder.h>
#include <gtkmm/window.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "controls/ButtonPainter.hpp"
#include "controls/StyledButton.hpp"
#include "support/Display.hpp"
#include "support/SyntheticEvents.hpp"

using namespace larkspan;
using larkspan::testing::drainEvents;
using larkspan::testing::initGtk;
using larkspan::testing::parkPointer;
using larkspan::testing::runUntil;

namespace {

GdkDevice* pointerDevice() {
    return gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
}

GdkDevice* keyboardDevice() {
    return gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default()));
}

// Delivers a synthesized event the way the main loop delivers real ones.
void deliver(GdkEvent* ev) {
    gtk_main_do_event(ev);
    gdk_event_free(ev);
}

void crossing(Gtk::Widget& w, GdkEventType type, GdkNotifyType detail, double x, double y) {
    GdkEvent* ev = gdk_event_new(type);
    ev->crossing.window = GDK_WINDOW(g_object_ref(w.get_window()->gobj()));
    ev->crossing.send_event = TRUE;
    ev->crossing.time = GDK_CURRENT_TIME;
    ev->crossing.x = x;
    ev->crossing.y = y;
    ev->crossing.mode = GDK_CROSSING_NORMAL;
    ev->crossing.detail = detail;
    gdk_event_set_device(ev, pointerDevice());
    deliver(ev);
}

void motion(Gtk::Widget& w, double x, double y) {
    GdkEvent* ev = gdk_event_new(GDK_MOTION_NOTIFY);
    ev->motion.window = GDK_WINDOW(g_object_ref(w.get_window()->gobj()));
    ev->motion.send_event = TRUE;
    ev->motion.time = GDK_CURRENT_TIME;
    ev->motion.x = x;
    ev->motion.y = y;
    gdk_event_set_device(ev, pointerDevice());
    deliver(ev);
}

GdkEvent* buttonEvent(Gtk::Widget& w, GdkEventType type, double x, double y) {
    GdkEvent* ev = gdk_event_new(type);
    ev->button.window = GDK_WINDOW(g_object_ref(w.get_window()->gobj()));
    ev->button.send_event = TRUE;
    ev->button.time = GDK_CURRENT_TIME;
    ev->button.x = x;
    ev->button.y = y;
    ev->button.button = 1;
    gdk_event_set_device(ev, pointerDevice());
    return ev;
}

void button(Gtk::Widget& w, GdkEventType type, double x, double y) {
    deliver(buttonEvent(w, type, x, y));
}

void clickAt(Gtk::Widget& w, double x, double y) {
    button(w, GDK_BUTTON_PRESS, x, y);
    button(w, GDK_BUTTON_RELEASE, x, y);
}

void key(Gtk::Window& win, GdkEventType type, guint keyval, guint state = 0) {
    larkspan::testing::sendKey(win, type, keyval, state);
}

void tap(Gtk::Window& win, guint keyval, guint state = 0) {
    key(win, GDK_KEY_PRESS, keyval, state);
    key(win, GDK_KEY_RELEASE, keyval, state);
}

// Makes the window the active one, as a window manager would when it is clicked.
// The window gains (or loses) the keyboard focus, as when the desktop (de)activates it.
void activate(Gtk::Window& win, bool in = true) {
    GdkEvent* ev = gdk_event_new(GDK_FOCUS_CHANGE);
    ev->focus_change.window = GDK_WINDOW(g_object_ref(win.get_window()->gobj()));
    ev->focus_change.send_event = TRUE;
    ev->focus_change.in = in ? TRUE : FALSE;
    gdk_event_set_device(ev, keyboardDevice());
    deliver(ev);
}

std::vector<unsigned char> widgetImage(Gtk::Widget& w) {
    drainEvents();  // sizes and redraws requested by property changes
    const int width = w.get_allocated_width();
    const int height = w.get_allocated_height();
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height);
    auto cr = Cairo::Context::create(surface);
    gtk_widget_draw(GTK_WIDGET(w.gobj()), cr->cobj());
    surface->flush();
    const unsigned char* d = surface->get_data();
    return {d, d + static_cast<std::ptrdiff_t>(surface->get_stride()) * height};
}

std::vector<unsigned char> painterImage(const ButtonModel& m, ButtonVisualState s, int w, int h) {
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, w, h);
    auto cr = Cairo::Context::create(surface);
    paintButton(cr->cobj(), m, s, w, h);
    surface->flush();
    const unsigned char* d = surface->get_data();
    return {d, d + static_cast<std::ptrdiff_t>(surface->get_stride()) * h};
}

int countColor(const std::vector<unsigned char>& argb, Rgb c) {
    int n = 0;
    for (std::size_t i = 0; i + 3 < argb.size(); i += 4) {
        std::uint32_t v;
        std::memcpy(&v, &argb[i], 4);
        if ((v >> 24) == 0xFF && ((v >> 16) & 0xFF) == c.r && ((v >> 8) & 0xFF) == c.g &&
            (v & 0xFF) == c.b) {
            ++n;
        }
    }
    return n;
}

class StyledButtonGui : public ::testing::Test {
  protected:
    virtual int originX() const { return 40; }
    virtual int originY() const { return 40; }

    void SetUp() override {
        initGtk();
        parkPointer();
        win_ = std::make_unique<Gtk::Window>();
        win_->set_title("Buttons");
        win_->move(originX(), originY());
        box_ = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_HORIZONTAL, 10);
        box_->set_border_width(20);
        box_->set_tooltip_text("Container tip");
        one_ = Gtk::make_managed<StyledButton>("cmdOne");
        two_ = Gtk::make_managed<StyledButton>("cmdTwo");
        one_->set_size_request(110, 30);
        two_->set_size_request(110, 30);
        one_->setTooltipDelay(0);
        box_->pack_start(*one_, false, false);
        box_->pack_start(*two_, false, false);
        win_->add(*box_);
        win_->show_all();
        ASSERT_TRUE(
            runUntil([&] { return one_->get_mapped() && one_->get_allocated_width() == 110; }));
        activate(*win_);
        drainEvents();
        one_->signal_click().connect([&] { ++clicks_; });
        one_->signal_mouse_enter().connect([&] { ++enters_; });
        one_->signal_mouse_leave().connect([&] { ++leaves_; });
    }
    void TearDown() override {
        win_.reset();
        drainEvents();
    }

    std::unique_ptr<Gtk::Window> win_;
    Gtk::Box* box_ = nullptr;
    StyledButton* one_ = nullptr;
    StyledButton* two_ = nullptr;
    int clicks_ = 0;
    int enters_ = 0;
    int leaves_ = 0;
};

}  // namespace

// ---- Pointer passes
// -------------------------------------------------------------------------------

TEST_F(StyledButtonGui, EachPassOfThePointerRaisesOneEnterAndOneLeave) {
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 5, 5);
    for (int i = 0; i < 10; ++i) motion(*one_, 5 + i, 10);
    // Into a window inside the button and back: still the same pass.
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_INFERIOR, 50, 15);
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_INFERIOR, 50, 15);
    motion(*one_, 60, 15);
    EXPECT_EQ(enters_, 1);
    EXPECT_EQ(leaves_, 0);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Hot);
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, 120, 15);
    EXPECT_EQ(enters_, 1);
    EXPECT_EQ(leaves_, 1);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Normal);

    // A second pass that begins with a motion rather than an enter.
    motion(*one_, 30, 10);
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_NONLINEAR, 30, 10);
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_NONLINEAR, -1, 10);
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_NONLINEAR, -1, 10);
    EXPECT_EQ(enters_, 2);
    EXPECT_EQ(leaves_, 2);
}

// The real pointer's test keeps its window apart from the other tests' windows.
class StyledButtonRealPointer : public StyledButtonGui {
  protected:
    int originX() const override { return 420; }
    int originY() const override { return 300; }
};

TEST_F(StyledButtonRealPointer, RealPointerMovesMakeOnePass) {
    GdkDevice* pointer = pointerDevice();
    GdkScreen* screen = gdk_screen_get_default();
    int ox = 0;
    int oy = 0;
    one_->get_window()->get_origin(ox, oy);
    gdk_device_warp(pointer, screen, ox - 15, oy - 15);
    drainEvents();
    const int before = enters_;
    for (int i = 0; i < 5; ++i) gdk_device_warp(pointer, screen, ox + 20 + i * 10, oy + 15);
    ASSERT_TRUE(runUntil([&] { return enters_ > before; }));
    drainEvents();
    gdk_device_warp(pointer, screen, ox + 55, oy + 80);  // below the button
    ASSERT_TRUE(runUntil([&] { return leaves_ > 0; }));
    drainEvents();
    EXPECT_EQ(enters_ - before, 1);
    EXPECT_EQ(leaves_, 1);
    EXPECT_FALSE(one_->model().tracking());
}

TEST_F(StyledButtonGui, CutCornersOfRoundedLooksAreNotTheButton) {
    one_->setStyle(10);
    drainEvents();
    motion(*one_, 1, 1);  // outside the round corner
    EXPECT_EQ(enters_, 0);
    motion(*one_, 55, 15);
    EXPECT_EQ(enters_, 1);
    // The painted corners are transparent.
    auto img = widgetImage(*one_);
    std::uint32_t corner;
    std::memcpy(&corner, img.data(), 4);
    EXPECT_EQ(corner >> 24, 0u);
}

// ---- Clicks
// ------------------------------------------------------------------------------------------

TEST_F(StyledButtonGui, PressAndReleaseOverTheButtonClicksOnce) {
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    button(*one_, GDK_BUTTON_PRESS, 10, 10);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Pressed);
    EXPECT_TRUE(one_->is_focus());
    button(*one_, GDK_BUTTON_RELEASE, 12, 12);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Hot);

    // Released away from the button: no click.
    button(*one_, GDK_BUTTON_PRESS, 10, 10);
    button(*one_, GDK_BUTTON_RELEASE, 200, 10);
    EXPECT_EQ(clicks_, 1);

    // A double click is two clicks, not three.
    button(*one_, GDK_BUTTON_PRESS, 10, 10);
    button(*one_, GDK_BUTTON_RELEASE, 10, 10);
    button(*one_, GDK_BUTTON_PRESS, 10, 10);
    button(*one_, GDK_2BUTTON_PRESS, 10, 10);
    button(*one_, GDK_BUTTON_RELEASE, 10, 10);
    EXPECT_EQ(clicks_, 3);
}

TEST_F(StyledButtonGui, ToggleFlipsValuePerClickAndDrawsPressedWhileTrue) {
    one_->setButtonType(1);
    one_->setStyle(0);
    const int w = one_->get_allocated_width();
    const int h = one_->get_allocated_height();
    clickAt(*one_, 20, 10);
    EXPECT_TRUE(one_->value());
    EXPECT_EQ(widgetImage(*one_), painterImage(one_->model(), ButtonVisualState::Pressed, w, h));
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, -5, 10);
    EXPECT_EQ(widgetImage(*one_), painterImage(one_->model(), ButtonVisualState::Pressed, w, h));
    clickAt(*one_, 20, 10);
    EXPECT_FALSE(one_->value());
    EXPECT_NE(widgetImage(*one_), painterImage(one_->model(), ButtonVisualState::Pressed, w, h));
    EXPECT_EQ(clicks_, 2);
}

TEST_F(StyledButtonGui, DisabledButtonIgnoresTheMouseAndDrawsGreyText) {
    int allocations = 0;
    one_->signal_size_allocate().connect([&](Gtk::Allocation&) { ++allocations; });
    one_->setCaption("MMMM");
    one_->setFont("Sans Bold 12");  // still fits: no new window size
    one_->setStyle(2);
    one_->setEnabled(false);
    EXPECT_FALSE(one_->is_sensitive());
    // Straight to the widget, past GTK's own filtering of insensitive widgets.
    auto send = [&](GdkEvent* ev) {
        gtk_widget_event(GTK_WIDGET(one_->gobj()), ev);
        gdk_event_free(ev);
    };
    GdkEvent* enter = gdk_event_new(GDK_ENTER_NOTIFY);
    enter->crossing.window = GDK_WINDOW(g_object_ref(one_->get_window()->gobj()));
    enter->crossing.x = 10;
    enter->crossing.y = 10;
    enter->crossing.detail = GDK_NOTIFY_ANCESTOR;
    send(enter);
    send(buttonEvent(*one_, GDK_BUTTON_PRESS, 10, 10));
    send(buttonEvent(*one_, GDK_BUTTON_RELEASE, 10, 10));
    EXPECT_EQ(enters_, 0);
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(one_->model().drawState(), ButtonVisualState::Disabled);

    ASSERT_TRUE(runUntil([&] { return allocations > 0; }));  // laid out for the new caption
    auto img = widgetImage(*one_);
    EXPECT_EQ(img, painterImage(one_->model(), ButtonVisualState::Disabled,
                                one_->get_allocated_width(), one_->get_allocated_height()));
    EXPECT_GT(countColor(img, resolveColor(kSysGrayText)), 10);
    EXPECT_EQ(countColor(img, resolveColor(kSysButtonText)), 0);
}

TEST_F(StyledButtonGui, DisablingWhileHoveredEndsThePass) {
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    one_->signal_click().connect([&] { one_->setEnabled(false); });
    clickAt(*one_, 10, 10);
    EXPECT_EQ(leaves_, 1);
    EXPECT_EQ(box_->get_tooltip_text(), "Container tip");  // handed back
}

// ---- Keyboard
// ------------------------------------------------------------------------------------------

TEST_F(StyledButtonGui, SpaceClicksOnceAndArrowsMoveTheFocus) {
    one_->grab_focus();
    ASSERT_TRUE(one_->is_focus());
    key(*win_, GDK_KEY_PRESS, GDK_KEY_space);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Pressed);
    EXPECT_EQ(clicks_, 0);
    key(*win_, GDK_KEY_RELEASE, GDK_KEY_space);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Normal);

    tap(*win_, GDK_KEY_Right);
    EXPECT_TRUE(two_->is_focus());
    tap(*win_, GDK_KEY_Left);
    EXPECT_TRUE(one_->is_focus());
    tap(*win_, GDK_KEY_Down);
    EXPECT_TRUE(two_->is_focus());
    tap(*win_, GDK_KEY_Up);
    EXPECT_TRUE(one_->is_focus());
    EXPECT_EQ(clicks_, 1);
}

TEST_F(StyledButtonGui, IsAPushButtonNamedByItsCaptionThatEnterPresses) {
    one_->setCaption("&Delete All");
    AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(one_->gobj()));
    EXPECT_EQ(atk_object_get_role(accessible), ATK_ROLE_PUSH_BUTTON);
    EXPECT_STREQ(atk_object_get_name(accessible), "Delete All");
    one_->grab_focus();
    tap(*win_, GDK_KEY_Return);
    EXPECT_EQ(clicks_, 1);
    tap(*win_, GDK_KEY_KP_Enter);
    EXPECT_EQ(clicks_, 2);
    one_->setEnabled(false);
    tap(*win_, GDK_KEY_Return);
    EXPECT_EQ(clicks_, 2);
}

TEST_F(StyledButtonGui, TabEndsThePassOnceAndMovesTheFocus) {
    one_->grab_focus();
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    tap(*win_, GDK_KEY_Tab);
    EXPECT_EQ(leaves_, 1);
    EXPECT_TRUE(two_->is_focus());
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, -5, 10);
    EXPECT_EQ(leaves_, 1);
    EXPECT_EQ(enters_, 1);
}

TEST_F(StyledButtonGui, WithoutACaptionTheTooltipNamesTheButton) {
    one_->setCaption("");
    one_->setToolTipText("Search");
    AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(one_->gobj()));
    EXPECT_STREQ(atk_object_get_name(accessible), "Search");
    one_->setCaption("&Go");
    EXPECT_STREQ(atk_object_get_name(accessible), "Go");
    EXPECT_STREQ(atk_object_get_description(accessible), "Search");
}

TEST_F(StyledButtonGui, AccessKeyClicks) {
    one_->setCaption("&Go");
    drainEvents();
    tap(*win_, GDK_KEY_g, GDK_MOD1_MASK);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(one_->model().state(), ButtonVisualState::Normal);
    // A new caption moves the key.
    one_->setCaption("&Stop");
    drainEvents();
    tap(*win_, GDK_KEY_g, GDK_MOD1_MASK);
    EXPECT_EQ(clicks_, 1);
    tap(*win_, GDK_KEY_s, GDK_MOD1_MASK);
    EXPECT_EQ(clicks_, 2);
    // Not while disabled.
    one_->setEnabled(false);
    tap(*win_, GDK_KEY_s, GDK_MOD1_MASK);
    EXPECT_EQ(clicks_, 2);
}

// ---- Tooltip
// ---------------------------------------------------------------------------------------------

TEST_F(StyledButtonGui, ContainerTooltipIsTakenOverWhileHoveredAndRestoredAfterwards) {
    ASSERT_EQ(box_->get_tooltip_text(), "Container tip");
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    EXPECT_EQ(box_->get_tooltip_text(), "");
    EXPECT_FALSE(box_->get_has_tooltip());
    ASSERT_TRUE(
        runUntil([&] { return one_->tooltipWindow() && one_->tooltipWindow()->get_mapped(); }));
    EXPECT_EQ(one_->tooltipWindow()->content().text, "Container tip");  // the button has none

    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, -5, 10);
    EXPECT_EQ(one_->tooltipWindow(), nullptr);
    EXPECT_EQ(box_->get_tooltip_text(), "Container tip");
    EXPECT_TRUE(box_->get_has_tooltip());
}

TEST_F(StyledButtonGui, OwnTooltipWithTitleShowsAfterTheDelayAndGoesOnLeave) {
    one_->setToolTipText("Unlocks the favorites");
    one_->setToolTipTitle("Favorites");
    one_->setToolTipIcon(1);
    one_->setToolTipType(1);
    one_->setToolTipBackColor(packRgb(255, 255, 200));
    one_->setTooltipDelay(50);
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    EXPECT_EQ(one_->tooltipWindow(), nullptr);  // not before the delay
    ASSERT_TRUE(
        runUntil([&] { return one_->tooltipWindow() && one_->tooltipWindow()->get_mapped(); }));
    const ButtonTooltipContent& c = one_->tooltipWindow()->content();
    EXPECT_EQ(c.text, "Unlocks the favorites");
    EXPECT_EQ(c.title, "Favorites");
    EXPECT_EQ(c.icon, 1);
    EXPECT_TRUE(c.balloon);
    EXPECT_EQ(c.back, (Rgb{255, 255, 200}));
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, -5, 10);
    EXPECT_EQ(one_->tooltipWindow(), nullptr);

    // Left before the delay: it never shows.
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, -5, 10);
    EXPECT_FALSE(runUntil([&] { return one_->tooltipWindow() != nullptr; }, 200));
}

TEST_F(StyledButtonGui, TooltipGoesOnAClickAndWhenItsWindowLosesTheFocus) {
    auto shown = [&] { return one_->tooltipWindow() && one_->tooltipWindow()->get_mapped(); };
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    ASSERT_TRUE(runUntil(shown));
    // A click opens a dialog in a real window: the tooltip has gone by then.
    bool goneAtClick = false;
    one_->signal_click().connect([&] { goneAtClick = one_->tooltipWindow() == nullptr; });
    one_->grab_focus();
    tap(*win_, GDK_KEY_Return);
    EXPECT_EQ(clicks_, 1);
    EXPECT_TRUE(goneAtClick);

    crossing(*one_, GDK_LEAVE_NOTIFY, GDK_NOTIFY_ANCESTOR, -5, 10);
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    ASSERT_TRUE(runUntil(shown));
    // Another window (a dialog) takes the focus while the pointer stays on the button.
    activate(*win_, false);
    EXPECT_EQ(one_->tooltipWindow(), nullptr);
}

TEST_F(StyledButtonGui, HidingOrDestroyingAHoveredButtonHandsTheTooltipBack) {
    crossing(*one_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    EXPECT_EQ(box_->get_tooltip_text(), "");
    one_->hide();  // a hidden button is left by the pointer
    EXPECT_EQ(leaves_, 1);
    EXPECT_EQ(box_->get_tooltip_text(), "Container tip");

    two_->setTooltipDelay(0);
    crossing(*two_, GDK_ENTER_NOTIFY, GDK_NOTIFY_ANCESTOR, 10, 10);
    EXPECT_EQ(box_->get_tooltip_text(), "");
    delete two_;
    two_ = nullptr;
    EXPECT_EQ(box_->get_tooltip_text(), "Container tip");
    EXPECT_TRUE(box_->get_has_tooltip());
}

// ---- Looks
// --------------------------------------------------------------------------------------------------

TEST_F(StyledButtonGui, ThemeLookIsDrawnByTheDesktopThemeWhenThereIsOne) {
    one_->setStyle(6);
    auto img = widgetImage(*one_);
    EXPECT_EQ(one_->style(), 6);
    EXPECT_FALSE(one_->model().themeFellBack());
    // Not the look that would replace it.
    ButtonModel fallback("cmdOne");
    fallback.setStyle(5);
    EXPECT_NE(img, painterImage(fallback, ButtonVisualState::Normal, one_->get_allocated_width(),
                                one_->get_allocated_height()));
}

TEST_F(StyledButtonGui, CopyLookTakesTheSamplesFiveLooks) {
    two_->setStyle(8);
    two_->setFontColor(1);
    two_->setBackColor(2);
    two_->setHighlightColor(3);
    two_->setFontHighlightColor(4);
    two_->setCaption("Other");
    one_->copyLookFrom(*two_);
    EXPECT_EQ(one_->style(), 8);
    EXPECT_EQ(one_->fontColor(), 1);
    EXPECT_EQ(one_->backColor(), 2);
    EXPECT_EQ(one_->highlightColor(), 3);
    EXPECT_EQ(one_->fontHighlightColor(), 4);
    EXPECT_EQ(one_->caption(), "cmdOne");
}

// ---- Creation
// --------------------------------------------------------------------------------------------------

TEST(StyledButtonBuilder, PlaceholderInAWindowDescriptionBecomesAStyledButton) {
    initGtk();
    auto builder = Gtk::Builder::create_from_string(R"(<interface>
  <object class="GtkWindow" id="frmTest">
    <child>
      <object class="GtkDrawingArea" id="cmdDelete">
        <property name="visible">True</property>
        <property name="can-focus">True</property>
        <property name="tooltip-text">Deletes it</property>
      </object>
    </child>
  </object>
</interface>)");
    StyledButton* b = nullptr;
    builder->get_widget_derived("cmdDelete", b);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->caption(), "cmdDelete");
    EXPECT_EQ(b->get_name(), "cmdDelete");
    EXPECT_EQ(b->style(), 0);
    EXPECT_EQ(b->toolTipText(), "Deletes it");
    EXPECT_FALSE(b->get_has_tooltip());  // GTK's own tooltip never shows besides ours
    EXPECT_TRUE(b->get_can_focus());
    Gtk::Window* w = nullptr;
    builder->get_widget("frmTest", w);
    ASSERT_NE(w, nullptr);
    w->show();
    ASSERT_TRUE(runUntil([&] { return b->get_mapped(); }));
    EXPECT_TRUE(b->model().shown());
    EXPECT_GE(b->get_allocated_width(), 75);
    EXPECT_GE(b->get_allocated_height(), 23);
    delete w;
    drainEvents();
}

TEST(StyledButtonLink, OpenLinkRefusesWhatCannotBeOpened) {
    initGtk();
    StyledButton b;
    EXPECT_EQ(b.caption(), "StyledButton");
    EXPECT_FALSE(b.openLink(""));
    EXPECT_FALSE(b.openLink("not a link"));
}
