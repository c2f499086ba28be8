#pragma once

// The organizer "Organize Favorites - Larkspan": the favorites' titles in file-list order,
// the clicked one's title, address and date, Rename, Delete and Close. Each row of the list
// holds the name of its own file beside its title, so a favorite added or removed elsewhere
// meanwhile never pairs a row with another file. Only Close rebuilds the first main
// window's favorites menu; Rename and Delete leave the menu as it was.

#include <gtkmm.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace larkspan {

class ShellContext;
class StyledButton;

class frmFavorites : public Gtk::Window {
  public:
    frmFavorites(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                 ShellContext& context);

    // ---- Controls, by their names.
    Gtk::TreeView* lstFav = nullptr;
    Gtk::Label* lblOfFavorites = nullptr;
    Gtk::Label* lblTitle = nullptr;
    Gtk::Label* lblURL = nullptr;
    Gtk::Label* lblMod = nullptr;
    StyledButton* cmdRename = nullptr;
    StyledButton* cmdDelete = nullptr;
    StyledButton* cmdClose = nullptr;
    // What the list shows, in order.
    std::vector<std::string> shownTitles() const;

    // ---- Events.
    void lstFav_Click();
    void lstFav_DblClick();
    void cmdRename_Click();
    void cmdDelete_Click();
    void cmdClose_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void load();
    void showCount();
    // The selected row, if any, and the file it keeps.
    Gtk::TreeModel::iterator selectedRow() const;
    std::filesystem::path fileOf(const Gtk::TreeModel::iterator& row) const;
    // Shows the favorite of `row` in the information frame; an empty row empties it.
    void showDetails(const Gtk::TreeModel::iterator& row);
    // Nothing selected, nothing shown, Delete disabled.
    void unselect();
    void closeLater();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Glib::RefPtr<Gtk::ListStore> store_;
    std::filesystem::path folder_;
};

// Makes the organizer (hidden, its lists read); the registry's factory.
std::unique_ptr<Gtk::Window> makeFavoritesOrganizer(ShellContext& context);

}  // namespace larkspan
