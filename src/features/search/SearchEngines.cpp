#include "features/search/SearchEngines.hpp"

#include <glib.h>

#include <array>

namespace larkspan::search {

namespace {

// In the order of the options' engine list.
constexpr std::array<SearchEngine, 9> kEngines{{
    {"AllTheWeb", "www.alltheweb.com", "/search?cat=web&cs=utf8&q=", ""},
    {"AltaVista", "www.altavista.com", "/web/results?itag=wrx&q=", "&kgs=1&kls=0"},
    {"Ask Jeeves", "www.ask.com", "/web?q=", "&qsrc=0&o=0"},
    {"Excite", "msxml.excite.com", "/info.xcite/search/web/", ""},
    {"Google", "www.google.com", "/search?hl=en&lr=&q=", "&btnG=Search"},
    {"MSN Search", "search.msn.com", "/results.aspx?FORM=SRCHWB&q=", ""},
    {"Netscape", "search.netscape.com",
     "/ns/search?query=", "&st=webresults&fromPage=NSCPResults&x=18&y=5"},
    {"duckduckgo.com", "duckduckgo.com", "/search?q=", ""},
    {"Yahoo!", "search.yahoo.com", "/search?p=", "&ei=UTF-8&fr=FP-tab-web-t&fl=0&x=wrt"},
}};

constexpr std::size_t kFallback = 4;  // "Google"

}  // namespace

const SearchEngine* findSearchEngine(std::string_view name) {
    for (const SearchEngine& e : kEngines) {
        if (e.name == name) return &e;
    }
    return nullptr;
}

const SearchEngine& fallbackSearchEngine() {
    return kEngines[kFallback];
}

std::string encodeSearchText(std::string_view text) {
    std::string raw(text);
    gchar* escaped = g_uri_escape_string(raw.c_str(), nullptr, FALSE);
    std::string result = escaped ? escaped : "";
    g_free(escaped);
    return result;
}

std::string searchAddress(const SearchEngine& engine, std::string_view text) {
    // Over TLS: the query never crosses the network readable on the way.
    std::string address = "https://";
    address += engine.host;
    address += engine.before;
    address += encodeSearchText(text);
    address += engine.after;
    return address;
}

SearchPlan planSearch(std::string_view engineName, std::string_view text) {
    if (const SearchEngine* engine = findSearchEngine(engineName)) {
        return {searchAddress(*engine, text), false};
    }
    return {searchAddress(fallbackSearchEngine(), text), true};
}

}  // namespace larkspan::search
