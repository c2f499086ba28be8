#include "engine/PermissionRequest.hpp"

#include <glib.h>

#include <utility>

#include "common/Failure.hpp"

namespace larkspan {

PermissionRequest::PermissionRequest(PermissionKind kind, std::string origin,
                                     std::function<void(bool)> respond)
    : kind_(kind), origin_(std::move(origin)), respond_(std::move(respond)) {}

PermissionRequest::~PermissionRequest() {
    try {
        answer(false);
    } catch (...) {
        reportFailure("denying an unanswered permission request");
    }
}

void PermissionRequest::answer(bool allowed) {
    if (!respond_) return;
    // Cleared first: the answer may drop the last holder of the request.
    std::function<void(bool)> respond = std::move(respond_);
    respond_ = nullptr;
    respond(allowed);
}

namespace engine {

std::string permissionOrigin(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (uri == nullptr) return {};
    std::string origin;
    if (const char* host = g_uri_get_host(uri); host != nullptr && *host != '\0') {
        gchar* lower = g_ascii_strdown(host, -1);
        origin = lower;
        g_free(lower);
        // An IPv6 address keeps its brackets, so the port stays apart from it.
        if (origin.find(':') != std::string::npos) origin = "[" + origin + "]";
        if (int port = g_uri_get_port(uri); port > 0) origin += ":" + std::to_string(port);
    }
    g_uri_unref(uri);
    return origin;
}

}  // namespace engine

}  // namespace larkspan
