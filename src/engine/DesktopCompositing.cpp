#include "engine/DesktopCompositing.hpp"

#include <gdk/gdk.h>
#include <webkit2/webkit2.h>

namespace larkspan::engine {

namespace {

void apply(GdkScreen* screen, WebKitSettings* settings) {
    // ALWAYS is the engine's own default; NEVER keeps the page's picture in this process.
    webkit_settings_set_hardware_acceleration_policy(
        settings, gdk_screen_is_composited(screen) ? WEBKIT_HARDWARE_ACCELERATION_POLICY_ALWAYS
                                                   : WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
}

void onCompositedChanged(GdkScreen* screen, gpointer settings) {
    apply(screen, WEBKIT_SETTINGS(settings));
}

}  // namespace

void followDesktopCompositing(WebKitSettings* settings) {
    GdkScreen* screen = gdk_screen_get_default();
    if (screen == nullptr) return;
    apply(screen, settings);
    // Disconnected by GLib when the settings go.
    g_signal_connect_object(screen, "composited-changed", G_CALLBACK(onCompositedChanged), settings,
                            GConnectFlags(0));
}

}  // namespace larkspan::engine
