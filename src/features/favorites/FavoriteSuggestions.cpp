#include "features/favorites/FavoriteSuggestions.hpp"

#include "features/favorites/FavoritesMenu.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

std::vector<AddressSuggestion> FavoriteSuggestions::suggest(std::string_view text,
                                                            std::size_t limit) {
    std::vector<AddressSuggestion> found;
    frmBrowser* window = ctx_.currentWindow();
    if (window == nullptr) return found;
    const std::vector<std::string> words = suggestionWords(text);
    for (const favorites::MenuEntry& entry :
         favorites::FavoritesMenu::of(*window).model().entries()) {
        if (found.size() == limit) break;
        if (entry.address.empty() || !suggestionMatches(words, entry.caption, entry.address)) {
            continue;
        }
        found.push_back({.title = entry.caption, .address = entry.address});
    }
    return found;
}

}  // namespace larkspan
