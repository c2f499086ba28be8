#include "common/DesktopOpen.hpp"

#include <gio/gio.h>
#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include "common/Dialogs.hpp"

namespace larkspan {

namespace {

// A launch context on the parent's display (or the default one), so the program started
// appears where the user works; null without a display.
GAppLaunchContext* launchContext(Gtk::Window* parent) {
    GdkDisplay* display = parent != nullptr ? gtk_widget_get_display(GTK_WIDGET(parent->gobj()))
                                            : gdk_display_get_default();
    if (display == nullptr) return nullptr;
    GdkAppLaunchContext* context = gdk_display_get_app_launch_context(display);
    gdk_app_launch_context_set_timestamp(context, gtk_get_current_event_time());
    return G_APP_LAUNCH_CONTEXT(context);
}

bool launch(Gtk::Window* parent, GAppInfo* program, const std::string& uri) {
    GAppLaunchContext* context = launchContext(parent);
    GList uris{const_cast<char*>(uri.c_str()), nullptr, nullptr};
    GError* error = nullptr;
    bool started = g_app_info_launch_uris(program, &uris, context, &error) != FALSE;
    if (error != nullptr) g_error_free(error);
    if (context != nullptr) g_object_unref(context);
    return started;
}

bool say(Gtk::Window* parent, const std::string& text, const std::string& title) {
    dialogs().message(parent, text, title, Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                      [](Dialogs::Answer) {});
    return false;
}

}  // namespace

bool openFileOrSay(Gtk::Window* parent, const std::filesystem::path& file,
                   const std::string& title) {
    const std::string name = file.filename().string();
    GFile* location = g_file_new_for_path(file.c_str());
    GError* error = nullptr;
    GAppInfo* program = g_file_query_default_handler(location, nullptr, &error);
    const bool missing = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
    if (error != nullptr) g_error_free(error);
    gchar* uri = g_file_get_uri(location);
    const std::string address = uri != nullptr ? uri : "";
    g_free(uri);
    g_object_unref(location);
    if (program == nullptr) {
        if (missing) {
            return say(parent,
                       "The file \"" + name + "\" could not be found in " +
                           file.parent_path().string() + ".",
                       title);
        }
        return say(parent,
                   "No program is set up to open \"" + name +
                       "\". Choose a default program for files of its type in the desktop's "
                       "settings.",
                   title);
    }
    const bool started = launch(parent, program, address);
    g_object_unref(program);
    if (started) return true;
    return say(parent, "The program set up to open \"" + name + "\" could not be started.", title);
}

bool openAddressOrSay(Gtk::Window* parent, const std::string& address, const std::string& title) {
    const char* scheme = g_uri_peek_scheme(address.c_str());
    GAppInfo* program = scheme != nullptr ? g_app_info_get_default_for_uri_scheme(scheme) : nullptr;
    const bool mail = scheme != nullptr && g_strcmp0(scheme, "mailto") == 0;
    if (program == nullptr) {
        return say(parent,
                   mail ? std::string(kNoMailProgram)
                        : "No program is set up to open \"" + std::string(scheme ? scheme : "") +
                              ":\" addresses.",
                   title);
    }
    const bool started = launch(parent, program, address);
    g_object_unref(program);
    if (started) return true;
    return say(parent,
               mail ? std::string("The e-mail program could not be started.")
                    : std::string("The program set up for this address could not be started."),
               title);
}

}  // namespace larkspan
