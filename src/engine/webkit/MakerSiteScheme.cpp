#include "engine/webkit/MakerSiteScheme.hpp"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <array>
#include <utility>

#include "common/Failure.hpp"
#include "common/MakerSite.hpp"

// The program's built-in resources (generated from data/larkspan.gresource.xml). Naming the
// getter here keeps the resource bundle linked into every program that serves the site.
extern "C" GResource* larkspan_get_resource(void);

namespace larkspan {

namespace {

constexpr const char* kResourceFolder = "/org/larkspan/Larkspan/site/";
constexpr const char* kSiteHost = "site";

// Page names the site answers to, and the file each is stored in.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kPages{{
    {"", "index.html"},
    {"/", "index.html"},
    {"/index.html", "index.html"},
    {"/CII.htm", "CII.htm"},
    {"/download.php", "download.php"},
}};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (g_ascii_tolower(a[i]) != g_ascii_tolower(b[i])) {
            return false;
        }
    }
    return true;
}

void finishNotFound(WebKitURISchemeRequest* request, const char* address) {
    GError* error = g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND,
                                "The page \"%s\" does not exist on this site.",
                                address != nullptr ? address : "");
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
}

void onMakerSiteRequest(WebKitURISchemeRequest* request, gpointer /*data*/) {
    const char* address = webkit_uri_scheme_request_get_uri(request);
    GBytes* bytes = nullptr;
    try {
        if (auto path = makerSiteResourcePath(address != nullptr ? address : "")) {
            bytes = g_resources_lookup_data(path->c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
        }
    } catch (...) {
        reportFailure("reading a built-in page");
        bytes = nullptr;
    }
    if (bytes == nullptr) {
        finishNotFound(request, address);
        return;
    }
    GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
    WebKitURISchemeResponse* response =
        webkit_uri_scheme_response_new(stream, static_cast<gint64>(g_bytes_get_size(bytes)));
    // Every page of the site is HTML, download.php included.
    webkit_uri_scheme_response_set_content_type(response, "text/html");
    webkit_uri_scheme_response_set_status(response, 200, nullptr);
    webkit_uri_scheme_request_finish_with_response(request, response);
    g_object_unref(response);
    g_object_unref(stream);
    g_bytes_unref(bytes);
}

}  // namespace

std::optional<std::string> makerSiteResourcePath(std::string_view address) {
    std::string text(address);
    GUri* uri = g_uri_parse(text.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (uri == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> result;
    const char* scheme = g_uri_get_scheme(uri);
    const char* host = g_uri_get_host(uri);
    const char* path = g_uri_get_path(uri);
    if (scheme != nullptr && host != nullptr && equalsIgnoringCase(scheme, site::kScheme) &&
        equalsIgnoringCase(host, kSiteHost) && g_uri_get_port(uri) == -1 &&
        g_uri_get_userinfo(uri) == nullptr) {
        std::string_view pagePath = path != nullptr ? path : "";
        for (const auto& [name, file] : kPages) {
            if (equalsIgnoringCase(pagePath, name)) {
                result = std::string(kResourceFolder) + std::string(file);
                break;
            }
        }
    }
    g_uri_unref(uri);
    return result;
}

void registerMakerSiteScheme(WebKitWebContext* context) {
    if (context == nullptr) {
        context = webkit_web_context_get_default();
    }
    static const char* const kRegistered = "larkspan-site-scheme";
    if (g_object_get_data(G_OBJECT(context), kRegistered) != nullptr) {
        return;
    }
    g_object_set_data(G_OBJECT(context), kRegistered, GINT_TO_POINTER(1));
    // Touch the resource bundle so it is linked in and registered before the first request.
    (void)larkspan_get_resource();

    webkit_web_context_register_uri_scheme(context, site::kScheme, onMakerSiteRequest, nullptr,
                                           nullptr);
    WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
    // The pages come from inside the program: treat them as secure (no mixed-content
    // warnings) and local (web pages cannot reach into them).
    webkit_security_manager_register_uri_scheme_as_secure(security, site::kScheme);
    webkit_security_manager_register_uri_scheme_as_local(security, site::kScheme);
}

}  // namespace larkspan
