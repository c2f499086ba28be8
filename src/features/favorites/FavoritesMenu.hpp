#pragma once

// The favorites entries of one main window's "Favorites" menu (`mnuFavoriteT`): the model
// of the entries and the menu items that show it. Every main window has its own, made on
// first use and gone with the window. The items are made when the menu first opens (or an
// item is asked for), not at start-up: a folder of thousands of favorites would otherwise
// cost every new window the time to make thousands of menu items.

#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>

#include <filesystem>
#include <vector>

#include "features/favorites/FavoritesMenuModel.hpp"

namespace larkspan {
class frmBrowser;
}

namespace larkspan::favorites {

class FavoritesMenu : public sigc::trackable {
  public:
    explicit FavoritesMenu(frmBrowser& window);

    // The menu of `window`, made on first use.
    static FavoritesMenu& of(frmBrowser& window);

    const FavoritesMenuModel& model() const { return model_; }
    // The item of entry `index` (null when there is none), made now if need be.
    Gtk::MenuItem* item(std::size_t index);

    // Builds the menu from the folder's files, captions cut (the start-up build).
    void LoadFavoritesMenu(const std::filesystem::path& folder);
    // Adds a last entry (a favorite just added).
    void append(MenuEntry entry);
    // Replaces the entries by `favorites`, captions uncut (the organizer's Close).
    void rebuild(const std::vector<Favorite>& favorites);

    // Navigates the window's page to the address of entry `Index`; an entry without an
    // address goes nowhere.
    void mnuFavoriteT_Click(int Index);

  private:
    // Makes the items show the model once the menu has opened; until then they wait.
    void show();
    // Makes the items show the model: entry 0 is the window's own item, the others are
    // made or dropped as the model grows or shrinks.
    void sync();

    frmBrowser& window_;
    Gtk::Menu* menu_ = nullptr;
    FavoritesMenuModel model_;
    std::vector<Gtk::MenuItem*> items_;
    bool opened_ = false;
    bool pending_ = false;
};

}  // namespace larkspan::favorites
