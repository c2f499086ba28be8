#include "features/update/UpdateRules.hpp"

#include <glib.h>

#include "BuildConfig.hpp"

namespace larkspan::update {

std::string localVersionText() {
    return std::to_string(build::kVersionMajor) + "." + std::to_string(build::kVersionMinor) + "." +
           std::to_string(build::kVersionRevision);
}

Outcome decide(Trigger trigger, const std::optional<std::string>& fetched, std::string& versionBox,
               std::string_view local) {
    if (fetched) {
        versionBox = *fetched;
    } else if (trigger == Trigger::Startup) {
        return Outcome::Silent;
    }
    if (versionBox == local) return trigger == Trigger::User ? Outcome::UpToDate : Outcome::Silent;
    return Outcome::OfferUpdate;
}

namespace {

bool isLoopbackHost(std::string_view host) {
    if (g_ascii_strcasecmp(std::string(host).c_str(), "localhost") == 0) return true;
    if (host == "::1" || host == "[::1]") return true;
    // 127.0.0.0/8 written as a dotted quad.
    if (host.substr(0, 4) != "127.") return false;
    int dots = 0;
    for (char c : host) {
        if (c == '.') {
            ++dots;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return dots == 3;
}

}  // namespace

bool isSafeUpdateAddress(std::string_view address) {
    GUri* uri = g_uri_parse(std::string(address).c_str(), G_URI_FLAGS_NONE, nullptr);
    if (uri == nullptr) return false;
    const char* scheme = g_uri_get_scheme(uri);
    const char* host = g_uri_get_host(uri);
    bool safe = false;
    if (scheme != nullptr && host != nullptr && *host != '\0') {
        if (g_ascii_strcasecmp(scheme, "https") == 0) {
            safe = true;
        } else if (g_ascii_strcasecmp(scheme, "http") == 0) {
            safe = isLoopbackHost(host);
        }
    }
    g_uri_unref(uri);
    return safe;
}

}  // namespace larkspan::update
