// The options dialog's "Password Lock" page.
#include "common/Dialogs.hpp"
#include "controls/StyledButton.hpp"
#include "shell/Guards.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

PassLockPage::PassLockPage(frmOptions& dialog) : OptionsPage(dialog, "PassLock") {
    Enable = button("Enable", "Unlock");
    Enable->signal_click().connect(sigc::mem_fun(*this, &PassLockPage::Enable_Click));
    button("ChgPass", "Change Password")
        ->signal_click()
        .connect(sigc::mem_fun(*this, &PassLockPage::ChgPass_Click));
    button("ApplyChgs", "Apply Changes")
        ->signal_click()
        .connect(sigc::mem_fun(*this, &PassLockPage::ApplyChgs_Click));
    // The lockables can be changed only once the lock dialog has unlocked them.
    Frame13 = get<Gtk::Frame>("Frame13");
    Frame13->set_sensitive(false);
    LockFavorites1 = get<Gtk::CheckButton>("LockFavorites1");
    LockFavorites1->signal_toggled().connect(
        sigc::mem_fun(*this, &PassLockPage::LockFavorites1_Click));
}

void PassLockPage::show() {
    LockFavorites1->set_active(lockFavoritesHidden_);
}

void PassLockPage::LockFavorites1_Click() {
    if (LockFavorites1->get_active() == lockFavoritesHidden_) return;
    lockFavoritesHidden_ = LockFavorites1->get_active();
    locks::holdBack(ctx_, "organize-favorites");
    dialog_.markDirty();
}

void PassLockPage::Enable_Click() {
    if (Enable->caption() == "Unlock") {
        if (locks::showLockDialog(ctx_, locks::Unlock::Enable)) dialog_.hide();
    } else if (Enable->caption() == "Lock") {
        Frame13->set_sensitive(false);
        Enable->setCaption("Unlock");
    }
}

void PassLockPage::unlockLockables() {
    Frame13->set_sensitive(true);
    Enable->setCaption("Lock");
}

void PassLockPage::ChgPass_Click() {
    // The password is asked above this dialog, which stays open behind it.
    locks::showLockDialog(ctx_, locks::Unlock::UnlockPass, locks::CaptionOn::None, {}, nullptr, {},
                          &dialog_);
}

void PassLockPage::ApplyChgs_Click() {
    model().writeLocks(ctx_.settings());
    ctx_.dialogs().message(&dialog_,
                           "Locked the Selected boxes, Unlocks may require Restart of Larkspan!",
                           "Larkspan", Dialogs::Buttons::Ok, Dialogs::Icon::None,
                           [alive = dialog_.aliveToken(), this](Dialogs::Answer) {
                               if (alive.expired()) return;
                               dialog_.returningFromDialog();
                               dialog_.present();
                           });
}

}  // namespace larkspan
