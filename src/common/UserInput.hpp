#pragma once

namespace larkspan {

// Whether the event being handled now is the user's mouse or keyboard, as opposed to a
// change a widget makes by itself (a list selecting its first row when it takes the focus).
bool handlingUserInput();

}  // namespace larkspan
