#pragma once

// The list under the address box that offers, as the user types, pages that match every
// word typed (`cboAddress_Suggestions`). It asks the suggestion sources on each key that
// edits the box, merges their answers and shows up to eight, each with its title and
// address. The box keeps the keyboard: Up and Down move through the rows, Enter puts the
// chosen row's address in the box for the box's own Enter to open, Escape closes the list
// and Shift+Delete forgets the chosen address. A click on a row opens it at once.

#include <gtkmm/entry.h>
#include <gtkmm/listbox.h>
#include <gtkmm/popover.h>

#include <string>
#include <vector>

#include "shell/AddressSuggestions.hpp"

namespace larkspan {

class AddressSuggestionPopup {
  public:
    static constexpr std::size_t kMaxRows = 8;

    // Shows under `below`, the address box, and follows `entry`, its text field.
    AddressSuggestionPopup(Gtk::Widget& below, Gtk::Entry& entry);

    // The sources asked, in order (they outlive the box).
    void setSources(const std::vector<AddressSuggestionSource*>& sources) { sources_ = &sources; }

    bool shown() const { return popover_.get_visible(); }
    void hide();
    // What the list offers now, best first, and the row chosen with Up and Down (-1: none).
    const std::vector<AddressSuggestion>& offered() const { return offered_; }
    int chosen() const { return chosen_; }
    Gtk::ListBox& rows() { return list_; }

    // A row was clicked; its address is in the box.
    sigc::signal<void()> signalChosen;

  private:
    bool onKeyPress(GdkEventKey* event);
    void onChanged();
    void refresh();
    void show(std::vector<AddressSuggestion> suggestions);
    void choose(int row);
    void forgetChosen();
    // The text the user typed: the box's text less a completion proposed after it.
    std::string typedText() const;

    Gtk::Widget& below_;
    Gtk::Entry& entry_;
    Gtk::Popover popover_;
    Gtk::ListBox list_;
    const std::vector<AddressSuggestionSource*>* sources_ = nullptr;
    std::vector<AddressSuggestion> offered_;
    int chosen_ = -1;
    // A key that edits the box was pressed: its change of the text asks the sources.
    bool editing_ = false;
};

}  // namespace larkspan
