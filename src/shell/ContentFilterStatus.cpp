#include "shell/ContentFilterStatus.hpp"

#include <glib.h>

#include <filesystem>

namespace larkspan {

std::string describe(const FilterListStatus& list) {
    std::string text = std::filesystem::path(list.path).filename().string() + ": ";
    if (list.counted) {
        text += std::to_string(list.rules) + " rules";
        if (list.skipped > 0) text += " (" + std::to_string(list.skipped) + " skipped)";
    } else {
        text += "being compiled";
    }
    if (GDateTime* date = g_date_time_new_from_unix_local(list.modified)) {
        gchar* day = g_date_time_format(date, "%Y-%m-%d");
        text += std::string(", ") + day;
        g_free(day);
        g_date_time_unref(date);
    }
    return text;
}

}  // namespace larkspan
