#include "support/WindowTest.hpp"

#include <gdk/gdk.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>
#include <stdlib.h>

#include <string>

#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"
#include "support/BrowserProbe.hpp"
#include "support/SyntheticEvents.hpp"

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

void WindowTest::SetUp() {
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
}

void WindowTest::TearDown() {
    drainEvents();
}

SettingsStore& WindowTest::store() {
    return context().settings();
}

frmBrowser& WindowTest::startBrowser() {
    frmBrowser& w = context().createBrowserWindow();
    w.show();
    drainEvents();
    return w;
}

void WindowTest::pressKey(frmBrowser& w, unsigned keyval, unsigned modifiers) {
    sendKey(w, GDK_KEY_PRESS, keyval, modifiers);
    drainEvents();
}

}  // namespace larkspan::testing
