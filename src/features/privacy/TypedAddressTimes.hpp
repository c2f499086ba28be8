#pragma once

// When the addresses typed during this run were typed, so that a time range can take them
// out of the typed-address list again. Addresses of earlier runs carry no time: only
// "everything" clears them.

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "engine/SiteData.hpp"

namespace larkspan::privacy {

class TypedAddressTimes {
  public:
    using Clock = std::chrono::system_clock;

    void typed(const std::string& address, Clock::time_point when);
    // The addresses typed at or after `since`.
    std::set<std::string> typedSince(Clock::time_point since) const;
    // Forgets the addresses typed at or after `since` (all of them for everything).
    void forget(ClearSince since);

  private:
    struct Typed {
        std::string address;
        Clock::time_point when;
    };
    std::vector<Typed> typed_;
};

// The list without every entry in `gone`, in its order.
std::vector<std::string> without(const std::vector<std::string>& list,
                                 const std::set<std::string>& gone);

}  // namespace larkspan::privacy
