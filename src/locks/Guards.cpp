#include "locks/Guards.hpp"

#include "app/Application.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::locks {

bool webLocked() {
    return Application::instance().options().LockBrowser;
}
bool historyLocked() {
    return Application::instance().options().LockHistory;
}
bool favoritesLocked() {
    return Application::instance().options().LockFavorites;
}
bool optionsLocked() {
    return Application::instance().options().LockOptions;
}
bool emailLocked() {
    return Application::instance().options().LockEmail;
}

bool showLockDialog(Unlock action, const std::string& caption) {
    auto& app = Application::instance();
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
