#pragma once

#include <string>
#include <vector>

#include "features/visits/VisitStore.hpp"

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The visit history: every page the user goes to in a normal window is kept, offered again
// in the address box's suggestions, and listed by day in the Browsing History window
// (History > Show All History, Ctrl+Shift+H).
void registerVisits(ShellContext& context, Gtk::Application& app);

namespace visits {

class VisitHistory;

// The run's visit history; null before registerVisits.
VisitHistory* historyOf(Gtk::Application& app);

// For clearing browsing data: removes every visit made at or after `since` (microseconds
// since 1970 UTC; 0 or less removes them all). False when the history could not be changed.
bool clearVisitsSince(Gtk::Application& app, TimePoint since);
// The addresses typed in the address box at or after `since`.
std::vector<std::string> addressesTypedSince(Gtk::Application& app, TimePoint since);

}  // namespace visits

}  // namespace larkspan
