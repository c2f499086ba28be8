#include "features/source/SourceRegistration.hpp"

#include "features/source/frmSource.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

void registerSource(ShellContext& context, Gtk::Application& app) {
    context.windows().define("frmSource", [&context] { return makeSourceWindow(context); });
    context.commands().define(
        "source", [&context](frmBrowser& window) { showSourceWindow(context, window); });
    app.set_accels_for_action("win.source", {"<Control>u"});
}

}  // namespace larkspan
