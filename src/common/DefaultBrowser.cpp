#include "common/DefaultBrowser.hpp"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace larkspan::desktop {

namespace {

constexpr const char* kBrowserTypes[] = {"x-scheme-handler/http", "x-scheme-handler/https",
                                         "text/html"};

}  // namespace

bool isDefaultBrowser(const std::string& desktopId) {
    for (const char* type : kBrowserTypes) {
        GAppInfo* app = g_app_info_get_default_for_type(type, FALSE);
        const bool ours =
            app != nullptr && g_strcmp0(g_app_info_get_id(app), desktopId.c_str()) == 0;
        if (app != nullptr) g_object_unref(app);
        if (!ours) return false;
    }
    return true;
}

bool makeDefaultBrowser(const std::string& desktopId) {
    GDesktopAppInfo* app = g_desktop_app_info_new(desktopId.c_str());
    if (app == nullptr) return false;
    bool all = true;
    for (const char* type : kBrowserTypes) {
        GError* error = nullptr;
        if (!g_app_info_set_as_default_for_type(G_APP_INFO(app), type, &error)) all = false;
        if (error != nullptr) g_error_free(error);
    }
    g_object_unref(app);
    return all;
}

}  // namespace larkspan::desktop
