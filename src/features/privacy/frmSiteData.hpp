#pragma once

// "Site Data": every site holding cookies, storage or cached files in the ordinary pages'
// session, with what it holds and its size where the engine knows it. The search entry
// keeps the sites whose names hold its text; Remove takes the chosen sites' data away,
// Remove All every shown site's.

#include <gtkmm.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/SiteData.hpp"

namespace larkspan {

class ShellContext;

class frmSiteData : public Gtk::Window {
  public:
    frmSiteData(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                ShellContext& context);

    // ---- Controls, by their names.
    Gtk::SearchEntry* txtSiteSearch = nullptr;
    Gtk::TreeView* lstSites = nullptr;
    Gtk::Button* cmdRemove = nullptr;
    Gtk::Button* cmdRemoveAll = nullptr;
    Gtk::Button* cmdClose = nullptr;

    // Asks the engine for the sites again and shows them.
    void refresh();
    // The names of the sites the list shows now, in its order.
    std::vector<std::string> shownSites() const;

    // ---- Events.
    void txtSiteSearch_Change();
    void cmdRemove_Click();
    void cmdRemoveAll_Click();
    void cmdClose_Click();

  protected:
    void on_show() override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void show(std::vector<SiteRecord> sites);
    void removeSites(const std::vector<std::string>& names);
    void updateButtons();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Glib::RefPtr<Gtk::ListStore> store_;
    Glib::RefPtr<Gtk::TreeModelFilter> filter_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

std::unique_ptr<Gtk::Window> makeSiteDataWindow(ShellContext& context);

}  // namespace larkspan
