#include "shell/Guards.hpp"

#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::locks {

bool webLocked(ShellContext& context) {
    return context.options().lockBrowser;
}
bool historyLocked(ShellContext& context) {
    return context.options().lockHistory;
}
bool favoritesLocked(ShellContext& context) {
    return context.options().lockFavorites;
}
bool optionsLocked(ShellContext& context) {
    return context.options().lockOptions;
}
bool emailLocked(ShellContext& context) {
    return context.options().lockEmail;
}

bool showLockDialog(ShellContext& app, Unlock action, const std::string& caption) {
    Gtk::Window* dialog = app.windows().touch("frmPassword");
    if (!dialog) return false;
    dialog->set_data("larkspan-unlock-action",
                     reinterpret_cast<void*>(static_cast<std::intptr_t>(action) + 1));
    if (frmBrowser* first = app.firstWindow()) {
        dialog->set_transient_for(*first);
        if (!caption.empty()) first->set_title(caption);
    }
    dialog->present();
    return true;
}

}  // namespace larkspan::locks
