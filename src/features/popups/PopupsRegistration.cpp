#include "features/popups/PopupsRegistration.hpp"

#include "features/popups/Form2.hpp"
#include "features/popups/PopupBlocker.hpp"
#include "features/popups/frmBlockedLog.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {

// The notice closes after the font chooser and before the update notice; the log after
// the favorites importer, just before the options dialog.
constexpr int kNoticePlace = 70;
constexpr int kBlockedLogPlace = 100;

}  // namespace

void registerPopups(ShellContext& context, Gtk::Application& app) {
    WindowRegistry& windows = context.windows();
    windows.define("Form2", kNoticePlace, [&context] { return makeNotice(context); });
    windows.define("frmBlockedLog", kBlockedLogPlace,
                   [&context] { return makeBlockedLogWindow(context); });
    // The log, owned by the first main window ("View Log" of the options dialog).
    app.add_action("view-blocked-log", [&context] {
        Gtk::Window* log = context.windows().touch("frmBlockedLog");
        if (!log) return;
        if (Gtk::Window* owner = context.ownerWindow()) log->set_transient_for(*owner);
        log->present();
    });
    context.signalBrowserMade().connect(
        [&context](frmBrowser& window) { popups::attach(context, window); });
}

}  // namespace larkspan
