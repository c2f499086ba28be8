#include "features/history/HistoryRegistration.hpp"

#include "features/history/frmHistory.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {
// Closes after the lock dialog and the favorites organizer.
}  // namespace

void registerHistory(ShellContext& context, Gtk::Application&) {
    context.windows().define("frmHistory", [&context] { return makeHistoryWindow(context); });
    // Shown modeless, owned by the first main window, from any main window.
    context.commands().define("history", [&context](frmBrowser&) {
        Gtk::Window* history = context.windows().touch("frmHistory");
        if (!history) return;
        if (Gtk::Window* owner = context.ownerWindow()) history->set_transient_for(*owner);
        history->present();
    });
}

}  // namespace larkspan
