#include "support/SyntheticEvents.hpp"

#include <gtk/gtk.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <string>

#include "controls/StyledButton.hpp"
#include "support/Display.hpp"

namespace larkspan::testing {

void sendKey(Gtk::Window& win, GdkEventType type, guint keyval, guint state) {
    GdkEvent* ev = gdk_event_new(type);
    ev->key.window = GDK_WINDOW(g_object_ref(win.get_window()->gobj()));
    ev->key.send_event = TRUE;
    ev->key.time = GDK_CURRENT_TIME;
    ev->key.keyval = keyval;
    ev->key.state = state;
    GdkKeymapKey* keys = nullptr;
    gint n = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()),
                                          keyval, &keys, &n) &&
        n > 0) {
        ev->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        ev->key.group = static_cast<guint8>(keys[0].group);
    }
    g_free(keys);
    gdk_event_set_device(
        ev, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_main_do_event(ev);
    gdk_event_free(ev);
}

void sendClick(GtkWidget* widget, double x, double y, guint button, guint state) {
    GdkWindow* window = gtk_widget_get_window(widget);
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(widget));
    GdkDevice* pointer = gdk_seat_get_pointer(seat);
    for (GdkEventType type : {GDK_MOTION_NOTIFY, GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        if (type == GDK_MOTION_NOTIFY) {
            event->motion.window = GDK_WINDOW(g_object_ref(window));
            event->motion.send_event = TRUE;
            event->motion.time = GDK_CURRENT_TIME;
            event->motion.x = x;
            event->motion.y = y;
            event->motion.state = state;
        } else {
            event->button.window = GDK_WINDOW(g_object_ref(window));
            event->button.send_event = TRUE;
            event->button.time = GDK_CURRENT_TIME;
            event->button.x = x;
            event->button.y = y;
            event->button.button = button;
            guint held = button == 1 ? GDK_BUTTON1_MASK : button == 2 ? GDK_BUTTON2_MASK : 0;
            event->button.state = state | (type == GDK_BUTTON_RELEASE ? held : 0);
        }
        gdk_event_set_device(event, pointer);
        gtk_widget_event(widget, event);
        gdk_event_free(event);
    }
}

void click(StyledButton& button) {
    button.model().leftButtonDown();
    button.model().leftButtonUp(true);
    drainEvents();
}

void clickRow(Gtk::TreeView& list, int row) {
    Gdk::Rectangle cell;
    list.get_cell_area(Gtk::TreeModel::Path(std::to_string(row)), *list.get_column(0), cell);
    GdkDevice* pointer =
        gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
        GdkEvent* ev = gdk_event_new(type);
        ev->button.window = GDK_WINDOW(g_object_ref(list.get_bin_window()->gobj()));
        ev->button.send_event = TRUE;
        ev->button.time = GDK_CURRENT_TIME;
        ev->button.button = 1;
        ev->button.x = cell.get_x() + 4;
        ev->button.y = cell.get_y() + cell.get_height() / 2;
        gdk_event_set_device(ev, pointer);
        gtk_main_do_event(ev);
        gdk_event_free(ev);
    }
    drainEvents();
}

}  // namespace larkspan::testing
