#include "shell/WindowRegistry.hpp"

namespace larkspan {

const std::vector<std::string>& WindowRegistry::unloadOrder() {
    static const std::vector<std::string> order{
        "frmPassword",   "frmFavorites", "frmHistory",
        "frmSource",     "frmAbout",     "frmFont",
        "Form2",         "frmPop",       "frmIE2LarkspanConverter",
        "frmBlockedLog", "frmOptions"};
    return order;
}

void WindowRegistry::define(const std::string& name, Factory factory) {
    factories_[name] = std::move(factory);
}

Gtk::Window* WindowRegistry::touch(const std::string& name) {
    if (auto* w = find(name)) return w;
    auto f = factories_.find(name);
    if (f == factories_.end() || !f->second) return nullptr;
    auto window = f->second();
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
    for (const auto& name : unloadOrder()) close(name);
    while (!open_.empty()) close(open_.begin()->first);
}

}  // namespace larkspan
