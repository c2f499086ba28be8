// The page processes' sandbox: the trial run of its tool, and switching it on for a context.
#include "engine/webkit/PageSandbox.hpp"

#include <glib.h>
#include <webkit2/webkit2.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

namespace {

// A trial run of the tool: the process and the read end of its error output.
struct Trial {
    GPid pid = 0;
    int errors = -1;
};

// Starts the tool making the namespaces the engine's sandbox is made of, around a program
// that does nothing. The problem when it cannot even start.
std::string startTrial(const char* tool, Trial& trial) {
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
    GError* error = nullptr;
    if (!g_spawn_async_with_pipes(
            nullptr, const_cast<gchar**>(argv), nullptr,
            GSpawnFlags(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDOUT_TO_DEV_NULL), nullptr, nullptr,
            &trial.pid, nullptr, nullptr, &trial.errors, &error)) {
        std::string problem = error->message;
        g_error_free(error);
        return problem;
    }
    return {};
}

// Waits for a started trial to end: what went wrong, empty when it worked.
std::string finishTrial(const char* tool, Trial& trial) {
    std::string errors;
    char buffer[512];
    for (;;) {
        ssize_t n = read(trial.errors, buffer, sizeof buffer);
        if (n > 0) {
            errors.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(trial.errors);
    int status = 0;
    while (waitpid(trial.pid, &status, 0) < 0 && errno == EINTR) {
    }
    g_spawn_close_pid(trial.pid);
    GError* error = nullptr;
    std::string problem;
    if (!g_spawn_check_wait_status(status, &error)) {
        // The tool says what failed; if it said nothing, how it ended.
        gchar* said = g_strstrip(g_strdup(errors.c_str()));
        problem = said[0] != '\0' ? std::string(said) : std::string(tool) + ": " + error->message;
        g_free(said);
        g_error_free(error);
    }
    return problem;
}

// The trial started ahead of need, if any.
struct EarlyTrial {
    Trial trial;
    std::string problem;  // why it could not start
    bool started = false;
};

EarlyTrial& earlyTrial() {
    static EarlyTrial early;
    return early;
}

}  // namespace

std::string sandboxTrialProblem(const char* tool) {
    Trial trial;
    std::string problem = startTrial(tool, trial);
    return problem.empty() ? finishTrial(tool, trial) : problem;
}

void startSandboxTrial() {
    EarlyTrial& early = earlyTrial();
    if (early.started || switchedOffByUser()) return;
    early.started = true;
    early.problem = startTrial(kSandboxTool, early.trial);
}

bool sandboxWorks() {
    static const bool works = [] {
        if (switchedOffByUser()) {
            std::fprintf(stderr, "larkspan: %s is set: web pages run without their sandbox.\n",
                         kUnsandboxedVariable);
            return true;
        }
        EarlyTrial& early = earlyTrial();
        std::string problem;
        if (!early.started) {
            problem = sandboxTrialProblem(kSandboxTool);
        } else if (!early.problem.empty()) {
            problem = early.problem;
        } else {
            problem = finishTrial(kSandboxTool, early.trial);
        }
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
