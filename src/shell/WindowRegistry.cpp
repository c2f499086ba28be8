#include "shell/WindowRegistry.hpp"

#include <glibmm/main.h>

#include <algorithm>

namespace larkspan {

void WindowRegistry::define(const std::string& name, Factory factory) {
    definitions_[name] = std::move(factory);
}

void WindowRegistry::setClosingOrder(std::vector<std::string> names) {
    closingOrder_ = std::move(names);
}

Gtk::Window* WindowRegistry::touch(const std::string& name) {
    if (auto* w = find(name)) return w;
    auto d = definitions_.find(name);
    if (d == definitions_.end() || !d->second) return nullptr;
    auto window = d->second();
    if (!window) return nullptr;
    window->set_name(name);
    Gtk::Window* raw = window.get();
    open_[name] = Open{std::move(window), ++made_};
    return raw;
}

Gtk::Window* WindowRegistry::find(const std::string& name) const {
    auto it = open_.find(name);
    return it == open_.end() ? nullptr : it->second.window.get();
}

void WindowRegistry::close(const std::string& name) {
    auto it = open_.find(name);
    if (it == open_.end()) return;
    // Move it out first: destroying a window may run code that touches the registry.
    std::unique_ptr<Gtk::Window> window = std::move(it->second.window);
    open_.erase(it);
    window->hide();
    window.reset();
    if (onClosed) onClosed(name);
}

void WindowRegistry::closeWhenIdle(const std::string& name, ShownAgain shownAgain,
                                   std::function<void()> then) {
    auto it = open_.find(name);
    if (it == open_.end()) return;
    it->second.window->hide();
    Glib::signal_idle().connect_once([this, alive = std::weak_ptr<bool>(alive_), name,
                                      serial = it->second.serial, shownAgain,
                                      then = std::move(then)] {
        if (alive.expired()) return;
        auto open = open_.find(name);
        if (open == open_.end() || open->second.serial != serial) return;
        if (shownAgain == ShownAgain::Stay && open->second.window->get_visible()) return;
        close(name);
        if (then) then();
    });
}

void WindowRegistry::closeAll() {
    auto named = [this](const std::string& name) {
        return std::find(closingOrder_.begin(), closingOrder_.end(), name) != closingOrder_.end();
    };
    std::vector<std::string> unnamed;
    for (const auto& [name, open] : open_) {
        if (!named(name)) unnamed.push_back(name);
    }
    for (const std::string& name : unnamed) close(name);
    for (const std::string& name : closingOrder_) close(name);
    // Windows opened while others closed.
    while (!open_.empty()) close(open_.begin()->first);
}

}  // namespace larkspan
