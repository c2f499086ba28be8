#pragma once

// The time panel of the status bar shows the time of day as the user's locale writes it:
// hours and minutes, on a 12-hour clock with the locale's AM and PM where the locale's own
// time format is a 12-hour one, on a 24-hour clock elsewhere.

#include <string>
#include <string_view>

namespace larkspan {

// The panel's format (for Glib::DateTime::format) for a locale whose time format is
// `localeTimeFormat` (as nl_langinfo(T_FMT) gives it, "%r" or "%H:%M:%S" for instance).
std::string clockTimeFormat(std::string_view localeTimeFormat);

// The time format of the locale the program runs in.
std::string localeTimeFormat();

}  // namespace larkspan
