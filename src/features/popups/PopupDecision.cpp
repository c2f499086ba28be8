#include "features/popups/PopupDecision.hpp"

#include <charconv>
#include <cstdint>

namespace larkspan::popups {

using Mode = OptionsModel::PopupMode;

bool asksUser(Mode mode) {
    return mode == Mode::AskMe;
}

Outcome decide(Mode mode, std::optional<bool> allowedByUser, bool logOn, std::string_view target) {
    Outcome refused;
    refused.counted = true;
    Outcome allowed;
    allowed.route = target == kOwnTarget ? Route::NewWindow : Route::DefaultBrowser;
    switch (mode) {
        case Mode::Block:
            return refused;  // never logged, no notice
        case Mode::AskMe:
            if (allowedByUser.value_or(false)) return allowed;
            refused.logged = logOn;
            return refused;
        case Mode::Allow:
            return allowed;
        case Mode::BlockAndAlert:
            refused.logged = logOn;
            refused.notice = true;
            return refused;
        case Mode::None:
            break;
    }
    // No mode selected: a new main window, whatever the target says.
    Outcome own;
    own.route = Route::NewWindow;
    return own;
}

std::string nextBlockedCount(std::string_view counter) {
    std::string_view digits = counter;
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        value == INT64_MAX) {
        return std::string(counter);
    }
    return std::to_string(value + 1);
}

}  // namespace larkspan::popups
