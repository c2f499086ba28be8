#pragma once

// The typed-address list as a suggestion source: the addresses typed into the box that
// match, the most recently added first. They carry no title and no score of their own;
// the visit history ranks the ones the user went to.

#include "shell/AddressList.hpp"
#include "shell/AddressSuggestions.hpp"

namespace larkspan {

class TypedAddressSuggestions : public AddressSuggestionSource {
  public:
    explicit TypedAddressSuggestions(const AddressList& list) : list_(list) {}

    std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit) override;
    // The typed list is the history file's; only the visits forget.
    bool forget(const std::string&) override { return false; }

  private:
    const AddressList& list_;
};

}  // namespace larkspan
