#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The history window and the main windows' "history" command, which shows it.
void registerHistory(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
