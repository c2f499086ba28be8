#include "support/PageServer.hpp"

#include <libsoup/soup.h>

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
    pages_[path] = Page{body, contentType, false};
}

void PageServer::holdPage(const std::string& path) {
    pages_[path] = Page{"<html><body>held</body></html>", "text/html", true};
}

void PageServer::releaseHeld() {
    auto held = std::move(held_);
    held_.clear();
    for (auto& [message, unused] : held) {
        static const char kBody[] = "<html><body></body></html>";
        soup_server_message_set_status(message, 200, nullptr);
        soup_server_message_set_response(message, "text/html", SOUP_MEMORY_STATIC, kBody,
                                         sizeof kBody - 1);
        soup_server_message_unpause(message);
        g_object_unref(message);
    }
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
    auto it = self->pages_.find(key);
    if (it == self->pages_.end()) {
        static const char kMissing[] = "<html><head><title>Not found</title></head></html>";
        soup_server_message_set_status(message, 404, nullptr);
        soup_server_message_set_response(message, "text/html", SOUP_MEMORY_STATIC, kMissing,
                                         sizeof kMissing - 1);
        return;
    }
    if (it->second.hold) {
        g_object_ref(message);
        soup_server_message_pause(message);
        self->held_[message] = true;
        return;
    }
    soup_server_message_set_status(message, 200, nullptr);
    soup_server_message_set_response(message, it->second.contentType.c_str(), SOUP_MEMORY_COPY,
                                     it->second.body.data(), it->second.body.size());
}

}  // namespace larkspan::test
