#include "support/Wait.hpp"

#include <glib.h>

namespace larkspan::test {

namespace {

gboolean markExpired(gpointer data) {
    *static_cast<bool*>(data) = true;
    return G_SOURCE_REMOVE;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    if (condition()) {
        return true;
    }
    bool expired = false;
    guint timer =
        g_timeout_add(static_cast<guint>(timeoutMs > 0 ? timeoutMs : 0), markExpired, &expired);
    bool met = false;
    while (!expired) {
        // Blocks until some source is ready; the timer above guarantees one will be.
        g_main_context_iteration(nullptr, TRUE);
        if (condition()) {
            met = true;
            break;
        }
    }
    if (!expired) {
        g_source_remove(timer);
    }
    return met;
}

}  // namespace larkspan::test
