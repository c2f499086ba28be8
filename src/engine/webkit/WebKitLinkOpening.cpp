// Links the user opens beside the page: a middle click or Ctrl+click on a link, and the
// context menu's "Open Link in New Tab". The page stays where it is; the engine says which
// address the user asked for and the window decides where it opens.
#include <gio/gio.h>

#include "engine/webkit/WebKitPageEngineInternal.hpp"

namespace larkspan {

using webkit_internal::toString;

bool WebKitPageEngineCallbacks::opensBeside(WebKitNavigationAction* action) {
    if (webkit_navigation_action_get_navigation_type(action) !=
        WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
        return false;
    }
    guint button = webkit_navigation_action_get_mouse_button(action);
    guint modifiers = webkit_navigation_action_get_modifiers(action);
    return button == GDK_BUTTON_MIDDLE ||
           (button == GDK_BUTTON_PRIMARY && (modifiers & GDK_CONTROL_MASK) != 0);
}

namespace {

// What the menu item's action needs after the menu has gone: the engine, if it still lives.
struct OpenBeside {
    WebKitPageEngine* engine;
    std::weak_ptr<bool> alive;
};

void onOpenBesideActivated(GSimpleAction*, GVariant* parameter, gpointer data) {
    auto* open = static_cast<OpenBeside*>(data);
    if (open->alive.expired() || parameter == nullptr) return;
    try {
        open->engine->signalOpenInNewTab.emit(toString(g_variant_get_string(parameter, nullptr)));
    } catch (...) {
        reportFailure("opening a link in a new tab");
    }
}

}  // namespace

gboolean WebKitPageEngineCallbacks::onContextMenu(WebKitWebView*, WebKitContextMenu* menu,
                                                  GdkEvent*, WebKitHitTestResult* hit,
                                                  gpointer data) {
    try {
        if (!webkit_hit_test_result_context_is_link(hit)) return FALSE;
        const char* uri = webkit_hit_test_result_get_link_uri(hit);
        if (uri == nullptr) return FALSE;
        auto* self = engineOf(data);
        // Beside the engine's own "Open Link in New Window".
        guint position = 0;
        GList* items = webkit_context_menu_get_items(menu);
        for (GList* i = items; i != nullptr; i = i->next, ++position) {
            auto* item = static_cast<WebKitContextMenuItem*>(i->data);
            if (webkit_context_menu_item_get_stock_action(item) ==
                WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW) {
                ++position;
                break;
            }
        }
        GSimpleAction* action = g_simple_action_new("open-link-in-new-tab", G_VARIANT_TYPE_STRING);
        g_signal_connect_data(
            action, "activate", G_CALLBACK(onOpenBesideActivated),
            new OpenBeside{self, self->alive_},
            [](gpointer p, GClosure*) { delete static_cast<OpenBeside*>(p); }, GConnectFlags(0));
        WebKitContextMenuItem* item = webkit_context_menu_item_new_from_gaction(
            G_ACTION(action), "Open Link in New _Tab", g_variant_new_string(uri));
        g_object_unref(action);
        webkit_context_menu_insert(menu, item, static_cast<gint>(position));
    } catch (...) {
        reportFailure("adding to a page's context menu");
    }
    return FALSE;
}

}  // namespace larkspan
