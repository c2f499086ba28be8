#include "shell/FindPosition.hpp"

namespace larkspan {

void FindPosition::restart(unsigned matches) {
    searching_ = true;
    matches_ = matches;
    current_ = matches > 0 ? 1 : 0;
}

void FindPosition::step(bool forward, unsigned matches) {
    searching_ = true;
    matches_ = matches;
    if (matches == 0) {
        current_ = 0;
        return;
    }
    // The page may have changed under the bar: a position beyond the end starts over.
    if (current_ == 0 || current_ > matches) {
        current_ = forward ? 1 : matches;
        return;
    }
    if (forward) {
        current_ = current_ == matches ? 1 : current_ + 1;
    } else {
        current_ = current_ == 1 ? matches : current_ - 1;
    }
}

void FindPosition::clear() {
    searching_ = false;
    current_ = 0;
    matches_ = 0;
}

std::string FindPosition::describe() const {
    if (!searching_) return {};
    if (matches_ == 0) return "No matches";
    return std::to_string(current_) + " of " + std::to_string(matches_) +
           (matches_ == 1 ? " match" : " matches");
}

}  // namespace larkspan
