#pragma once

namespace larkspan {

class ShellContext;

// Clears the typed-address history: "history.txt" is replaced by an empty file and every
// main window's typed-address list is emptied. False when the file could not be emptied.
bool clearTypedHistory(ShellContext& context);

}  // namespace larkspan
