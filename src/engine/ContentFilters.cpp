#include "engine/ContentFilters.hpp"

#include <glib.h>

#include <algorithm>

namespace larkspan::engine {

std::string siteOf(const std::string& address) {
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (uri == nullptr) return {};
    const char* host = g_uri_get_host(uri);
    std::string site = host != nullptr ? host : "";
    g_uri_unref(uri);
    std::transform(site.begin(), site.end(), site.begin(),
                   [](unsigned char c) { return static_cast<char>(g_ascii_tolower(c)); });
    if (site.rfind("www.", 0) == 0) site.erase(0, 4);
    return site;
}

bool onAllowedSite(const std::string& address, const std::set<std::string>& sites) {
    if (sites.empty()) return false;
    std::string host = siteOf(address);
    while (!host.empty()) {
        if (sites.count(host)) return true;
        std::size_t dot = host.find('.');
        if (dot == std::string::npos) break;
        host.erase(0, dot + 1);
    }
    return false;
}

std::set<std::string> parseSites(const std::string& text) {
    std::set<std::string> sites;
    gchar** names = g_strsplit_set(text.c_str(), " \t\r\n", -1);
    for (gchar** name = names; *name != nullptr; ++name) {
        if (**name == '\0') continue;
        gchar* lower = g_ascii_strdown(*name, -1);
        sites.insert(lower);
        g_free(lower);
    }
    g_strfreev(names);
    return sites;
}

std::string formatSites(const std::set<std::string>& sites) {
    std::string text;
    for (const auto& site : sites) {
        if (!text.empty()) text += ' ';
        text += site;
    }
    return text;
}

}  // namespace larkspan::engine
