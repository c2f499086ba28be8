#pragma once

// The organizer "Organize Favorites - Larkspan": the favorites' titles in file-list order,
// the clicked one's title, address and date, Rename, Delete and Close. Only Close rebuilds
// the first main window's favorites menu; Rename and Delete leave the menu as it was.

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
    // The files behind the titles, paired by position.
    const std::vector<std::string>& lstFavorites() const { return files_; }

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
    void refreshFiles();
    void showCount();
    std::optional<std::size_t> selectedIndex() const;
    std::filesystem::path fileAt(std::size_t index) const;
    void closeLater();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Glib::RefPtr<Gtk::ListStore> store_;
    std::filesystem::path folder_;
    std::vector<std::string> files_;
};

// Makes the organizer (hidden, its lists read); the registry's factory.
std::unique_ptr<Gtk::Window> makeFavoritesOrganizer(ShellContext& context);

}  // namespace larkspan
