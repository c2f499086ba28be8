#include "engine/webkit/DesktopCompositing.hpp"

#include <gdk/gdk.h>
#include <webkit2/webkit2.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace larkspan::engine {

namespace {

// Set on a view's settings that must not draw with the graphics hardware.
constexpr const char* kAccelerationRefused = "larkspan-acceleration-refused";

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
    const bool refused = g_object_get_data(G_OBJECT(settings), kAccelerationRefused) != nullptr;
    webkit_settings_set_hardware_acceleration_policy(
        settings, !refused && redrawsUncoveredParts(screen)
                      ? engineDefault
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

void allowHardwareAcceleration(WebKitSettings* settings, bool allowed) {
    g_object_set_data(G_OBJECT(settings), kAccelerationRefused,
                      allowed ? nullptr : GINT_TO_POINTER(1));
    GdkScreen* screen = gdk_screen_get_default();
    if (screen != nullptr) {
        apply(screen, settings);
    } else if (!allowed) {
        webkit_settings_set_hardware_acceleration_policy(settings,
                                                         WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    }
}

}  // namespace larkspan::engine
