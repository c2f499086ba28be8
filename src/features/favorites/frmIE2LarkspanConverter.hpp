#pragma once

// The importer "IE 2 Larkspan Converter": copies a user's older favorites into the
// favorites folder. It offers the folders of internet shortcuts found on this system, the
// bookmarks of Firefox, Chromium and Chrome profiles, another folder of shortcuts and an
// exported bookmarks page; "Yes" imports from the chosen one, "No" closes.

#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "features/favorites/ImportSources.hpp"

namespace larkspan {

class ShellContext;
class StyledButton;

class frmIE2LarkspanConverter : public Gtk::Window {
  public:
    frmIE2LarkspanConverter(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                            ShellContext& context, std::vector<favorites::ImportSource> sources);

    // ---- Controls, by their names.
    Gtk::Label* Label1 = nullptr;
    Gtk::ComboBoxText* cboSource = nullptr;
    StyledButton* Yes = nullptr;
    StyledButton* No = nullptr;

    const std::vector<favorites::ImportSource>& sources() const { return sources_; }

    // ---- Events.
    void Yes_Click();
    void No_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // What the chosen entry reads, as the question names it.
    std::string chosenWhat() const;
    // Imports from the chosen entry, then runs `imported`; nothing runs when the user
    // cancelled a chooser.
    void importChosen(std::function<void()> imported);
    void closeLater();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::vector<favorites::ImportSource> sources_;
};

// Makes the importer (hidden) offering what `places` hold; the registry's factory.
std::unique_ptr<Gtk::Window> makeFavoritesImporter(ShellContext& context,
                                                   const favorites::ImportPlaces& places);

}  // namespace larkspan
