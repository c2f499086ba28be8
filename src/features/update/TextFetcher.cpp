#include "features/update/TextFetcher.hpp"

#include <glibmm/main.h>
#include <libsoup/soup.h>

#include "BuildConfig.hpp"
#include "common/Failure.hpp"
#include "features/update/UpdateRules.hpp"

namespace larkspan::update {

namespace {

// A server that does not answer within this many seconds counts as unreachable.
constexpr guint kTimeoutSeconds = 30;

struct Pending {
    TextFetcher::Done done;
    std::weak_ptr<bool> alive;
    SoupMessage* message = nullptr;
};

// Hands the answer over unless the fetcher has gone; nothing thrown by the caller's step
// escapes into the main loop.
void deliver(Pending& p, std::optional<std::string> body) {
    auto alive = p.alive.lock();
    if (!alive || !*alive) return;
    try {
        p.done(std::move(body));
    } catch (...) {
        reportFailure("handing over a fetched text");
    }
}

void finished(GObject* source, GAsyncResult* result, gpointer request) {
    std::unique_ptr<Pending> p(static_cast<Pending*>(request));
    GError* error = nullptr;
    GBytes* bytes = soup_session_send_and_read_finish(SOUP_SESSION(source), result, &error);
    std::optional<std::string> body;
    if (bytes != nullptr && error == nullptr) {
        guint status = soup_message_get_status(p->message);
        if (status >= 200 && status < 300) {
            gsize size = 0;
            const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
            body = std::string(data != nullptr ? data : "", size);
        }
    }
    if (bytes != nullptr) g_bytes_unref(bytes);
    g_clear_error(&error);
    g_object_unref(p->message);
    deliver(*p, std::move(body));
}

}  // namespace

TextFetcher::TextFetcher() {
    std::string agent = std::string("Larkspan/") + build::kVersionText;
    session_ = soup_session_new_with_options("timeout", kTimeoutSeconds, "user-agent",
                                             agent.c_str(), nullptr);
    cancellable_ = g_cancellable_new();
}

TextFetcher::~TextFetcher() {
    *alive_ = false;
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    g_object_unref(session_);
}

void TextFetcher::fetch(const std::string& address, Done done) {
    auto pending = std::make_unique<Pending>();
    pending->done = std::move(done);
    pending->alive = alive_;
    SoupMessage* message =
        isSafeUpdateAddress(address) ? soup_message_new("GET", address.c_str()) : nullptr;
    if (message == nullptr) {
        // Refused without a request; the answer still comes from the main loop, as every
        // other answer does.
        Glib::signal_idle().connect_once(
            [p = std::shared_ptr<Pending>(std::move(pending))] { deliver(*p, std::nullopt); });
        return;
    }
    soup_message_add_flags(message, SOUP_MESSAGE_NO_REDIRECT);
    pending->message = message;
    soup_session_send_and_read_async(session_, message, G_PRIORITY_DEFAULT, cancellable_, &finished,
                                     pending.release());
}

}  // namespace larkspan::update
