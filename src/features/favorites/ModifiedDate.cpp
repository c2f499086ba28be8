#include "features/favorites/ModifiedDate.hpp"

#include <glib.h>
#include <sys/stat.h>

namespace larkspan::favorites {

std::optional<std::string> modifiedLongDate(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return std::nullopt;
    GDateTime* when = g_date_time_new_from_unix_local(st.st_mtime);
    if (!when) return std::nullopt;
    gchar* text = g_date_time_format(when, "%A, %B %-d, %Y");
    g_date_time_unref(when);
    if (!text) return std::nullopt;
    std::string out(text);
    g_free(text);
    return out;
}

}  // namespace larkspan::favorites
