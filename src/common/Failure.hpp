#pragma once

// What a handler does with a failure it cannot let escape: it says on stderr what failed
// and why, so that a user's report can show it, and the program goes on.

namespace larkspan {

// Call from inside a catch block: writes a warning naming `what` (the step that failed, as
// "drawing a styled button") and the exception's own message when it carries one. Never
// throws; a warning that cannot be put together is left out.
void reportFailure(const char* what) noexcept;

}  // namespace larkspan
