#include "features/permissions/frmSitePermissions.hpp"

#include "common/BuiltWindow.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan::permissions {

namespace {
constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmSitePermissions.ui";
constexpr const char* kWindow = "frmSitePermissions";
}  // namespace

std::string permissionName(PermissionKind kind) {
    switch (kind) {
        case PermissionKind::Notifications:
            return "Notifications";
        case PermissionKind::Location:
            return "Location";
        case PermissionKind::Camera:
            return "Camera";
        case PermissionKind::Microphone:
            return "Microphone";
        case PermissionKind::CameraAndMicrophone:
            return "Camera and microphone";
        case PermissionKind::Clipboard:
            return "Clipboard";
    }
    return {};
}

frmSitePermissions::frmSitePermissions(BaseObjectType* cobject,
                                       const Glib::RefPtr<Gtk::Builder>& builder,
                                       ShellContext& context, PermissionStore& store)
    : Gtk::Window(cobject), ctx_(context), store_(store) {
    builder->get_widget("lstPermissions", lstPermissions);
    builder->get_widget("cmdRemove", cmdRemove);
    builder->get_widget("cmdRemoveAll", cmdRemoveAll);
    builder->get_widget("cmdClose", cmdClose);
    rows_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(lstPermissions->get_model());
    lstPermissions->get_selection()->signal_changed().connect([this] {
        cmdRemove->set_sensitive(lstPermissions->get_selection()->count_selected_rows() > 0);
    });
    cmdRemove->signal_clicked().connect(sigc::mem_fun(*this, &frmSitePermissions::cmdRemove_Click));
    cmdRemoveAll->signal_clicked().connect(
        sigc::mem_fun(*this, &frmSitePermissions::cmdRemoveAll_Click));
    cmdClose->signal_clicked().connect(sigc::mem_fun(*this, &frmSitePermissions::cmdClose_Click));
}

void frmSitePermissions::on_show() {
    fillList();
    Gtk::Window::on_show();
}

void frmSitePermissions::fillList() {
    shown_ = store_.all();
    rows_->clear();
    for (const SiteAnswer& answer : shown_) {
        Gtk::TreeRow row = *rows_->append();
        row.set_value(0, Glib::ustring(answer.site));
        row.set_value(1, Glib::ustring(permissionName(answer.kind)));
        row.set_value(2, Glib::ustring(answer.allowed ? "Allow" : "Block"));
    }
    cmdRemove->set_sensitive(false);
    cmdRemoveAll->set_sensitive(!shown_.empty());
}

void frmSitePermissions::cmdRemove_Click() {
    auto selected = lstPermissions->get_selection()->get_selected_rows();
    if (selected.empty() || selected.front().empty()) return;
    auto at = static_cast<std::size_t>(selected.front()[0]);
    if (at >= shown_.size()) return;
    // The site is asked again next time.
    store_.forget(shown_[at].site, shown_[at].kind);
    fillList();
}

void frmSitePermissions::cmdRemoveAll_Click() {
    store_.forgetAll();
    fillList();
}

void frmSitePermissions::cmdClose_Click() {
    ctx_.windows().closeWhenIdle(kWindow);
}

bool frmSitePermissions::on_delete_event(GdkEventAny*) {
    cmdClose_Click();
    return true;
}

std::unique_ptr<Gtk::Window> makeSitePermissionsWindow(ShellContext& context,
                                                       PermissionStore& store) {
    return buildWindow<frmSitePermissions>(kResource, kWindow, context, store);
}

}  // namespace larkspan::permissions
