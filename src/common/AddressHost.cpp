#include "common/AddressHost.hpp"

#include <glib.h>

namespace larkspan {

std::string addressHost(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (uri == nullptr) return {};
    std::string host;
    if (const char* h = g_uri_get_host(uri); h != nullptr && *h != '\0') {
        gchar* lower = g_ascii_strdown(h, -1);
        host = lower;
        g_free(lower);
    }
    g_uri_unref(uri);
    return host;
}

}  // namespace larkspan
