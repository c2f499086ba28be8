// Helpers shared by the options dialog's source files; private to them.
#pragma once

#include <memory>
#include <vector>

#include "common/Dialogs.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

// The caption of the "Show %" toggle: what it is set to, read with its frame ("Show %:
// Yes" while the bar shows its percentage).
inline const char* percentToggleCaption(bool shown) {
    return shown ? "Yes" : "No";
}

template <typename... Args, typename Fn>
std::function<void(Args...)> frmOptions::ownAnswer(Fn then) {
    return whileAlive<Args...>(*this, [this, then = std::move(then)](Args... args) {
        // The desktop hands the focus back once the question has gone.
        if (get_visible() && !property_is_active().get_value()) activationIsReturn_ = true;
        then(args...);
    });
}

}  // namespace larkspan
