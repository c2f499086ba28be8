#include "features/locks/LocksRegistration.hpp"

#include "features/locks/frmPassword.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {
// The lock dialog closes first of all shared windows.
constexpr int kLockDialogPlace = 10;
}  // namespace

void registerLocks(ShellContext& context, Gtk::Application&) {
    context.windows().define("frmPassword", kLockDialogPlace,
                             [&context] { return makePasswordDialog(context); });
}

}  // namespace larkspan
