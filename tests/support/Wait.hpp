#pragma once

#include <functional>

namespace larkspan::test {

// Runs the default GLib main context until `condition` holds or `timeoutMs` milliseconds
// have passed; true when the condition held. Blocks in the main loop between events, so
// nothing is polled with fixed sleeps.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

}  // namespace larkspan::test
