#include "app/Registrations.hpp"

#include "features/update/UpdateRegistration.hpp"
#include "features/popups/PopupsRegistration.hpp"
#include "shell/ShellRegistration.hpp"

namespace larkspan {

void registerAll(ShellContext& context, Gtk::Application& app) {
    registerShell(context, app);
    registerUpdate(context, app);
    registerPopups(context, app);
}

}  // namespace larkspan
