#include "features/locks/LocksRegistration.hpp"

#include "features/locks/frmPassword.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

void registerLocks(ShellContext& context, Gtk::Application&) {
    context.windows().define("frmPassword", [&context] { return makePasswordDialog(context); });
}

}  // namespace larkspan
