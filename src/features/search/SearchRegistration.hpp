#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Wires the search box of every main window as it is made.
void registerSearch(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
