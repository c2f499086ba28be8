#pragma once

// What the address box offers in the list under it as the user types: pages the user went
// to, favorites and typed addresses that match every word typed. Sources are added by the
// features that know them; the address box asks each and merges what they give.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan {

struct AddressSuggestion {
    std::string title;  // empty when the source knows none
    std::string address;
    // How often and how recently the user went there; higher is better, 0 when the source
    // knows nothing of visits (a favorite, a typed address never visited).
    double score = 0.0;
    bool typed = false;  // the user typed this address (or a visit to it) in the box
};

class AddressSuggestionSource {
  public:
    virtual ~AddressSuggestionSource() = default;
    // Up to `limit` entries for which suggestionMatches(text, title, address) holds, best
    // first. `text` is what the box holds, as the user typed it.
    virtual std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit) = 0;
    // The user asked (Shift+Delete) not to be offered `address` again; true when this
    // source held it and let it go.
    virtual bool forget(const std::string& address) = 0;
};

// The matching rule every source follows: each word of `text` (split at white space) occurs
// somewhere in `title` or in `address`, letter case ignored (Unicode case folding). A text
// with no words matches nothing.
bool suggestionMatches(std::string_view text, std::string_view title, std::string_view address);
// The same for words that suggestionWords gave, so a source that tries many entries splits
// and folds the text once.
bool suggestionMatches(const std::vector<std::string>& words, std::string_view title,
                       std::string_view address);
// The form of a title or address that the words are looked for in (case-folded; text that
// is not UTF-8 as it is), and the match on forms a source folded once and kept.
std::string suggestionFold(std::string_view text);
bool suggestionMatchesFolded(const std::vector<std::string>& words, std::string_view foldedTitle,
                             std::string_view foldedAddress);

// The words of `text` as suggestionMatches sees them: split at white space and case-folded.
std::vector<std::string> suggestionWords(std::string_view text);

// Merges the lists of several sources into one of at most `limit`: an address offered twice
// appears once, with the higher score, typed when either was, and a title when either had
// one; the list runs by score, the typed ones first among equals, then in the order given.
std::vector<AddressSuggestion> mergeSuggestions(
    const std::vector<std::vector<AddressSuggestion>>& lists, std::size_t limit);

}  // namespace larkspan
