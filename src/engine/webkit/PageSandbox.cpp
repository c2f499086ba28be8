// The page processes' sandbox: the trial run of its tool, and switching it on for a context.
#include "engine/webkit/PageSandbox.hpp"

#include <glib.h>
#include <webkit2/webkit2.h>

#include <cstdio>

namespace larkspan::engine {

namespace {

// Set on a context once sandboxPageProcesses has seen it: whether pages may be shown there.
constexpr const char* kSeenKey = "larkspan-page-sandbox";
constexpr int kMayShow = 1;
constexpr int kMayNotShow = 2;

bool switchedOffByUser() {
    return g_getenv(kUnsandboxedVariable) != nullptr;
}

}  // namespace

std::string sandboxTrialProblem(const char* tool) {
    // The namespaces the engine's sandbox is made of, around a program that does nothing.
    const char* argv[] = {tool,
                          "--ro-bind",
                          "/",
                          "/",
                          "--proc",
                          "/proc",
                          "--dev",
                          "/dev",
                          "--unshare-all",
                          "--die-with-parent",
                          "true",
                          nullptr};
    gchar* errors = nullptr;
    gint status = 0;
    GError* error = nullptr;
    std::string problem;
    if (!g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_STDOUT_TO_DEV_NULL,
                      nullptr, nullptr, nullptr, &errors, &status, &error)) {
        problem = error->message;
        g_error_free(error);
    } else if (!g_spawn_check_wait_status(status, &error)) {
        // The tool says what failed; if it said nothing, how it ended.
        problem = errors != nullptr && g_strstrip(errors)[0] != '\0'
                      ? std::string(errors)
                      : std::string(tool) + ": " + error->message;
        g_error_free(error);
    }
    g_free(errors);
    return problem;
}

bool sandboxWorks() {
    static const bool works = [] {
        if (switchedOffByUser()) {
            std::fprintf(stderr, "larkspan: %s is set: web pages run without their sandbox.\n",
                         kUnsandboxedVariable);
            return true;
        }
        std::string problem = sandboxTrialProblem(kSandboxTool);
        if (!problem.empty()) {
            std::fprintf(stderr,
                         "larkspan: the page sandbox cannot be made on this machine (%s); "
                         "no web page will be shown.\n",
                         problem.c_str());
        }
        return problem.empty();
    }();
    return works;
}

void sandboxPageProcesses(WebKitWebContext* context, bool works) {
    if (g_object_get_data(G_OBJECT(context), kSeenKey) != nullptr) {
        return;
    }
    bool mayShow = works || switchedOffByUser();
    g_object_set_data(G_OBJECT(context), kSeenKey,
                      GINT_TO_POINTER(mayShow ? kMayShow : kMayNotShow));
    if (works) {
        webkit_web_context_set_sandbox_enabled(context, TRUE);
    }
}

bool mayShowPages(WebKitWebContext* context) {
    return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(context), kSeenKey)) == kMayShow;
}

}  // namespace larkspan::engine
