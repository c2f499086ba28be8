#include "app/Registrations.hpp"

#include "shell/ShellRegistration.hpp"

namespace larkspan {

void registerAll(ShellContext& context, Gtk::Application& app) {
    registerShell(context, app);
}

}  // namespace larkspan
