#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The Help menu's commands (the update check, "What's New?", "Send Issue", "Visit Website",
// "About", also offered by the tray menu), the update window and the About box, and the
// update check of every main window's start-up.
void registerUpdate(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
