#pragma once

// Private main windows: their pages keep cookies, cache and site data in memory only, in a
// session shared by the private windows open at the time, and the window writes nothing
// about what it shows.

#include <string>

namespace Gtk {
class Toolbar;
}

namespace larkspan {

class ShellContext;
class frmBrowser;

// Opens and shows a private main window on `address`, or on the home page when it is empty.
frmBrowser& openPrivateWindow(ShellContext& context, const std::string& address);

// What ends a main window's caption.
const char* captionSuffix(bool isPrivate);

// Marks a private window's toolbar: a style class of its own and a "Private" sign at its end.
void markPrivateToolbar(Gtk::Toolbar& toolbar);

}  // namespace larkspan
