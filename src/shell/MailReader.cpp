#include "shell/MailReader.hpp"

#include <gtkmm/window.h>

#include "common/DesktopOpen.hpp"
#include "common/Dialogs.hpp"

namespace larkspan {

Glib::RefPtr<Gio::AppInfo> defaultMailReader() {
    return Glib::wrap(g_app_info_get_default_for_uri_scheme("mailto"));
}

bool startMailReader(Gtk::Window& window, const Glib::RefPtr<Gio::AppInfo>& reader) {
    if (!reader) {
        dialogs().message(&window, kNoMailProgram, "Check Mail", Dialogs::Buttons::Ok,
                          Dialogs::Icon::Information, [](Dialogs::Answer) {});
        return false;
    }
    GdkAppLaunchContext* context =
        gdk_display_get_app_launch_context(gtk_widget_get_display(GTK_WIDGET(window.gobj())));
    gdk_app_launch_context_set_timestamp(context, gtk_get_current_event_time());
    bool started =
        g_app_info_launch(reader->gobj(), nullptr, G_APP_LAUNCH_CONTEXT(context), nullptr) != FALSE;
    g_object_unref(context);
    return started;
}

}  // namespace larkspan
