#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Keeps the session of the program's main windows for as long as `app` lives.
void registerSession(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
