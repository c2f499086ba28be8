// The usual browser shortcuts of the features' commands, and the keyboard shortcuts window
// that lists what the program binds.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>

#include "app/Application.hpp"
#include "shell/frmBrowser.hpp"
#include "support/GuiTest.hpp"
#include "support/ScriptedDialogs.hpp"
#include "support/Wait.hpp"

namespace larkspan {
namespace {

class ShortcutsTest : public testing::GuiTest {};

// The entry of the shortcuts window for the command `action`; null when none.
GtkWidget* entryFor(GtkWidget* widget, const std::string& action) {
    if (GTK_IS_SHORTCUTS_SHORTCUT(widget)) {
        gchar* name = nullptr;
        g_object_get(widget, "action-name", &name, nullptr);
        bool match = name != nullptr && action == name;
        g_free(name);
        return match ? widget : nullptr;
    }
    if (!GTK_IS_CONTAINER(widget)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* c = children; c != nullptr && found == nullptr; c = c->next) {
        found = entryFor(GTK_WIDGET(c->data), action);
    }
    g_list_free(children);
    return found;
}

TEST_F(ShortcutsTest, TheUsualShortcutsOpenTheirWindowsAndTheShortcutsWindowShowsThem) {
    frmBrowser& w = startBrowser();
    Application& app = Application::instance();
    testing::ScriptedDialogs dialogs;
    dialogs.input(std::nullopt);
    // Ctrl+D adds the page to the favorites: the title is asked for.
    pressKey(w, GDK_KEY_d, GDK_CONTROL_MASK);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, "input");
    struct Key {
        guint keyval;
        guint mods;
        const char* window;
    };
    for (Key k : {Key{GDK_KEY_h, GDK_CONTROL_MASK, "frmHistory"},
                  Key{GDK_KEY_u, GDK_CONTROL_MASK, "frmSource"},
                  Key{GDK_KEY_O, GDK_CONTROL_MASK | GDK_SHIFT_MASK, "frmFavorites"}}) {
        pressKey(w, k.keyval, k.mods);
        Gtk::Window* opened = app.windows().find(k.window);
        ASSERT_NE(opened, nullptr) << k.window;
        EXPECT_TRUE(opened->get_visible()) << k.window;
    }

    pressKey(w, GDK_KEY_F1, GDK_CONTROL_MASK);
    GtkShortcutsWindow* shortcuts = gtk_application_window_get_help_overlay(w.gobj());
    ASSERT_NE(shortcuts, nullptr);
    EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(shortcuts)));
    // The window shows the keys the program binds, every one of them.
    GtkWidget* history = entryFor(GTK_WIDGET(shortcuts), "win.history");
    ASSERT_NE(history, nullptr);
    gchar* shown = nullptr;
    g_object_get(history, "accelerator", &shown, nullptr);
    std::string bound;
    for (const Glib::ustring& accel : app.get_accels_for_action("win.history")) {
        bound += (bound.empty() ? "" : " ") + accel;
    }
    EXPECT_FALSE(bound.empty());
    EXPECT_EQ(std::string(shown ? shown : ""), bound);
    g_free(shown);
}

}  // namespace
}  // namespace larkspan
