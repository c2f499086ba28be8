#include "support/Display.hpp"

#include <gdk/gdk.h>
#include <glibmm/main.h>
#include <gtkmm/container.h>
#include <gtkmm/main.h>

#include <chrono>
#include <thread>
#include <vector>

#include "support/Wait.hpp"

namespace larkspan::testing {

void initGtk() {
    static bool done = false;
    if (done) return;
    done = true;
    // A virtual display that is resetting (Xvfb does when its last client leaves) refuses
    // connections for a moment: ask again until it answers, for a few seconds at most.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!gtk_init_check(nullptr, nullptr)) {
        if (std::chrono::steady_clock::now() > deadline) {
            gtk_init(nullptr, nullptr);  // reports the display it could not open
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Gtk::Main::init_gtkmm_internals();
}

void drainEvents() {
    auto ctx = Glib::MainContext::get_default();
    for (int i = 0; i < 1000 && ctx->pending(); ++i) ctx->iteration(false);
}

bool runUntil(const std::function<bool()>& condition, int timeoutMs) {
    return test::waitUntil(condition, timeoutMs);
}

void parkPointer() {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_monitor(display, 0) : nullptr;
    if (!monitor) return;
    GdkRectangle area{};
    gdk_monitor_get_geometry(monitor, &area);
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    gdk_device_warp(pointer, gdk_display_get_default_screen(display), area.x + area.width - 1,
                    area.y + area.height - 1);
    gdk_display_sync(display);
    drainEvents();
}

Gtk::Widget* findNamed(Gtk::Widget& root, const char* name) {
    if (root.get_name() == name) return &root;
    auto* container = dynamic_cast<Gtk::Container*>(&root);
    if (!container) return nullptr;
    std::vector<GtkWidget*> children;
    gtk_container_forall(
        container->gobj(),
        [](GtkWidget* child, gpointer list) {
            static_cast<std::vector<GtkWidget*>*>(list)->push_back(child);
        },
        &children);
    for (GtkWidget* child : children) {
        if (Gtk::Widget* found = findNamed(*Glib::wrap(child), name)) return found;
    }
    return nullptr;
}

}  // namespace larkspan::testing
