#pragma once

// What the lock dialog shows, apart from its widgets: which of its ten buttons are
// visible, whether the repeated-password box is, its layout and its caption. The action
// buttons lie on top of one another; an opener makes its own visible, and Enter in the
// password box runs the first visible button in the order of `PasswordButton`.

#include <array>
#include <optional>
#include <string>

namespace larkspan::locks {

// Declared in the order Enter tries them.
enum class PasswordButton {
    EnableEmailSend,
    EnableEmailRead,
    UnlockFav,
    UnlockHis,
    UnlockOpt,
    ChgPass,
    UnlockPass,
    DeleteHis,
    Enable,
    EnableBrowser,
};
inline constexpr std::size_t kPasswordButtonCount = 10;

class LockDialogState {
  public:
    // Normal: the password box with the action button beside it. Change password: both
    // boxes and "Set Password", in a window too narrow to show the action buttons.
    enum class Layout { Normal, ChangePassword };

    // The dialog as its load leaves it: every button hidden, and the change-password
    // layout when no password is set.
    explicit LockDialogState(bool passwordSet);

    bool visible(PasswordButton b) const { return visible_[index(b)]; }
    void setVisible(PasswordButton b, bool visible) { visible_[index(b)] = visible; }
    bool repeatBoxVisible() const { return repeatBoxVisible_; }
    Layout layout() const { return layout_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    // Switches to the change-password layout: the repeated-password box and "Set
    // Password" shown, caption "Change Password", the buttons of the opening guards hidden.
    void changePasswordLayout();

    // The button Enter in the password box runs; none when no button is visible.
    std::optional<PasswordButton> enterTarget() const;

  private:
    static std::size_t index(PasswordButton b) { return static_cast<std::size_t>(b); }
    void hideOpeners();

    std::array<bool, kPasswordButtonCount> visible_{};
    bool repeatBoxVisible_ = false;
    Layout layout_ = Layout::Normal;
    std::string caption_ = "Password Lock";
};

}  // namespace larkspan::locks
