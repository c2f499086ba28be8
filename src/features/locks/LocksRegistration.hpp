#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The lock dialog, first in the closing order.
void registerLocks(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
