#pragma once

// The entries of a main window's favorites menu below its separator: entry 0 always
// exists (empty until a favorite fills it), entries 1, 2, ... follow without gaps. Each
// shows a caption and carries the favorite's address.

#include <filesystem>
#include <string>
#include <vector>

#include "features/favorites/FavoriteFile.hpp"

namespace larkspan::favorites {

struct MenuEntry {
    std::string caption;
    std::string address;
};

class FavoritesMenuModel {
  public:
    const std::vector<MenuEntry>& entries() const { return entries_; }
    std::vector<std::string> captions() const;

    // The start-up build: one entry per ".fav" file of `folder` in file-list order, the
    // caption being the title cut to 40 characters. An empty folder leaves entry 0 empty.
    void load(const std::filesystem::path& folder);
    // A favorite just added: a new last entry.
    void append(MenuEntry entry);
    // The organizer's rebuild: the entries become `favorites` with their titles uncut. An
    // empty list leaves entry 0 empty.
    void rebuild(const std::vector<Favorite>& favorites);

  private:
    std::vector<MenuEntry> entries_{MenuEntry{}};
};

}  // namespace larkspan::favorites
