#pragma once

#include <functional>

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Registers what the shell adds to the program: the options dialog and the font chooser,
// with their places in the closing order, and the shortcuts of the main window's commands.
void registerShell(ShellContext& context, Gtk::Application& app);

// Makes closing the options dialog drop the options it did not apply: the model takes the
// stored values again at once (unless `ending` says the program is ending), and every window
// that showed a tried value follows it.
void dropUnappliedOptionsOnClose(ShellContext& context, std::function<bool()> ending);

}  // namespace larkspan
