#include "common/UserInput.hpp"

#include <gtk/gtk.h>

namespace larkspan {

bool handlingUserInput() {
    GdkEvent* event = gtk_get_current_event();
    if (!event) return false;
    GdkEventType type = event->type;
    gdk_event_free(event);
    return type == GDK_BUTTON_PRESS || type == GDK_BUTTON_RELEASE || type == GDK_KEY_PRESS;
}

}  // namespace larkspan
