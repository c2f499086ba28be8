#include "shell/AddressSuggestions.hpp"

#include <glib.h>

#include <algorithm>
#include <unordered_map>

namespace larkspan {

namespace {

std::string caseFold(std::string_view text) {
    gchar* folded = g_utf8_casefold(text.data(), static_cast<gssize>(text.size()));
    std::string result = folded != nullptr ? folded : "";
    g_free(folded);
    return result;
}

// Text that is not valid UTF-8 (a stored title from a broken page) is matched as it is,
// byte for byte, rather than folded.
std::string foldIfValid(std::string_view text) {
    // An empty view may point nowhere, which GLib does not take.
    if (text.empty()) return {};
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)
               ? caseFold(text)
               : std::string(text);
}

}  // namespace

std::string suggestionFold(std::string_view text) {
    return foldIfValid(text);
}

std::vector<std::string> suggestionWords(std::string_view text) {
    std::vector<std::string> words;
    std::string folded = foldIfValid(text);
    std::size_t at = 0;
    while (at < folded.size()) {
        while (at < folded.size() && g_ascii_isspace(folded[at])) ++at;
        std::size_t end = at;
        while (end < folded.size() && !g_ascii_isspace(folded[end])) ++end;
        if (end > at) words.push_back(folded.substr(at, end - at));
        at = end;
    }
    return words;
}

bool suggestionMatches(std::string_view text, std::string_view title, std::string_view address) {
    return suggestionMatches(suggestionWords(text), title, address);
}

bool suggestionMatches(const std::vector<std::string>& words, std::string_view title,
                       std::string_view address) {
    return suggestionMatchesFolded(words, foldIfValid(title), foldIfValid(address));
}

bool suggestionMatchesFolded(const std::vector<std::string>& words, std::string_view foldedTitle,
                             std::string_view foldedAddress) {
    if (words.empty()) return false;
    return std::all_of(words.begin(), words.end(), [&](const std::string& word) {
        return foldedTitle.find(word) != std::string_view::npos ||
               foldedAddress.find(word) != std::string_view::npos;
    });
}

std::vector<AddressSuggestion> mergeSuggestions(
    const std::vector<std::vector<AddressSuggestion>>& lists, std::size_t limit) {
    std::vector<AddressSuggestion> merged;
    std::unordered_map<std::string, std::size_t> index;
    for (const auto& list : lists) {
        for (const AddressSuggestion& suggestion : list) {
            auto [found, added] = index.try_emplace(suggestion.address, merged.size());
            if (added) {
                merged.push_back(suggestion);
                continue;
            }
            AddressSuggestion& kept = merged[found->second];
            kept.score = std::max(kept.score, suggestion.score);
            kept.typed = kept.typed || suggestion.typed;
            if (kept.title.empty()) kept.title = suggestion.title;
        }
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const AddressSuggestion& a, const AddressSuggestion& b) {
                         if (a.score != b.score) return a.score > b.score;
                         return a.typed && !b.typed;
                     });
    if (merged.size() > limit) merged.resize(limit);
    return merged;
}

}  // namespace larkspan
