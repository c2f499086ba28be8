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

void registerPopups(ShellContext& context, Gtk::Application&) {
    WindowRegistry& windows = context.windows();
    windows.define("Form2", kNoticePlace, [&context] { return makeNotice(context); });
    windows.define("frmBlockedLog", kBlockedLogPlace,
                   [&context] { return makeBlockedLogWindow(context); });
    context.signalPageOpened().connect(
        [&context](frmBrowser& window, Page& page) { popups::attach(context, window, page); });
}

}  // namespace larkspan
