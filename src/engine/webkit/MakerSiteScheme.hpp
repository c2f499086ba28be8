#pragma once

#include <optional>
#include <string>
#include <string_view>

typedef struct _WebKitWebContext WebKitWebContext;

namespace larkspan {

// The resource path, inside the program's built-in resources, of the page that a maker-site
// address ("larkspan://site/...") names; nothing when the address names no page. The query
// and fragment play no part: "download.php?action=dc&cid=6" is the download page whatever
// its query says.
std::optional<std::string> makerSiteResourcePath(std::string_view address);

// Makes the web engine serve the maker's site from the built-in resources under the
// "larkspan" scheme, in `context` (the engine's default context when null). Safe to call
// any number of times; only the first call for a context acts.
void registerMakerSiteScheme(WebKitWebContext* context = nullptr);

}  // namespace larkspan
