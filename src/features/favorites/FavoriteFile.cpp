#include "features/favorites/FavoriteFile.hpp"

#include <glib.h>

#include <algorithm>
#include <system_error>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"

namespace larkspan::favorites {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderKey = "FOLDER=";
constexpr std::string_view kTitleKey = "TITLE=";
constexpr std::string_view kUrlKey = "URL=";
constexpr std::string_view kExtension = ".fav";

constexpr std::size_t kLongestCaption = 40;
constexpr std::size_t kCutCaption = 37;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The file-name order the menu and the organizer share: case folded, then as written so
// that two names differing only in case keep one order.
bool beforeIgnoringCase(const std::string& a, const std::string& b) {
    gchar* fa = g_utf8_casefold(a.c_str(), static_cast<gssize>(a.size()));
    gchar* fb = g_utf8_casefold(b.c_str(), static_cast<gssize>(b.size()));
    const int order = std::string_view(fa).compare(fb);
    g_free(fa);
    g_free(fb);
    return order != 0 ? order < 0 : a < b;
}

}  // namespace

fs::path folderPath() {
    return paths::dataDir() / "Favorites";
}

std::vector<std::string> listFiles(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= kExtension.size()) continue;
        if (name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
            continue;
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), beforeIgnoringCase);
    return names;
}

Favorite parse(const std::vector<std::string>& fields) {
    Favorite f;
    for (const std::string& line : fields) {
        if (startsWith(line, kFolderKey)) {
            f.folder = line.substr(kFolderKey.size());
        } else if (startsWith(line, kTitleKey)) {
            f.title = line.substr(kTitleKey.size());
        } else if (startsWith(line, kUrlKey)) {
            f.url = line.substr(kUrlKey.size());
        }
    }
    return f;
}

Favorite readFavorite(const fs::path& file) {
    std::vector<std::string> fields;
    LoadListFromFile(fields, file, true);
    return parse(fields);
}

std::optional<std::string> readFirstTitle(const fs::path& file) {
    std::vector<std::string> lines;
    LoadAddressList(file, lines);
    for (const std::string& line : lines) {
        if (startsWith(line, kTitleKey)) return line.substr(kTitleKey.size());
    }
    return std::nullopt;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

std::string firstCharacters(const std::string& text, std::size_t count) {
    // Counted by hand rather than with GLib's, which stops at a NUL character.
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (seen == count) return text.substr(0, i);
        ++seen;
    }
    return text;
}

std::string cutTitle(const std::string& title) {
    if (characterCount(title) <= kLongestCaption) return title;
    return firstCharacters(title, kCutCaption) + "...";
}

bool writeFavorite(const fs::path& file, const Favorite& favorite, std::string_view folderKey) {
    return RewriteListFile(
        {std::string(folderKey) + favorite.folder, std::string(kTitleKey) + favorite.title,
         std::string(kUrlKey) + favorite.url},
        file);
}

bool renameFavorite(const fs::path& file, const std::string& title) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return false;
    std::vector<std::string> lines;
    if (!LoadAddressList(file, lines)) return false;
    std::string folderLine;
    std::string urlLine;
    for (const std::string& line : lines) {
        if (startsWith(line, kFolderKey)) folderLine = line;
        if (startsWith(line, kUrlKey)) urlLine = line;
    }
    return RewriteListFile({folderLine, std::string(kTitleKey) + title, urlLine}, file);
}

bool exists(const fs::path& folder, const std::string& title) {
    std::error_code ec;
    return fs::exists(folder / (title + std::string(kExtension)), ec);
}

}  // namespace larkspan::favorites
