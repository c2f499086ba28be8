#pragma once

// The history window "History - Larkspan": the typed-address history as a list. A
// double-click opens an entry in the first main window; "Delete", enabled while a row is
// selected, removes that entry from the file (read again first) and shows the file as it
// then stands; "Delete All" clears the whole history after asking. Whenever the history is
// cleared, however, the list shows it at once, hidden or shown.

#include <gtkmm.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "features/history/HistoryList.hpp"

namespace larkspan {

class ShellContext;
class StyledButton;

class frmHistory : public Gtk::Window {
  public:
    frmHistory(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               ShellContext& context);
    ~frmHistory() override;

    // ---- Controls, by their names.
    Gtk::TreeView* List1 = nullptr;
    StyledButton* Delete = nullptr;
    StyledButton* DeleteAll = nullptr;
    StyledButton* BClose = nullptr;

    // What the list shows, in order.
    std::vector<std::string> shownEntries() const;

    // ---- Events.
    void List1_Click();
    void List1_DblClick(const Gtk::TreeModel::Path& path);
    void Delete_Click();
    void DeleteAll_Click();
    void BClose_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Shows the entries; no row is selected after.
    void fill();
    void reload();
    std::optional<std::size_t> selectedIndex() const;
    void showAgain();
    void closeLater();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Glib::RefPtr<Gtk::ListStore> store_;
    HistoryList history_;
};

// Makes the history window (hidden, its list read); the registry's factory.
std::unique_ptr<Gtk::Window> makeHistoryWindow(ShellContext& context);

}  // namespace larkspan
