// The yardstick of the start-up benchmark: the least a program needs to show one web page.
// A plain GTK window holding one WebKit view loads the address given on the command line;
// the program quits as soon as that first load has finished. It prints nothing; the exit
// status tells how the load went (0: finished, 1: the load failed, 2: bad usage).
// With --sandbox its page process runs in the engine's sandbox, as Larkspan's do, so the
// two can be compared on equal terms; without, it is the least any program needs.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

namespace {

struct RunState {
    bool failed = false;
    int status = 0;
};

gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer data) {
    static_cast<RunState*>(data)->failed = true;
    return FALSE;  // let the view show its own error page; we only note the failure
}

void onLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    if (event != WEBKIT_LOAD_FINISHED) {
        return;
    }
    auto* state = static_cast<RunState*>(data);
    state->status = state->failed ? 1 : 0;
    gtk_main_quit();
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<RunState*>(data)->status = 1;
    gtk_main_quit();
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    bool sandbox = argc == 3 && g_strcmp0(argv[1], "--sandbox") == 0;
    const char* address = argc == 2 ? argv[1] : sandbox ? argv[2] : nullptr;
    if (!address || address[0] == '\0') {
        g_printerr("usage: %s [--sandbox] ADDRESS\n", argc > 0 ? argv[0] : "bench_bare_view");
        return 2;
    }
    gtk_init(&argc, &argv);
    // Must precede the first page process, hence the first view.
    if (sandbox) webkit_web_context_set_sandbox_enabled(webkit_web_context_get_default(), TRUE);

    RunState state;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 1024, 768);
    g_signal_connect(window, "delete-event", G_CALLBACK(onDelete), &state);

    GtkWidget* view = webkit_web_view_new();
    g_signal_connect(view, "load-failed", G_CALLBACK(onLoadFailed), &state);
    g_signal_connect(view, "load-changed", G_CALLBACK(onLoadChanged), &state);
    gtk_container_add(GTK_CONTAINER(window), view);
    gtk_widget_show_all(window);

    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), address);
    gtk_main();

    gtk_widget_destroy(window);
    return state.status;
}
