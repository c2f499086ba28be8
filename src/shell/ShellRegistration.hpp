#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Registers what the shell adds to the program: the options dialog and the font chooser,
// with their places in the closing order, and the shortcuts of the main window's commands.
void registerShell(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
