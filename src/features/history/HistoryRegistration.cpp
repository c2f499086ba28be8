#include "features/history/HistoryRegistration.hpp"

#include "features/history/frmHistory.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

void registerHistory(ShellContext& context, Gtk::Application& app) {
    context.windows().define("frmHistory", [&context] { return makeHistoryWindow(context); });
    // Shown modeless, owned by the first main window, from any main window and from the
    // options dialog ("app.view-history").
    auto show = [&context] {
        Gtk::Window* history = context.windows().touch("frmHistory");
        if (!history) return;
        if (Gtk::Window* owner = context.ownerWindow()) history->set_transient_for(*owner);
        history->present();
    };
    context.commands().define("history", [show](frmBrowser&) { show(); });
    app.set_accels_for_action("win.history", {"<Control>h"});
    app.add_action("view-history", show);
}

}  // namespace larkspan
