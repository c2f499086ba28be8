#pragma once

// The password locks, applied in one place: each guarded command has one row in the table
// of guards, and every way of starting the command asks `holdBack` before it acts.

#include <functional>
#include <string>
#include <string_view>

namespace Gtk {
class Window;
}

namespace larkspan {
class ShellContext;
class OptionsModel;
class frmBrowser;
}  // namespace larkspan

namespace larkspan::locks {

// The lock flags, as the options model holds them (ticked on the Password Lock page).
enum class Lock { History, Options, Favorites, Email, Web };

bool isOn(const OptionsModel& options, Lock lock);

// The lock dialog's buttons, one per guarded action; the dialog runs the action after the
// right password, and each button knows what a wrong one does.
enum class Unlock {
    UnlockFav,
    UnlockHis,
    UnlockOpt,
    UnlockPass,
    EnableEmailRead,
    EnableEmailSend,
    EnableBrowser,
    DeleteHis,
    Enable,
};

// Where a guard's caption goes: nowhere, on the first main window, or on the lock dialog.
enum class CaptionOn { None, MainWindow, Dialog };

// One guarded command. `command` is the main window's action name, or the name of a guarded
// button elsewhere.
struct Guard {
    std::string_view command;
    Lock lock;
    Unlock button;
    CaptionOn captionOn;
    std::string_view caption;
    // A shared window hidden before the lock dialog opens (empty for none).
    std::string_view hideFirst;
    // With the lock off, the lock dialog is still made (hidden) before the command runs.
    bool prepareDialog;
};

// The row of `command`; nullptr when the command is not guarded.
const Guard* guardOf(std::string_view command);

// The lock dialog as the guards see it (the locks feature makes it).
class LockDialog {
  public:
    virtual ~LockDialog() = default;
    // Makes the button of `action` visible. `origin` is the main window whose command was
    // held back (null when none) and `proceed` that command, which the dialog runs after
    // the right password where its button calls for it.
    virtual void reveal(Unlock action, frmBrowser* origin, std::function<void()> proceed) = 0;
    virtual void conceal(Unlock action) = 0;
};

// The guard of `command`: when its lock is on, the lock dialog opens as its row says and
// the answer is true (the command does not run now; the dialog runs it after the right
// password). False when the command may run. `origin` and `proceed` are handed to the
// dialog (see LockDialog::reveal).
bool holdBack(ShellContext& context, std::string_view command, frmBrowser* origin = nullptr,
              std::function<void()> proceed = {});

// Shows the lock dialog modeless, owned by `origin` (the first main window when null),
// with the button for `action` made visible and `caption` on the window `captionOn` names.
// Opened by another dialog (`asker`), it belongs to that one instead and stays above it.
// False when the program has no lock dialog to show.
bool showLockDialog(ShellContext& context, Unlock action, CaptionOn captionOn = CaptionOn::None,
                    const std::string& caption = {}, frmBrowser* origin = nullptr,
                    std::function<void()> proceed = {}, Gtk::Window* asker = nullptr);

}  // namespace larkspan::locks
