#pragma once

// The password locks, applied in one place: each guarded command has one row in the table
// of guards, and every way of starting the command asks `holdBack` before it acts.

#include <string>
#include <string_view>

namespace larkspan {
class ShellContext;
class OptionsModel;
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

// The guard of `command`: when its lock is on, the lock dialog opens as its row says and
// the answer is true (the command does not run now; the dialog runs it after the right
// password). False when the command may run.
bool holdBack(ShellContext& context, std::string_view command);

// Shows the lock dialog modeless, owned by the first main window, with the button for
// `action` made visible and `caption` on the window `captionOn` names. False when the
// program has no lock dialog to show.
bool showLockDialog(ShellContext& context, Unlock action, CaptionOn captionOn = CaptionOn::None,
                    const std::string& caption = {});

}  // namespace larkspan::locks
