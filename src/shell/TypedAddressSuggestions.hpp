#pragma once

// The typed-address list as a suggestion source: the addresses typed into the box that
// match, the most recently added first. They carry no title and no score of their own;
// the visit history ranks the ones the user went to. The folded form of each address is
// kept beside the list from the first question on, so a key costs one pass of substring
// searches rather than folding every address again.

#include <sigc++/trackable.h>

#include "shell/AddressList.hpp"
#include "shell/AddressSuggestions.hpp"

namespace larkspan {

class TypedAddressSuggestions : public AddressSuggestionSource, public sigc::trackable {
  public:
    explicit TypedAddressSuggestions(AddressList& list);

    std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit) override;
    // The typed list is the history file's; only the visits forget.
    bool forget(const std::string&) override { return false; }

  private:
    const AddressList& list_;
    // The folded addresses, by position; empty until first asked.
    std::vector<std::string> folded_;
};

}  // namespace larkspan
