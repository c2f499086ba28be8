#include "features/permissions/PermissionsRegistration.hpp"

#include <gtkmm/application.h>

#include "features/permissions/SitePermissions.hpp"
#include "features/permissions/frmSitePermissions.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

using permissions::SitePermissions;

void registerPermissions(ShellContext& context, Gtk::Application& app) {
    auto* feature = new SitePermissions(context);
    g_object_set_data_full(G_OBJECT(app.gobj()), "larkspan-site-permissions", feature,
                           [](gpointer p) { delete static_cast<SitePermissions*>(p); });

    context.windows().define("frmSitePermissions", [&context, feature] {
        return permissions::makeSitePermissionsWindow(context, feature->store());
    });
    // Options > Privacy's "Site Permissions...": over the options dialog when it is open.
    app.add_action("site-permissions", [&context] {
        Gtk::Window* list = context.windows().touch("frmSitePermissions");
        if (!list) return;
        Gtk::Window* options = context.windows().find("frmOptions");
        Gtk::Window* owner = options && options->get_visible() ? options : context.ownerWindow();
        if (owner) list->set_transient_for(*owner);
        list->present();
    });
    // A notification's click: its page, shown in its window.
    auto show = Gio::SimpleAction::create(permissions::kShowNotifiedPage,
                                          Glib::Variant<guint64>::variant_type());
    show->signal_activate().connect([feature](const Glib::VariantBase& target) {
        if (!target.is_of_type(Glib::Variant<guint64>::variant_type())) return;
        feature->showNotifiedPage(
            Glib::VariantBase::cast_dynamic<Glib::Variant<guint64>>(target).get());
    });
    app.add_action(show);
}

}  // namespace larkspan
