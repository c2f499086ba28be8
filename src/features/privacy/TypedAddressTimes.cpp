#include "features/privacy/TypedAddressTimes.hpp"

#include <algorithm>

namespace larkspan::privacy {

void TypedAddressTimes::typed(const std::string& address, Clock::time_point when) {
    typed_.push_back({address, when});
}

std::set<std::string> TypedAddressTimes::typedSince(Clock::time_point since) const {
    std::set<std::string> out;
    for (const Typed& t : typed_) {
        if (t.when >= since) out.insert(t.address);
    }
    return out;
}

void TypedAddressTimes::forget(ClearSince since) {
    std::erase_if(typed_, [&](const Typed& t) { return !since || t.when >= *since; });
}

std::vector<std::string> without(const std::vector<std::string>& list,
                                 const std::set<std::string>& gone) {
    std::vector<std::string> out;
    for (const std::string& entry : list) {
        if (!gone.count(entry)) out.push_back(entry);
    }
    return out;
}

}  // namespace larkspan::privacy
