#pragma once

// The main window's find bar: a text box, previous and next, match case and the number of
// the selected match among all, searching the page through the engine's find operation.
// Enter and Shift+Enter in the text box step forward and back; Escape closes the bar.

#include <gtkmm.h>

#include <memory>

#include "engine/PageEngine.hpp"
#include "shell/FindPosition.hpp"
#include "shell/Page.hpp"

namespace larkspan {

class FindBar : public Gtk::Box {
  public:
    FindBar(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder);

    // The page the bar searches: what the bar held for the page shown before is kept with
    // that page, and this page's own text, match case, match and whether its bar was open
    // come back.
    void follow(Page& page);

    // Shows the bar with its text selected and the keyboard focus in it.
    void open();
    // Hides the bar and gives the page the focus.
    void close();
    void findNext() { search(false, true); }
    void findPrevious() { search(false, false); }

    const FindPosition& position() const { return position_; }

  private:
    // Searches the text: from its first match after an edit (`restart`), else one step.
    void search(bool restart, bool forward);
    void showPosition();
    bool onKeyPress(GdkEventKey* event);

    Page* page_ = nullptr;
    PageEngine* engine_ = nullptr;
    // Set while a page's text is put back, which is no new search.
    bool restoring_ = false;
    Gtk::Entry* txtFind = nullptr;
    Gtk::Button* cmdFindPrevious = nullptr;
    Gtk::Button* cmdFindNext = nullptr;
    Gtk::CheckButton* chkFindMatchCase = nullptr;
    Gtk::Label* lblFindMatches = nullptr;
    Gtk::Button* cmdFindClose = nullptr;
    FindPosition position_;
    // Counts from an older search that arrive late are ignored.
    std::shared_ptr<unsigned> generation_ = std::make_shared<unsigned>(0);
};

}  // namespace larkspan
