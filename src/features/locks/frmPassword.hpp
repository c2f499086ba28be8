#pragma once

// The lock dialog "Password Lock": one password box and, lying on top of one another
// beside it, the action buttons of the guarded commands; a guard makes its own button
// visible. After the right password the button runs its action and, mostly, closes the
// dialog; Cancel, Escape or the close box close it without. With no password set the
// dialog opens in the change-password layout.

#include <gtkmm.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "features/locks/LockDialogState.hpp"
#include "shell/Guards.hpp"

namespace larkspan {

class ShellContext;
class StyledButton;
class frmBrowser;

class frmPassword : public Gtk::Window, public locks::LockDialog {
  public:
    frmPassword(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                ShellContext& context);
    ~frmPassword() override;

    // ---- Controls, by their names.
    Gtk::Entry* Text1 = nullptr;      // the password
    Gtk::Entry* Text2 = nullptr;      // the repeated new password
    Gtk::Label* lblPrompt = nullptr;  // what the boxes ask for
    StyledButton* Cancel = nullptr;
    StyledButton* button(locks::PasswordButton b) const;
    const locks::LockDialogState& state() const { return state_; }

    // ---- LockDialog.
    void reveal(locks::Unlock action, frmBrowser* origin, std::function<void()> proceed) override;
    void conceal(locks::Unlock action) override;

    // ---- Events.
    // Enter in the password box: the first visible button in the dispatch order.
    void Text1_Enter();
    void click(locks::PasswordButton b);
    // Cancel, Escape and the close box: the dialog closes, the guarded action not run.
    void Cancel_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

  private:
    void showState();
    bool rightPassword() const;
    // "Invalid Password!"; with `refocus`, the focus goes back to the password box.
    void refuse(bool refocus);
    // Shows the shared window `name` modeless, owned by the first main window.
    void showShared(const char* name);
    void runProceed(locks::PasswordButton b);
    void UnlockPass_Right();
    void DeleteHis_Right();
    void Enable_Right();
    void EnableBrowser_Click();
    void ChgPass_Click();
    // Unloads the dialog once the running handler has returned.
    void closeLater();
    // Enables again the main windows a wrong web password disabled.
    void enableHeldWindows();

    // A main window held back by a guard; `get` turns null once the window is gone.
    struct HeldWindow {
        bool given = false;
        sigc::slot<frmBrowser*()> get;
        frmBrowser* window() const;
        bool gone() const { return given && !window(); }
    };
    static HeldWindow hold(frmBrowser* window);

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Gtk::Layout* Frame = nullptr;
    std::array<StyledButton*, locks::kPasswordButtonCount> buttons_{};
    locks::LockDialogState state_;
    // Per button: the window its guard held back and the command to run once unlocked.
    std::array<HeldWindow, locks::kPasswordButtonCount> origins_{};
    std::array<std::function<void()>, locks::kPasswordButtonCount> proceed_{};
    std::vector<HeldWindow> disabled_;
};

// Makes the lock dialog (hidden, its load steps run); the registry's factory.
std::unique_ptr<Gtk::Window> makePasswordDialog(ShellContext& context);

}  // namespace larkspan
