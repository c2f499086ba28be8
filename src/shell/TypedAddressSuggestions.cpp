#include "shell/TypedAddressSuggestions.hpp"

namespace larkspan {

TypedAddressSuggestions::TypedAddressSuggestions(AddressList& list) : list_(list) {
    list.signalAppended.connect([this](std::size_t position) {
        if (!folded_.empty() && position == folded_.size()) {
            folded_.push_back(suggestionFold(list_[position]));
        } else {
            folded_.clear();
        }
    });
    list.signalReset.connect([this](std::size_t) { folded_.clear(); });
}

std::vector<AddressSuggestion> TypedAddressSuggestions::suggest(std::string_view text,
                                                                std::size_t limit) {
    std::vector<AddressSuggestion> found;
    const std::vector<std::string> words = suggestionWords(text);
    if (words.empty()) return found;
    if (folded_.size() != list_.size()) {
        folded_.clear();
        folded_.reserve(list_.size());
        for (const std::string& address : list_.entries()) {
            folded_.push_back(suggestionFold(address));
        }
    }
    for (std::size_t i = folded_.size(); i-- > 0 && found.size() < limit;) {
        if (suggestionMatchesFolded(words, {}, folded_[i])) {
            found.push_back({.title = {}, .address = list_[i], .score = 0.0, .typed = true});
        }
    }
    return found;
}

}  // namespace larkspan
