#include "features/locks/LocksRegistration.hpp"

#include "features/locks/frmPassword.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {
// The lock dialog closes first of all shared windows.
}  // namespace

void registerLocks(ShellContext& context, Gtk::Application&) {
    context.windows().define("frmPassword", [&context] { return makePasswordDialog(context); });
}

}  // namespace larkspan
