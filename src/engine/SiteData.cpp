#include "engine/SiteData.hpp"

namespace larkspan::sitedata {

std::string describeKinds(unsigned kinds) {
    static const std::pair<unsigned, const char*> names[] = {
        {kCookies, "cookies"}, {kLocalStorage, "local storage"}, {kIndexedDb, "IndexedDB"},
        {kCache, "cache"},     {kOther, "other site data"},
    };
    std::string text;
    for (const auto& [kind, name] : names) {
        if ((kinds & kind) == 0) continue;
        if (!text.empty()) text += ", ";
        text += name;
    }
    return text;
}

}  // namespace larkspan::sitedata
