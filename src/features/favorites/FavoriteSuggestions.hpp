#pragma once

// The favorites as a suggestion source: the entries of the favorites menu of the window the
// user used last whose caption or address matches, in menu order.

#include "shell/AddressSuggestions.hpp"

namespace larkspan {

class ShellContext;

class FavoriteSuggestions : public AddressSuggestionSource {
  public:
    explicit FavoriteSuggestions(ShellContext& context) : ctx_(context) {}

    std::vector<AddressSuggestion> suggest(std::string_view text, std::size_t limit) override;
    // A favorite goes through the organizer, never from the address box.
    bool forget(const std::string&) override { return false; }

  private:
    ShellContext& ctx_;
};

}  // namespace larkspan
