#pragma once

#include <gtkmm/builder.h>
#include <gtkmm/window.h>

#include <memory>
#include <utility>

namespace larkspan {

// Builds the window `name` of the window description `resource` as its class `T`, whose
// constructor takes the builder's two arguments and then `args`. The caller owns the window.
template <class T, class... Args>
std::unique_ptr<Gtk::Window> buildWindow(const char* resource, const char* name, Args&&... args) {
    auto builder = Gtk::Builder::create_from_resource(resource);
    T* raw = nullptr;
    builder->get_widget_derived(name, raw, std::forward<Args>(args)...);
    return std::unique_ptr<Gtk::Window>(raw);
}

}  // namespace larkspan
