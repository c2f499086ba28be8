#pragma once

#include <string>

namespace larkspan {
class ShellContext;
}

namespace larkspan::locks {

// The lock flags, as the options model holds them (ticked on the Password Lock page).
bool webLocked(ShellContext& context);
bool historyLocked(ShellContext& context);
bool favoritesLocked(ShellContext& context);
bool optionsLocked(ShellContext& context);
bool emailLocked(ShellContext& context);

// The lock dialog's buttons, one per guarded action; the dialog runs the action after the
// right password.
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

// Shows the lock dialog modeless, owned by the first main window, with the button for
// `action` made visible and, when given, `caption` as the main window's caption. False
// when the program has no lock dialog to show.
bool showLockDialog(ShellContext& context, Unlock action, const std::string& caption = {});

}  // namespace larkspan::locks
