#include "shell/ClockFormat.hpp"

#include <langinfo.h>

namespace larkspan {

namespace {

// The conversions that write an hour of a 12-hour clock, or the whole 12-hour time.
bool isTwelveHour(std::string_view format) {
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') continue;
        std::size_t j = i + 1;
        // Flags and the alternative-digits modifiers may stand between.
        while (j < format.size() && (format[j] == '-' || format[j] == '_' || format[j] == '0' ||
                                     format[j] == 'E' || format[j] == 'O')) {
            ++j;
        }
        if (j >= format.size()) break;
        char c = format[j];
        if (c == 'I' || c == 'l' || c == 'r') return true;
        // "%%" is a literal percent sign: skip both.
        i = j;
    }
    return false;
}

}  // namespace

std::string clockTimeFormat(std::string_view localeTimeFormat) {
    return isTwelveHour(localeTimeFormat) ? "%-I:%M %p" : "%H:%M";
}

std::string localeTimeFormat() {
    const char* format = nl_langinfo(T_FMT);
    return format ? format : "";
}

}  // namespace larkspan
