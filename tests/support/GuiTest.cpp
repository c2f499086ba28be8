#include "support/GuiTest.hpp"
#include "support/BrowserProbe.hpp"

#include <gdk/gdk.h>
#include <gtkmm/main.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/Application.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "support/FakePageEngine.hpp"
#include "support/SyntheticEvents.hpp"
#include "support/Wait.hpp"

namespace larkspan::testing {

std::vector<Gtk::MenuItem*> menuItemsOf(frmBrowser& w, const char* menuId) {
    Gtk::Menu* menu = nullptr;
    testing::probe(w).builder()->get_widget(menuId, menu);
    std::vector<Gtk::MenuItem*> out;
    if (menu == nullptr) return out;
    for (Gtk::Widget* child : menu->get_children())
        out.push_back(static_cast<Gtk::MenuItem*>(child));
    return out;
}

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

void GuiTest::SetUp() {
    // Each test gets folders of its own, also when several run in one process.
    static int counter = 0;
    const char* base = std::getenv("LARKSPAN_TEST_ROOT");
    root_ = std::filesystem::path(base ? base : "/tmp") / ("case" + std::to_string(++counter));
    std::filesystem::create_directories(root_ / "config");
    std::filesystem::create_directories(root_ / "data");
    ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root_ / "cache").c_str(), 1);
    initGtk();
    parkPointer();
    useFakeEngines();
}

void GuiTest::TearDown() {
    Application::shutdown();
    drainEvents();
}

SettingsStore& GuiTest::store() {
    return Application::instance().settings();
}

frmBrowser& GuiTest::startBrowser() {
    frmBrowser& w = Application::instance().createBrowserWindow();
    w.show();
    drainEvents();
    return w;
}

void GuiTest::pressKey(frmBrowser& w, unsigned keyval, unsigned modifiers) {
    sendKey(w, GDK_KEY_PRESS, keyval, modifiers);
    drainEvents();
}

void RealEngineTest::SetUp() {
    initGtk();
    Application::setEngineFactory(nullptr);
}

void RealEngineTest::TearDown() {
    Application::shutdown();
    drainEvents();
}

}  // namespace larkspan::testing
