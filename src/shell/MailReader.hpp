#pragma once

// "Check Mail": the user's mail program, which is the desktop's default handler of
// "mailto" addresses.

#include <giomm/appinfo.h>

namespace Gtk {
class Window;
}

namespace larkspan {

// The desktop's default mail program; null when none is chosen.
Glib::RefPtr<Gio::AppInfo> defaultMailReader();

// Starts `reader` without an address, so that it opens its inbox, on the display of
// `window` and with its start-up notification. Without a mail program the user is told
// that none is set up. False when nothing was started.
bool startMailReader(Gtk::Window& window, const Glib::RefPtr<Gio::AppInfo>& reader);

}  // namespace larkspan
