#pragma once

#include <gdk/gdk.h>

namespace Gtk {
class Window;
}

namespace larkspan::testing {

// A key event sent to the window as the keyboard sends it (with its hardware key code and
// device): the window gives it to its own key handler, the focus widget, its mnemonics and
// its key bindings.
void sendKey(Gtk::Window& win, GdkEventType type, guint keyval, guint state = 0);

}  // namespace larkspan::testing
