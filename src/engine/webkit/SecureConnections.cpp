// The rules of secure connections.
#include "engine/webkit/SecureConnections.hpp"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include "engine/webkit/WebKitPageEngine.hpp"

namespace larkspan::engine {

namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n\f\v";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

TypedAddress typedAddress(const std::string& text) {
    std::string uri = normalizeAddress(text);
    // The scheme was added, not typed.
    if (uri.starts_with("http://") && uri == "http://" + trimmed(text)) {
        return {"https://" + uri.substr(7), uri};
    }
    return {uri, {}};
}

std::string hostOf(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (uri == nullptr) return {};
    const char* host = g_uri_get_host(uri);
    std::string result;
    if (host != nullptr) {
        gchar* lower = g_ascii_strdown(host, -1);
        result = lower;
        g_free(lower);
    }
    g_uri_unref(uri);
    if (result.size() >= 2 && result.front() == '[' && result.back() == ']') {
        result = result.substr(1, result.size() - 2);
    }
    return result;
}

bool isLoopbackHost(std::string_view host) {
    std::string name(host);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
        name = name.substr(1, name.size() - 2);
    }
    while (!name.empty() && name.back() == '.') name.pop_back();
    gchar* lower = g_ascii_strdown(name.c_str(), -1);
    name = lower;
    g_free(lower);
    if (name == "localhost" || name.ends_with(".localhost")) return true;
    GInetAddress* address = g_inet_address_new_from_string(name.c_str());
    if (address == nullptr) return false;
    bool loopback = g_inet_address_get_is_loopback(address) != FALSE;
    g_object_unref(address);
    return loopback;
}

bool failedToConnect(const GError* error) {
    if (error == nullptr) return false;
    if (error->domain == WEBKIT_NETWORK_ERROR) return false;
    if (error->domain == G_TLS_ERROR) return true;
    if (error->domain != G_IO_ERROR) return false;
    switch (error->code) {
        case G_IO_ERROR_CONNECTION_REFUSED:
        case G_IO_ERROR_CONNECTION_CLOSED:
        case G_IO_ERROR_NOT_CONNECTED:
        case G_IO_ERROR_TIMED_OUT:
        // The network layer gives up a handshake that a plain server answers so; the
        // user's Stop and a navigation that replaces the load come as the engine's own
        // cancellation instead.
        case G_IO_ERROR_CANCELLED:
            return true;
        default:
            return false;
    }
}

bool refusedAsInsecure(const std::string& address, const std::set<std::string>& allowedHosts) {
    const char* scheme = g_uri_peek_scheme(address.c_str());
    if (scheme == nullptr || g_strcmp0(scheme, "http") != 0) return false;
    std::string host = hostOf(address);
    if (host.empty() || isLoopbackHost(host)) return false;
    return allowedHosts.count(host) == 0;
}

}  // namespace larkspan::engine
