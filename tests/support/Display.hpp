#pragma once

// The display every test with widgets shares: GTK started once, the main loop run until a
// condition holds, the pointer parked out of the way. Needs nothing of the program.

#include <functional>

namespace Gtk {
class Widget;
}

namespace larkspan::testing {

// Starts GTK once per process; lets the main loop run until nothing is pending.
void initGtk();
void drainEvents();
// Runs the main loop until `condition` holds or `timeoutMs` passes; true when it held.
bool runUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Moves the real pointer to the screen's bottom-right corner, away from every test window.
// The display gives the keyboard focus to the window under the pointer when no window holds
// it, so a pointer left over a window by an earlier test would decide which window is
// active; parked, it decides nothing.
void parkPointer();
// The widget named `name` in `root` (itself or a descendant, a container's internal
// children included); null when there is none.
Gtk::Widget* findNamed(Gtk::Widget& root, const char* name);

}  // namespace larkspan::testing
