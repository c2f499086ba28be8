#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The popup blocker on every main window, the blocked-popup log window and the notice.
void registerPopups(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
