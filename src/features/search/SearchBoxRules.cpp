#include "features/search/SearchBoxRules.hpp"

#include "features/search/SearchEngines.hpp"

namespace larkspan::search {

bool clickClears(std::string_view boxText) {
    return findSearchEngine(boxText) != nullptr;
}

std::optional<std::string> placeholderOnLeaving(std::string_view boxText,
                                                std::string_view engineName) {
    if (!boxText.empty()) return std::nullopt;
    return std::string(engineName);
}

}  // namespace larkspan::search
