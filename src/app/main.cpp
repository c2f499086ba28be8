// Larkspan: a desktop web browser around the system's web engine.
#include <glib.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include <cstdlib>

#include "app/Application.hpp"
#include "common/Paths.hpp"
#include "shell/frmBrowser.hpp"

int main(int argc, char** argv) {
    g_set_prgname("larkspan");
    g_set_application_name("Larkspan");
    gtk_init(&argc, &argv);
    Gtk::Main::init_gtkmm_internals();
    auto& app = larkspan::Application::instance();
    auto& first = app.createBrowserWindow();
    // The icon is looked up when the window is first shown: the home page's request, made
    // by the line above, need not wait for the icon theme.
    // Run from a build, the program's icon is not installed yet: find it in the sources.
    Gtk::IconTheme::get_default()->append_search_path(
        (larkspan::paths::installedDataDir() / "icons").string());
    Gtk::Window::set_default_icon_name("larkspan");
    first.show();
    // For the start-up benchmark: end once the home page has finished loading.
    if (const char* bench = std::getenv("LARKSPAN_BENCH_EXIT_AFTER_LOAD"); bench && *bench == '1') {
        first.WebBrowser1().signalDownloadComplete.connect([&app] { app.quit(); });
    }
    int rc = app.run();
    larkspan::Application::shutdown();
    return rc;
}
