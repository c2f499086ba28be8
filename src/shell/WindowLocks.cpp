#include "shell/WindowLocks.hpp"

namespace larkspan {

void WindowLocks::hold(frmBrowser& window, bool held) {
    states_[&window].held = held;
    signalChanged.emit(window);
}

bool WindowLocks::held(const frmBrowser& window) const {
    auto it = states_.find(&window);
    return it != states_.end() && it->second.held;
}

void WindowLocks::showCaption(frmBrowser& window, const std::string& caption) {
    states_[&window].caption = caption;
    signalChanged.emit(window);
}

void WindowLocks::clearCaption(frmBrowser& window) {
    auto it = states_.find(&window);
    if (it == states_.end() || !it->second.caption) return;
    it->second.caption.reset();
    signalChanged.emit(window);
}

std::optional<std::string> WindowLocks::caption(const frmBrowser& window) const {
    auto it = states_.find(&window);
    return it == states_.end() ? std::nullopt : it->second.caption;
}

void WindowLocks::forget(const frmBrowser& window) {
    states_.erase(&window);
}

}  // namespace larkspan
