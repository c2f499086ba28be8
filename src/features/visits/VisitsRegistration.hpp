#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The visit history: every page the user goes to in a normal window is kept, offered again
// in the address box's suggestions, and listed by day in the Browsing History window
// (History > Show All History, Ctrl+Shift+H).
void registerVisits(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
