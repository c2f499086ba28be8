#include "shell/TypedAddressSuggestions.hpp"

namespace larkspan {

std::vector<AddressSuggestion> TypedAddressSuggestions::suggest(std::string_view text,
                                                                std::size_t limit) {
    std::vector<AddressSuggestion> found;
    const std::vector<std::string> words = suggestionWords(text);
    for (std::size_t i = list_.size(); i-- > 0 && found.size() < limit;) {
        if (suggestionMatches(words, {}, list_[i])) {
            found.push_back({.title = {}, .address = list_[i], .score = 0.0, .typed = true});
        }
    }
    return found;
}

}  // namespace larkspan
