#include "features/locks/LockDialogState.hpp"

namespace larkspan::locks {

LockDialogState::LockDialogState(bool passwordSet) {
    hideOpeners();
    if (!passwordSet) changePasswordLayout();
}

void LockDialogState::hideOpeners() {
    for (PasswordButton b : {PasswordButton::UnlockHis, PasswordButton::UnlockFav,
                             PasswordButton::UnlockOpt, PasswordButton::EnableEmailRead,
                             PasswordButton::EnableEmailSend, PasswordButton::DeleteHis}) {
        setVisible(b, false);
    }
}

void LockDialogState::changePasswordLayout() {
    repeatBoxVisible_ = true;
    setVisible(PasswordButton::ChgPass, true);
    caption_ = "Change Password";
    layout_ = Layout::ChangePassword;
    hideOpeners();
}

std::optional<PasswordButton> LockDialogState::enterTarget() const {
    for (std::size_t i = 0; i < visible_.size(); ++i) {
        if (visible_[i]) return static_cast<PasswordButton>(i);
    }
    return std::nullopt;
}

}  // namespace larkspan::locks
