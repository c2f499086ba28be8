#include "shell/WindowRegistry.hpp"

#include <algorithm>

namespace larkspan {

void WindowRegistry::define(const std::string& name, int closingPlace, Factory factory) {
    definitions_[name] = Definition{closingPlace, std::move(factory)};
}

Gtk::Window* WindowRegistry::touch(const std::string& name) {
    if (auto* w = find(name)) return w;
    auto d = definitions_.find(name);
    if (d == definitions_.end() || !d->second.factory) return nullptr;
    auto window = d->second.factory();
    if (!window) return nullptr;
    window->set_name(name);
    Gtk::Window* raw = window.get();
    open_[name] = std::move(window);
    return raw;
}

Gtk::Window* WindowRegistry::find(const std::string& name) const {
    auto it = open_.find(name);
    return it == open_.end() ? nullptr : it->second.get();
}

void WindowRegistry::close(const std::string& name) {
    auto it = open_.find(name);
    if (it == open_.end()) return;
    // Move it out first: destroying a window may run code that touches the registry.
    std::unique_ptr<Gtk::Window> window = std::move(it->second);
    open_.erase(it);
    window->hide();
    window.reset();
    if (onClosed) onClosed(name);
}

void WindowRegistry::closeAll() {
    std::vector<std::pair<int, std::string>> order;
    for (const auto& [name, d] : definitions_) order.emplace_back(d.closingPlace, name);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : order) close(entry.second);
    while (!open_.empty()) close(open_.begin()->first);
}

}  // namespace larkspan
