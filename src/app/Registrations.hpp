#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Lets the shell and every feature register what they add to the program: their shared
// windows with their places in the closing order, their commands and their shortcuts.
void registerAll(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
