#pragma once

// The address box `cboAddress`: an entry with a drop-down button, whose drop-down shows the
// shared typed-address list. The drop-down is a list view in a popover that draws only the
// rows in sight, so opening it costs the same for ten addresses as for a hundred thousand;
// it is attached to the list only while it is open. It opens by the button and by Alt+Down
// in the entry, starts at the first entry that begins with the box's text (letter case
// ignored), and choosing a row puts that row's text in the box and emits `signalChosen`.

#include <gtkmm/box.h>
#include <gtkmm/builder.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/entry.h>
#include <gtkmm/popover.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/togglebutton.h>
#include <gtkmm/treeview.h>
#include <gtkmm/treeviewcolumn.h>

#include <memory>

#include "shell/AddressList.hpp"
#include "shell/AddressSuggestionPopup.hpp"

namespace larkspan {

class AddressBox : public Gtk::Box {
  public:
    AddressBox(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder);

    // The list the drop-down shows (it must outlive this box).
    void setList(AddressList& list);

    Gtk::Entry* get_entry() { return entry_; }
    const Gtk::Entry* get_entry() const { return entry_; }
    // A view of the list as a tree model (the one the open drop-down shows, else a new one).
    Glib::RefPtr<Gtk::TreeModel> get_model();

    void popup();
    void popdown();
    bool poppedUp() const { return static_cast<bool>(shown_); }
    // The drop-down's list view (named "cboAddress_List").
    Gtk::TreeView& dropDownList() { return view_; }

    // The list of suggestions under the box as the user types.
    AddressSuggestionPopup& suggestions() { return *suggestions_; }

    // A row was chosen from the drop-down or the suggestions; its text is in the box.
    sigc::signal<void()> signalChosen;

  private:
    void choose(const Gtk::TreeModel::Path& path);
    void onClosed();

    Gtk::Entry* entry_ = nullptr;
    Gtk::ToggleButton* button_ = nullptr;
    Gtk::Popover popover_;
    Gtk::ScrolledWindow scroller_;
    Gtk::TreeView view_;
    Gtk::TreeViewColumn column_;
    Gtk::CellRendererText cell_;
    AddressList* list_ = nullptr;
    Glib::RefPtr<Gtk::TreeModel> shown_;
    std::unique_ptr<AddressSuggestionPopup> suggestions_;
};

}  // namespace larkspan
