#include "features/favorites/ShortcutImport.hpp"

#include <glib.h>

#include <algorithm>
#include <deque>
#include <system_error>
#include <vector>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"
#include "features/favorites/FavoriteFile.hpp"

namespace larkspan::favorites {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kShortcutExtension = ".url";
// The address buffer of the shortcut reader holds 255 characters with its end mark.
constexpr std::size_t kLongestAddress = 254;

std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

bool sameIgnoringCase(const std::string& a, std::string_view b) {
    return g_ascii_strncasecmp(a.c_str(), b.data(), std::max(a.size(), b.size())) == 0 &&
           a.size() == b.size();
}

bool endsWith(const std::string& name, std::string_view suffix) {
    return name.size() >= suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The key's value in the lines of a shortcut file, or `fallback`.
std::string urlOfLines(const std::vector<std::string>& lines, const std::string& fallback) {
    bool inSection = false;
    for (const std::string& raw : lines) {
        const std::string line = trim(raw);
        if (!line.empty() && line.front() == '[') {
            const auto close = line.find(']');
            inSection = close != std::string::npos &&
                        sameIgnoringCase(trim(line.substr(1, close - 1)), "InternetShortcut");
            continue;
        }
        if (!inSection) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || !sameIgnoringCase(trim(line.substr(0, eq)), "URL")) continue;
        std::string value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return firstCharacters(value, kLongestAddress);
    }
    return fallback;
}

// `title` followed by `suffix`, the title giving up characters at its end when both would
// not name a file.
std::string fitted(const std::string& title, const std::string& suffix) {
    std::size_t room = kLongestTitleBytes - suffix.size();
    if (title.size() <= room) return title + suffix;
    while (room > 0 && (static_cast<unsigned char>(title[room]) & 0xC0) == 0x80) --room;
    return title.substr(0, room) + suffix;
}

// The first of `title`, "<title> (2)", "<title> (3)", ... whose file `target` does not hold.
std::string freeTitle(const fs::path& target, const std::string& title) {
    std::string name = fitted(title, "");
    for (int n = 2; exists(target, name); ++n) name = fitted(title, " (" + std::to_string(n) + ")");
    return name;
}

}  // namespace

std::string ReadURL(const fs::path& shortcut, const std::string& fallback) {
    std::error_code ec;
    if (!fs::is_regular_file(shortcut, ec)) return fallback;
    std::vector<std::string> lines;
    if (!LoadAddressList(shortcut, lines)) return fallback;
    return urlOfLines(lines, fallback);
}

std::string parseURL(std::string_view bytes, const std::string& fallback) {
    return urlOfLines(listfile::parseAddressLines(bytes), fallback);
}

bool writeImported(const fs::path& target, const std::string& title, const std::string& address) {
    if (title.empty()) return false;
    const std::string name = freeTitle(target, title);
    return writeFavorite(target / (name + ".fav"), {"", name, address}, "Folder=");
}

int importShortcuts(const fs::path& source, const fs::path& target) {
    int written = 0;
    std::deque<fs::path> pending{source};
    while (!pending.empty()) {
        const fs::path folder = pending.front();
        pending.pop_front();
        paths::ensureDir(target);

        std::vector<fs::directory_entry> entries;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(*it);
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.path().filename() < b.path().filename();
        });

        for (const fs::directory_entry& entry : entries) {
            const std::string name = entry.path().filename().string();
            std::error_code typeEc;
            if (endsWith(name, kShortcutExtension)) {
                const std::string title = name.substr(0, name.size() - kShortcutExtension.size());
                if (writeImported(target, title, ReadURL(entry.path(), ""))) ++written;
            } else if (entry.is_directory(typeEc) && !entry.is_symlink(typeEc)) {
                // A link to a folder is not followed, so a tree that loops ends.
                pending.push_back(entry.path());
            }
        }
    }
    return written;
}

}  // namespace larkspan::favorites
