#pragma once

// The answers remembered for sites' permission requests, one row each (site, permission,
// answer), with Remove, Remove All and Close. Opened from Options > Privacy ("Site
// Permissions..."); the list is read afresh each time the window is shown.

#include <gtkmm.h>

#include <string>

#include "features/permissions/PermissionStore.hpp"

namespace larkspan {

class ShellContext;

namespace permissions {

// The name of a kind of permission in the list: "Notifications", "Location" ...
std::string permissionName(PermissionKind kind);

class frmSitePermissions : public Gtk::Window {
  public:
    frmSitePermissions(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                       ShellContext& context, PermissionStore& store);

    // Events.
    void cmdRemove_Click();
    void cmdRemoveAll_Click();
    void cmdClose_Click();

  protected:
    void on_show() override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void fillList();

    ShellContext& ctx_;
    PermissionStore& store_;
    Gtk::TreeView* lstPermissions = nullptr;
    Gtk::Button* cmdRemove = nullptr;
    Gtk::Button* cmdRemoveAll = nullptr;
    Gtk::Button* cmdClose = nullptr;
    Glib::RefPtr<Gtk::ListStore> rows_;
    // The answers the rows show, in the rows' order.
    std::vector<SiteAnswer> shown_;
};

// Makes the window (hidden); the registry's factory.
std::unique_ptr<Gtk::Window> makeSitePermissionsWindow(ShellContext& context,
                                                       PermissionStore& store);

}  // namespace permissions
}  // namespace larkspan
