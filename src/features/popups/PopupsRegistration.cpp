#include "features/popups/PopupsRegistration.hpp"

#include "features/popups/Form2.hpp"
#include "features/popups/PopupBlocker.hpp"
#include "features/popups/frmBlockedLog.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

void registerPopups(ShellContext& context, Gtk::Application& app) {
    WindowRegistry& windows = context.windows();
    windows.define("Form2", [&context] { return makeNotice(context); });
    windows.define("frmBlockedLog", [&context] { return makeBlockedLogWindow(context); });
    // The log, owned by the first main window ("View Log" of the options dialog).
    app.add_action("view-blocked-log", [&context] {
        Gtk::Window* log = context.windows().touch("frmBlockedLog");
        if (!log) return;
        if (Gtk::Window* owner = context.ownerWindow()) log->set_transient_for(*owner);
        log->present();
    });
    context.signalPageOpened().connect(
        [&context](frmBrowser&, Page& page) { popups::attach(context, page); });
}

}  // namespace larkspan
