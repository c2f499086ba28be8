// Bookmarks written as favorites.
#include "common/Paths.hpp"
#include "features/favorites/AddFavorite.hpp"
#include "features/favorites/Bookmarks.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/ShortcutImport.hpp"

namespace larkspan::favorites {

namespace {

std::string safeName(const std::string& text) {
    std::string out;
    for (char c : text) {
        const std::string one(1, c);
        out += acceptableTitle(one) || c == '.' ? c : '_';
    }
    return cutTitle(out);
}

}  // namespace

std::string titleForFile(const Bookmark& bookmark) {
    std::string title = safeName(bookmark.title);
    if (title.find_first_not_of(". ") == std::string::npos) title = safeName(bookmark.url);
    return title;
}

int writeBookmarks(const std::vector<Bookmark>& bookmarks, const std::filesystem::path& target) {
    paths::ensureDir(target);
    int written = 0;
    for (const Bookmark& b : bookmarks) {
        if (b.url.empty()) continue;
        if (writeImported(target, titleForFile(b), b.url)) ++written;
    }
    return written;
}

}  // namespace larkspan::favorites
