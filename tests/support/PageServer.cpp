#include "support/PageServer.hpp"

#include <libsoup/soup.h>

#include <algorithm>

namespace larkspan::test {

PageServer::PageServer() {
    start("");
}

PageServer::PageServer(const std::string& tlsPem) {
    start(tlsPem);
}

void PageServer::start(const std::string& tlsPem) {
    GTlsCertificate* certificate = nullptr;
    if (!tlsPem.empty()) {
        certificate = g_tls_certificate_new_from_pem(tlsPem.c_str(), -1, nullptr);
        if (certificate == nullptr) return;
        tls_ = true;
    }
    server_ = soup_server_new("tls-certificate", certificate, nullptr);
    if (certificate != nullptr) g_object_unref(certificate);
    if (server_ == nullptr) {
        return;
    }
    soup_server_add_handler(server_, nullptr, &PageServer::onRequest, this, nullptr);
    GError* error = nullptr;
    auto options = static_cast<SoupServerListenOptions>(SOUP_SERVER_LISTEN_IPV4_ONLY |
                                                        (tls_ ? SOUP_SERVER_LISTEN_HTTPS : 0));
    if (!soup_server_listen_local(server_, 0, options, &error)) {
        g_clear_error(&error);
        return;
    }
    GSList* uris = soup_server_get_uris(server_);
    if (uris != nullptr) {
        port_ = static_cast<unsigned>(g_uri_get_port(static_cast<GUri*>(uris->data)));
    }
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
}

PageServer::~PageServer() {
    if (server_ == nullptr) {
        return;
    }
    releaseHeld();
    soup_server_disconnect(server_);
    g_object_unref(server_);
}

void PageServer::addPage(const std::string& path, const std::string& body,
                         const std::string& contentType) {
    pages_[path] = Page{body, contentType, false, {}, std::nullopt};
}

void PageServer::addHeader(const std::string& path, const std::string& name,
                           const std::string& value) {
    pages_[path].headers.emplace_back(name, value);
}

void PageServer::holdPage(const std::string& path) {
    pages_[path] = Page{"<html><body>held</body></html>", "text/html", true, {}, std::nullopt};
}

void PageServer::streamPage(const std::string& path, const std::string& body,
                            const std::string& contentType, std::size_t firstBytes) {
    pages_[path] = Page{body, contentType, false, {}, std::min(firstBytes, body.size())};
}

void PageServer::releaseHeld() {
    auto held = std::move(held_);
    held_.clear();
    for (auto& [message, what] : held) {
        g_signal_handlers_disconnect_by_data(message, this);
        if (what.streamed) {
            SoupMessageBody* body = soup_server_message_get_response_body(message);
            soup_message_body_append(body, SOUP_MEMORY_COPY, what.rest.data(), what.rest.size());
            soup_message_body_complete(body);
        } else {
            static const char kBody[] = "<html><body></body></html>";
            soup_server_message_set_status(message, 200, nullptr);
            soup_server_message_set_response(message, "text/html", SOUP_MEMORY_STATIC, kBody,
                                             sizeof kBody - 1);
        }
        soup_server_message_unpause(message);
        g_object_unref(message);
    }
}

void PageServer::onFinished(SoupServerMessage* message, void* data) {
    auto* self = static_cast<PageServer*>(data);
    g_signal_handlers_disconnect_by_data(message, self);
    if (self->held_.erase(message) > 0) g_object_unref(message);
}

void PageServer::breakHeld() {
    for (auto it = held_.begin(); it != held_.end();) {
        SoupServerMessage* message = it->first;
        if (!it->second.streamed) {
            ++it;
            continue;
        }
        g_signal_handlers_disconnect_by_data(message, this);
        it = held_.erase(it);
        GIOStream* connection = soup_server_message_steal_connection(message);
        if (connection != nullptr) {
            g_io_stream_close(connection, nullptr, nullptr);
            g_object_unref(connection);
        }
        g_object_unref(message);
    }
}

std::string PageServer::requestHeader(const std::string& path, const std::string& name) const {
    auto it = requestHeaders_.find(path);
    if (it == requestHeaders_.end()) return {};
    auto header = it->second.find(name);
    return header == it->second.end() ? std::string() : header->second;
}

std::string PageServer::url(const std::string& path) const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + path;
}

int PageServer::requestCount(const std::string& path) const {
    auto it = requests_.find(path);
    return it == requests_.end() ? 0 : it->second;
}

void PageServer::onRequest(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*,
                           void* data) {
    auto* self = static_cast<PageServer*>(data);
    std::string key = path != nullptr ? path : "";
    ++self->requests_[key];
    auto& recorded = self->requestHeaders_[key];
    recorded.clear();
    SoupMessageHeaders* requestHeaders = soup_server_message_get_request_headers(message);
    SoupMessageHeadersIter iter;
    soup_message_headers_iter_init(&iter, requestHeaders);
    const char* name = nullptr;
    const char* value = nullptr;
    while (soup_message_headers_iter_next(&iter, &name, &value)) recorded[name] = value;
    auto it = self->pages_.find(key);
    if (it == self->pages_.end()) {
        static const char kMissing[] = "<html><head><title>Not found</title></head></html>";
        soup_server_message_set_status(message, 404, nullptr);
        soup_server_message_set_response(message, "text/html", SOUP_MEMORY_STATIC, kMissing,
                                         sizeof kMissing - 1);
        return;
    }
    const Page& page = it->second;
    if (page.hold) {
        g_object_ref(message);
        soup_server_message_pause(message);
        self->held_[message] = Held{};
        return;
    }
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
    for (const auto& [headerName, headerValue] : page.headers) {
        soup_message_headers_append(headers, headerName.c_str(), headerValue.c_str());
    }
    if (page.firstBytes) {
        // The headers and the first part go out now; the rest waits for releaseHeld().
        soup_message_headers_set_content_length(headers, static_cast<goffset>(page.body.size()));
        soup_message_headers_set_content_type(headers, page.contentType.c_str(), nullptr);
        soup_server_message_set_status(message, 200, nullptr);
        SoupMessageBody* body = soup_server_message_get_response_body(message);
        soup_message_body_append(body, SOUP_MEMORY_COPY, page.body.data(), *page.firstBytes);
        g_object_ref(message);
        self->held_[message] = Held{page.body.substr(*page.firstBytes), true};
        // A client that goes away ends the answer: there is nothing left to send then.
        g_signal_connect(message, "finished", G_CALLBACK(&PageServer::onFinished), self);
        return;
    }
    soup_server_message_set_status(message, 200, nullptr);
    soup_server_message_set_response(message, page.contentType.c_str(), SOUP_MEMORY_COPY,
                                     page.body.data(), page.body.size());
}

}  // namespace larkspan::test
