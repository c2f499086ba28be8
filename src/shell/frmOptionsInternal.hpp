// Helpers shared by the options dialog's source files; private to them.
#pragma once

#include <memory>
#include <vector>

#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

// The caption of the "Show %" toggle: what it is set to, read with its frame ("Show %:
// Yes" while the bar shows its percentage).
inline const char* percentToggleCaption(bool shown) {
    return shown ? "Yes" : "No";
}

template <typename F>
auto frmOptions::runOwnDialog(F&& dialog) -> decltype(dialog()) {
    auto weak = std::weak_ptr<bool>(alive_);
    auto result = dialog();
    // The desktop hands the focus back once the dialog has gone; that activation is the
    // return to this dialog, not a new one.
    if (auto alive = weak.lock();
        alive && *alive && get_visible() && !property_is_active().get_value()) {
        activationIsReturn_ = true;
    }
    return result;
}

}  // namespace larkspan
