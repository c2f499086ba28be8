#pragma once

// The favorites entries of one main window's "Favorites" menu (`mnuFavoriteT`): the model
// of the entries and the menu items that show it. Every main window has its own, made with
// the window and gone with it.
//
// Up to a screenful of entries the menu lists them below its separator. A longer list is
// shown as groups, each a submenu captioned with its first and last title ("Alpha – Mango"),
// each holding up to a screenful of entries or of smaller groups, like the tabs of an
// address book: a menu taller than the screen can only be scrolled through an item at a
// time, and one item per favorite in a single menu would make a folder of thousands slow to
// open, and too tall for the window system. Items are made only when their menu first
// opens, so a new window pays nothing for its favorites until the menu is used.

#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "features/favorites/FavoritesMenuModel.hpp"
#include "settings/OptionsModel.hpp"

namespace larkspan {
class ShellContext;
class frmBrowser;
}  // namespace larkspan

namespace larkspan::favorites {

class FavoritesMenu : public sigc::trackable {
  public:
    // The most items one menu of favorites holds: entries, or groups of them.
    static constexpr std::size_t kScreenful = 40;

    // `options`, when given, is followed for the favorites lock, which hides entry 0.
    FavoritesMenu(frmBrowser& window, OptionsModel* options);
    ~FavoritesMenu();
    FavoritesMenu(const FavoritesMenu&) = delete;
    FavoritesMenu& operator=(const FavoritesMenu&) = delete;

    // Gives `window` its menu, following the context's options; done as the window is made.
    static void attach(frmBrowser& window, ShellContext& context);
    // The menu of `window`, made now if it has none yet.
    static FavoritesMenu& of(frmBrowser& window);
    // Reads the folder once and builds every main window's menu from it, as at start-up
    // (after the folder was filled from elsewhere).
    static void reloadAll(ShellContext& context);

    const FavoritesMenuModel& model() const { return model_; }
    // The item of entry `index` (null when there is none), made now, with the groups that
    // hold it, if need be.
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
    // One menu of favorites: the top menu or a group's submenu, showing entries `first` up
    // to `end`, each of its items standing for `span` of them (1: the entries themselves).
    struct Node {
        std::size_t first = 0;
        std::size_t end = 0;
        std::size_t span = 1;
        Gtk::Menu* menu = nullptr;
        bool made = false;
        std::vector<std::unique_ptr<Node>> groups;
    };

    // The entries changed: the items go, and come back as their menus open.
    void changed();
    void plan(Node& node);
    // Makes the items of `node`'s menu, once.
    void make(Node& node);
    Gtk::MenuItem& makeEntry(Node& node, std::size_t index);
    void makeGroup(Node& node, Node& group);
    // The caption of a group: its first and last titles.
    std::string groupCaption(const Node& group) const;
    void showEntry(std::size_t index);
    // Moves entry 0, the window's own item, to the end of `menu`.
    void placeFirst(Gtk::Menu& menu);
    void replace(const FavoritesMenuModel& model);
    void optionChanged(OptionId id, OptionsModel::Cause cause);

    frmBrowser& window_;
    OptionsModel* options_;
    Gtk::Menu* menu_ = nullptr;
    Gtk::MenuItem* first_ = nullptr;
    FavoritesMenuModel model_;
    Node root_;
    // The items made for entries, by entry (null until made), and those the top menu got.
    std::vector<Gtk::MenuItem*> items_;
    std::vector<Gtk::MenuItem*> made_;
};

}  // namespace larkspan::favorites
