#include "shell/TrayIcon.hpp"

#include <gdk/gdk.h>
#include <gtk/gtk.h>
#include <gtkmm/menu.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef LARKSPAN_HAVE_APPINDICATOR
#include <libayatana-appindicator/app-indicator.h>
#endif

#include <string>

namespace larkspan {

namespace {

std::optional<bool> gOverride;

// Each icon gets an id of its own: the desktop tells items apart by it, and two items of
// one program with the same id would share one D-Bus object, so the second never showed.
std::string nextItemId() {
    static unsigned count = 0;
    return "larkspan-" + std::to_string(++count);
}

// Whether an XEmbed tray owns the system tray selection of the default screen.
bool xembedTrayPresent() {
#ifdef GDK_WINDOWING_X11
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display)) return false;
    GdkScreen* screen = gdk_display_get_default_screen(display);
    std::string selection =
        "_NET_SYSTEM_TRAY_S" + std::to_string(gdk_x11_screen_get_screen_number(screen));
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    Atom atom = XInternAtom(x, selection.c_str(), False);
    return XGetSelectionOwner(x, atom) != None;
#else
    return false;
#endif
}

}  // namespace

struct TrayIcon::Impl {
    // A StatusNotifier watcher on the session bus, followed without blocking.
    guint watchId = 0;
    bool watcherPresent = false;
    GtkStatusIcon* statusIcon = nullptr;
#ifdef LARKSPAN_HAVE_APPINDICATOR
    AppIndicator* indicator = nullptr;
#endif
    TrayIcon* owner = nullptr;

    static void onAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer self) {
        static_cast<Impl*>(self)->watcherPresent = true;
    }
    static void onVanished(GDBusConnection*, const gchar*, gpointer self) {
        static_cast<Impl*>(self)->watcherPresent = false;
    }
    static void onActivate(GtkStatusIcon*, gpointer self) {
        static_cast<Impl*>(self)->owner->signalMouse.emit(kLeftUp);
    }
    static void onPopup(GtkStatusIcon*, guint, guint, gpointer self) {
        static_cast<Impl*>(self)->owner->signalMouse.emit(kRightUp);
    }
};

TrayIcon::TrayIcon(std::string tip, std::string iconName, Gtk::Menu* menu)
    : impl_(std::make_unique<Impl>()),
      tip_(std::move(tip)),
      iconName_(std::move(iconName)),
      itemId_(nextItemId()),
      menu_(menu) {
    impl_->owner = this;
    // Without a session bus (the tests, some kiosks) there is simply no watcher.
    const char* bus = g_getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!bus || g_str_has_prefix(bus, "disabled:") == FALSE) {
        impl_->watchId = g_bus_watch_name(G_BUS_TYPE_SESSION, "org.kde.StatusNotifierWatcher",
                                          G_BUS_NAME_WATCHER_FLAGS_NONE, &Impl::onAppeared,
                                          &Impl::onVanished, impl_.get(), nullptr);
    }
}

TrayIcon::~TrayIcon() {
    hide();
    if (impl_->watchId) g_bus_unwatch_name(impl_->watchId);
}

void TrayIcon::overrideDesktopHasTray(std::optional<bool> value) {
    gOverride = value;
}

bool TrayIcon::desktopHasTray() const {
    if (gOverride) return *gOverride;
#ifdef LARKSPAN_HAVE_APPINDICATOR
    if (impl_->watcherPresent) return true;
#endif
    return xembedTrayPresent();
}

bool TrayIcon::show() {
    if (shown_) return true;
    if (!desktopHasTray()) return false;
    if (gOverride) {
        // A stand-in desktop: the icon exists only as far as the program can tell.
        shown_ = true;
        return true;
    }
#ifdef LARKSPAN_HAVE_APPINDICATOR
    if (impl_->watcherPresent) {
        if (!impl_->indicator) {
            impl_->indicator = app_indicator_new(itemId_.c_str(), iconName_.c_str(),
                                                 APP_INDICATOR_CATEGORY_APPLICATION_STATUS);
            app_indicator_set_title(impl_->indicator, tip_.c_str());
            if (menu_) app_indicator_set_menu(impl_->indicator, menu_->gobj());
        }
        app_indicator_set_status(impl_->indicator, APP_INDICATOR_STATUS_ACTIVE);
        shown_ = true;
        return true;
    }
#endif
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (!impl_->statusIcon) {
        impl_->statusIcon = gtk_status_icon_new_from_icon_name(iconName_.c_str());
        gtk_status_icon_set_tooltip_text(impl_->statusIcon, tip_.c_str());
        gtk_status_icon_set_title(impl_->statusIcon, tip_.c_str());
        g_signal_connect(impl_->statusIcon, "activate", G_CALLBACK(&Impl::onActivate), impl_.get());
        g_signal_connect(impl_->statusIcon, "popup-menu", G_CALLBACK(&Impl::onPopup), impl_.get());
    }
    gtk_status_icon_set_visible(impl_->statusIcon, TRUE);
    G_GNUC_END_IGNORE_DEPRECATIONS
    shown_ = true;
    return true;
}

void TrayIcon::hide() {
    if (!shown_) return;
    shown_ = false;
#ifdef LARKSPAN_HAVE_APPINDICATOR
    if (impl_->indicator) {
        app_indicator_set_status(impl_->indicator, APP_INDICATOR_STATUS_PASSIVE);
        // Menus handed to the indicator stay the window's own.
        g_clear_object(&impl_->indicator);
    }
#endif
    if (impl_->statusIcon) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_status_icon_set_visible(impl_->statusIcon, FALSE);
        G_GNUC_END_IGNORE_DEPRECATIONS
        g_clear_object(&impl_->statusIcon);
    }
}

}  // namespace larkspan
