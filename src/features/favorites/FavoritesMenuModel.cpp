#include "features/favorites/FavoritesMenuModel.hpp"

namespace larkspan::favorites {

std::vector<std::string> FavoritesMenuModel::captions() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const MenuEntry& e : entries_) out.push_back(e.caption);
    return out;
}

void FavoritesMenuModel::load(const std::filesystem::path& folder) {
    entries_.assign(1, MenuEntry{});
    const std::vector<std::string> files = listFiles(folder);
    if (!files.empty()) entries_.clear();
    for (const std::string& name : files) {
        Favorite f = readFavorite(folder / name);
        entries_.push_back(MenuEntry{cutTitle(f.title), std::move(f.url)});
    }
}

void FavoritesMenuModel::append(MenuEntry entry) {
    entries_.push_back(std::move(entry));
}

void FavoritesMenuModel::rebuild(const std::vector<Favorite>& favorites) {
    entries_.assign(1, MenuEntry{});
    if (!favorites.empty()) entries_.clear();
    for (const Favorite& f : favorites) entries_.push_back(MenuEntry{f.title, f.url});
}

}  // namespace larkspan::favorites
