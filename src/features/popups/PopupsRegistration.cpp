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

}  // namespace

void registerPopups(ShellContext& context, Gtk::Application&) {
    WindowRegistry& windows = context.windows();
    windows.define("Form2", [&context] { return makeNotice(context); });
    windows.define("frmBlockedLog", [&context] { return makeBlockedLogWindow(context); });
    context.signalBrowserMade().connect(
        [&context](frmBrowser& window) { popups::attach(context, window); });
}

}  // namespace larkspan
