#pragma once

// The Browsing History window "Browsing History - Larkspan": the visits, newest first,
// grouped by day (Today, Yesterday, then dates), each with its time, title and address. The
// search box "txtSearch" narrows the list to the visits whose title or address holds every
// word typed. "Delete" removes the selected visits (a selected day, all of its visits shown);
// "Forget About This Site" removes every visit to the host of the selected visit; a
// double-click opens the visit's page in the current main window. The list is read a page at
// a time, the next one when it is scrolled to its end.

#include <gtkmm.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "features/visits/VisitStore.hpp"

namespace larkspan {

class ShellContext;

namespace visits {
class VisitHistory;
}

class frmVisits : public Gtk::Window {
  public:
    frmVisits(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
              ShellContext& context, visits::VisitHistory& history);

    // ---- Controls, by their names.
    Gtk::SearchEntry* txtSearch = nullptr;
    Gtk::TreeView* tvwVisits = nullptr;
    Gtk::Button* cmdDelete = nullptr;
    Gtk::Button* cmdForgetSite = nullptr;

    // How many visits are read at a time.
    static constexpr std::size_t kPageRows = 400;

    // ---- Events.
    void txtSearch_Change();
    void tvwVisits_SelectionChange();
    void tvwVisits_DblClick(const Gtk::TreeModel::Path& path);
    void cmdDelete_Click();
    void cmdForgetSite_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Reads the list anew from its first page.
    void reload();
    // Adds the next page of visits under their days.
    void loadMore();
    std::vector<std::int64_t> selectedVisits() const;
    std::optional<std::string> selectedAddress() const;

    ShellContext& ctx_;
    visits::VisitHistory& history_;
    Glib::RefPtr<Gtk::TreeStore> store_;
    std::optional<visits::VisitCursor> next_;
    bool more_ = false;
    bool reloading_ = false;
    std::string lastDay_;
    Gtk::TreeModel::iterator dayRow_;
};

// Makes the Browsing History window (hidden, its first page read); the registry's factory.
std::unique_ptr<Gtk::Window> makeVisitsWindow(ShellContext& context, visits::VisitHistory& history);

}  // namespace larkspan
