// The WebKit page engine's plain rules: zoom levels, progress percentages, typed addresses.
#include <glib.h>

#include <cmath>
#include <string>

#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebKitPageEngineInternal.hpp"

namespace larkspan::engine {

using webkit_internal::toString;

std::optional<double> zoomFactorForLevel(int level) {
    if (level < 0 || level >= static_cast<int>(kZoomFactors.size())) {
        return std::nullopt;
    }
    return kZoomFactors[static_cast<std::size_t>(level)];
}

int zoomLevelForFactor(double factor) {
    if (!std::isfinite(factor)) {
        return kDefaultZoomLevel;
    }
    int best = 0;
    for (int level = 1; level < static_cast<int>(kZoomFactors.size()); ++level) {
        if (std::fabs(kZoomFactors[static_cast<std::size_t>(level)] - factor) <
            std::fabs(kZoomFactors[static_cast<std::size_t>(best)] - factor)) {
            best = level;
        }
    }
    return best;
}

long progressPercent(double fraction) {
    if (!std::isfinite(fraction) || fraction <= 0.0) {
        return 0;
    }
    if (fraction >= 1.0) {
        return 100;
    }
    return std::lround(fraction * 100.0);
}

std::string normalizeAddress(const std::string& address) {
    const char* blanks = " \t\r\n\f\v";
    auto first = address.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    std::string text = address.substr(first, address.find_last_not_of(blanks) - first + 1);
    // "~/page.html" names a file in the user's home folder, as it does in a shell.
    if (text == "~" || text.starts_with("~/")) {
        text = std::string(g_get_home_dir()) + text.substr(1);
    }
    if (text.front() == '/') {
        gchar* uri = g_filename_to_uri(text.c_str(), nullptr, nullptr);
        std::string result = toString(uri);
        g_free(uri);
        return result;
    }
    const char* scheme = g_uri_peek_scheme(text.c_str());
    if (scheme != nullptr) {
        std::size_t rest = std::char_traits<char>::length(scheme) + 1;
        // "localhost:8080/page" reads as a scheme followed by a port number: a host name.
        std::size_t digits = rest;
        while (digits < text.size() && g_ascii_isdigit(text[digits])) {
            ++digits;
        }
        bool hostAndPort = digits > rest && (digits == text.size() || text[digits] == '/' ||
                                             text[digits] == '?' || text[digits] == '#');
        if (!hostAndPort) {
            return text;
        }
    }
    return "http://" + text;
}

}  // namespace larkspan::engine
