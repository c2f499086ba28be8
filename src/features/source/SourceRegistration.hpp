#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The page source window and the main window's "source" command.
void registerSource(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
