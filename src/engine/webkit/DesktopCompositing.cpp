#include "engine/webkit/DesktopCompositing.hpp"

#include <gdk/gdk.h>
#include <webkit2/webkit2.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace larkspan::engine {

namespace {

// Only an X11 screen can be without a compositing manager: other displays keep every
// window's picture themselves.
bool redrawsUncoveredParts(GdkScreen* screen) {
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_SCREEN(screen)) return gdk_screen_is_composited(screen) != FALSE;
#endif
    (void)screen;
    return true;
}

void apply(GdkScreen* screen, WebKitSettings* settings) {
    // The engine's own choice wherever its compositing mode can show pages.
    static const WebKitHardwareAccelerationPolicy engineDefault = [] {
        WebKitSettings* fresh = webkit_settings_new();
        const WebKitHardwareAccelerationPolicy policy =
            webkit_settings_get_hardware_acceleration_policy(fresh);
        g_object_unref(fresh);
        return policy;
    }();
    webkit_settings_set_hardware_acceleration_policy(
        settings,
        redrawsUncoveredParts(screen) ? engineDefault : WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
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
