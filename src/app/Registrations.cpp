#include "app/Registrations.hpp"

#include "features/history/HistoryRegistration.hpp"
#include "features/locks/LocksRegistration.hpp"
#include "shell/ShellRegistration.hpp"

namespace larkspan {

void registerAll(ShellContext& context, Gtk::Application& app) {
    registerShell(context, app);
    registerLocks(context, app);
    registerHistory(context, app);
}

}  // namespace larkspan
