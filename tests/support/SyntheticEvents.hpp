#pragma once

#include <gdk/gdk.h>
#include <gtk/gtk.h>

namespace Gtk {
class TreeView;
class Window;
}  // namespace Gtk

namespace larkspan {
class StyledButton;
}

namespace larkspan::testing {

// A key event sent to the window as the keyboard sends it (with its hardware key code and
// device): the window gives it to its own key handler, the focus widget, its mnemonics and
// its key bindings.
void sendKey(Gtk::Window& win, GdkEventType type, guint keyval, guint state = 0);

// A click of `button` (left by default) at (x, y) of a realized widget as the pointer makes
// it (motion, press, release) with the modifier keys `state` held, so a page sees a user's
// gesture.
void sendClick(GtkWidget* widget, double x, double y, guint button = 1, guint state = 0);

// A click of the mouse on one of the program's styled buttons, through its button model.
void click(StyledButton& button);

// A left click on row `row` of a list (its first column), as the pointer makes it.
void clickRow(Gtk::TreeView& list, int row);

}  // namespace larkspan::testing
