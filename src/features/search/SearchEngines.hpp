#pragma once

// The fixed table of search engines the search box can send its text to, and the query
// addresses built from it.

#include <optional>
#include <string>
#include <string_view>

namespace larkspan::search {

struct SearchEngine {
    std::string_view name;    // the entry of the options' engine list, matched exactly
    std::string_view host;    // the engine's public web-search host
    std::string_view before;  // path and query up to the search text
    std::string_view after;   // what follows the search text
};

// The engine listed under `name` (exact comparison, with case), if any.
const SearchEngine* findSearchEngine(std::string_view name);

// The engine searched with when no listed engine is chosen.
const SearchEngine& fallbackSearchEngine();

// The text as one query value or path segment: every byte but the unreserved letters,
// digits and "-._~" is percent-encoded, so "&", "#", "+", "/" and spaces reach the engine
// as text and non-ASCII text travels as its UTF-8 bytes.
std::string encodeSearchText(std::string_view text);

// "http://" + host + before + the encoded text + after.
std::string searchAddress(const SearchEngine& engine, std::string_view text);

// What a search with the chosen engine name and the box's text does.
struct SearchPlan {
    std::string address;
    // No listed engine is chosen: the user is told that the fallback engine is used.
    bool autoSelected = false;
};
SearchPlan planSearch(std::string_view engineName, std::string_view text);

}  // namespace larkspan::search
