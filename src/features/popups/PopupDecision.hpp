#pragma once

// What the popup blocker does with a page's request for a new window, by the mode chosen
// in the options: refuse it (counted, perhaps logged, perhaps with the notice), or allow it
// into a new main window or the user's default browser. Plain rules, no windows.

#include <optional>
#include <string>
#include <string_view>

#include "settings/OptionsModel.hpp"

namespace larkspan::popups {

// The popup target that keeps allowed popups in this program.
inline constexpr std::string_view kOwnTarget = "Larkspan";

enum class Route {
    Refuse,          // no window opens
    NewWindow,       // a new main window hosts the popup
    DefaultBrowser,  // the user's default browser opens the address; refused here
};

struct Outcome {
    Route route = Route::Refuse;
    bool counted = false;  // the blocked counter grows by one
    bool logged = false;   // the requesting page's address joins the log
    bool notice = false;   // the notice is shown
};

// True when the mode asks the user first.
bool asksUser(OptionsModel::PopupMode mode);

// The outcome of one request. `allowedByUser` is the answer to the question (only
// consulted when the mode asks); `logOn` the log switch; `target` the popup target.
Outcome decide(OptionsModel::PopupMode mode, std::optional<bool> allowedByUser, bool logOn,
               std::string_view target);

// The counter after one more refusal: the text read as a whole decimal number, plus one.
// Text that is not such a number (or one that would overflow) comes back unchanged.
std::string nextBlockedCount(std::string_view counter);

}  // namespace larkspan::popups
