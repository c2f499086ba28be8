#include "shell/Guards.hpp"

#include <array>
#include <memory>

#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::locks {

namespace {

constexpr const char* kLockDialog = "frmPassword";

// Every guarded command. The toolbar's Options button and the Tools menu's Options item
// differ only in the caption the toolbar puts on the main window.
constexpr std::array<Guard, 10> kGuards{{
    {"options", Lock::Options, Unlock::UnlockOpt, CaptionOn::None, "", "", false},
    {"toolbar-options", Lock::Options, Unlock::UnlockOpt, CaptionOn::MainWindow, "Unlock Options",
     "", false},
    {"history", Lock::History, Unlock::UnlockHis, CaptionOn::MainWindow, "Unlock History", "",
     false},
    {"view-history", Lock::History, Unlock::UnlockHis, CaptionOn::None, "", "", false},
    {"clear-history", Lock::History, Unlock::DeleteHis, CaptionOn::None, "", "frmHistory", false},
    {"favorites", Lock::Favorites, Unlock::UnlockFav, CaptionOn::None, "", "", false},
    {"organize-favorites", Lock::Favorites, Unlock::UnlockFav, CaptionOn::Dialog,
     "Unlock Favorites", "", false},
    {"check-mail", Lock::Email, Unlock::EnableEmailRead, CaptionOn::MainWindow, "Unlock Check Mail",
     "", false},
    {"send-mail", Lock::Email, Unlock::EnableEmailSend, CaptionOn::MainWindow, "Unlock Send Mail",
     "", false},
    {"address-enter", Lock::Web, Unlock::EnableBrowser, CaptionOn::Dialog, "Unlock Larkspan", "",
     true},
}};

// A guard's caption on a main window lasts while the lock dialog is up: once the dialog
// has gone (unlocked, cancelled or closed), the window shows its own caption again.
void showGuardCaption(ShellContext& context, Gtk::Window& dialog, frmBrowser& owner,
                      const std::string& caption) {
    WindowLocks& locks = context.locks();
    locks.showCaption(owner, caption);
    auto once = std::make_shared<sigc::connection>();
    *once = dialog.signal_hide().connect(sigc::track_obj(
        [&locks, &owner, once] {
            once->disconnect();
            locks.clearCaption(owner);
        },
        owner));
}

}  // namespace

bool isOn(const OptionsModel& o, Lock lock) {
    switch (lock) {
        case Lock::History:
            return o.lockHistory;
        case Lock::Options:
            return o.lockOptions;
        case Lock::Favorites:
            return o.lockFavorites;
        case Lock::Email:
            return o.lockEmail;
        case Lock::Web:
            return o.lockBrowser;
    }
    return false;
}

const Guard* guardOf(std::string_view command) {
    for (const Guard& g : kGuards) {
        if (g.command == command) return &g;
    }
    return nullptr;
}

bool holdBack(ShellContext& context, std::string_view command, frmBrowser* origin,
              std::function<void()> proceed) {
    const Guard* g = guardOf(command);
    if (!g) return false;
    if (!isOn(context.options(), g->lock)) {
        if (g->prepareDialog) {
            auto* dialog = dynamic_cast<LockDialog*>(context.windows().touch(kLockDialog));
            if (dialog) dialog->conceal(g->button);
        }
        return false;
    }
    if (!g->hideFirst.empty()) {
        if (Gtk::Window* w = context.windows().find(std::string(g->hideFirst))) w->hide();
    }
    showLockDialog(context, g->button, g->captionOn, std::string(g->caption), origin,
                   std::move(proceed));
    return true;
}

bool showLockDialog(ShellContext& app, Unlock action, CaptionOn captionOn,
                    const std::string& caption, frmBrowser* origin, std::function<void()> proceed,
                    Gtk::Window* asker) {
    Gtk::Window* dialog = app.windows().touch(kLockDialog);
    if (!dialog) return false;
    frmBrowser* owner = origin ? origin : app.firstWindow();
    if (asker) {
        dialog->set_transient_for(*asker);
    } else if (owner) {
        dialog->set_transient_for(*owner);
    }
    dialog->present();
    if (auto* lock = dynamic_cast<LockDialog*>(dialog))
        lock->reveal(action, origin, std::move(proceed));
    if (captionOn == CaptionOn::MainWindow && owner)
        showGuardCaption(app, *dialog, *owner, caption);
    if (captionOn == CaptionOn::Dialog) dialog->set_title(caption);
    return true;
}

}  // namespace larkspan::locks
