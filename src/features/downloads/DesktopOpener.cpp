#include "features/downloads/DesktopOpener.hpp"

#include <gio/gio.h>
#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>

namespace larkspan::downloads {

namespace fs = std::filesystem;

namespace {

DesktopActions& replaced() {
    static DesktopActions actions;
    return actions;
}

std::string fileUri(const fs::path& file) {
    gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
    std::string out = uri != nullptr ? uri : "";
    g_free(uri);
    return out;
}

bool launchUri(const std::string& uri, Gtk::Window* parent) {
    if (uri.empty()) return false;
    GdkDisplay* display = parent != nullptr ? gtk_widget_get_display(GTK_WIDGET(parent->gobj()))
                                            : gdk_display_get_default();
    GAppLaunchContext* context =
        display != nullptr ? G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display))
                           : nullptr;
    GError* error = nullptr;
    gboolean ok = g_app_info_launch_default_for_uri(uri.c_str(), context, &error);
    if (error != nullptr) g_error_free(error);
    if (context != nullptr) g_object_unref(context);
    return ok != FALSE;
}

struct ShowCall {
    std::string fileUri;
    std::string folderUri;
};

void onShown(GObject* source, GAsyncResult* result, gpointer data);

void onBus(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<ShowCall> call(static_cast<ShowCall*>(data));
    GDBusConnection* bus = g_bus_get_finish(result, nullptr);
    if (bus == nullptr) {
        launchUri(call->folderUri, nullptr);
        return;
    }
    GVariantBuilder uris;
    g_variant_builder_init(&uris, G_VARIANT_TYPE("as"));
    g_variant_builder_add(&uris, "s", call->fileUri.c_str());
    g_dbus_connection_call(bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                           "org.freedesktop.FileManager1", "ShowItems",
                           g_variant_new("(ass)", &uris, ""), nullptr, G_DBUS_CALL_FLAGS_NONE, -1,
                           nullptr, onShown, call.release());
    g_object_unref(bus);
}

void onShown(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<ShowCall> call(static_cast<ShowCall*>(data));
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
    if (reply != nullptr) {
        g_variant_unref(reply);
        return;
    }
    g_error_free(error);
    // No file manager took the call: the folder opens as a folder.
    launchUri(call->folderUri, nullptr);
}

}  // namespace

bool openFile(const fs::path& file, Gtk::Window* parent) {
    if (file.empty()) return false;
    if (replaced().open) return replaced().open(file);
    return launchUri(fileUri(file), parent);
}

bool showInFolder(const fs::path& file, Gtk::Window*) {
    if (file.empty()) return false;
    if (replaced().showInFolder) return replaced().showInFolder(file);
    // The session bus is reached without waiting; the file manager answers later.
    g_bus_get(G_BUS_TYPE_SESSION, nullptr, onBus,
              new ShowCall{fileUri(file), fileUri(file.parent_path())});
    return true;
}

void setDesktopActions(DesktopActions actions) {
    replaced() = std::move(actions);
}

}  // namespace larkspan::downloads
