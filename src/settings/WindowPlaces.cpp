#include "settings/WindowPlaces.hpp"

#include <string>
#include <vector>

#include "common/StoredValue.hpp"
#include "settings/SettingsKeys.hpp"

namespace larkspan {

WindowPlaces WindowPlaces::read(const SettingsStore& store) {
    WindowPlaces p;
    auto single = [&store](std::string_view key, double def) {
        auto v = stored::toSingle(store.read(keys::kSettings, key, stored::number(def)));
        return v ? static_cast<double>(*v) : def;
    };
    p.left = single(keys::kMainLeft, p.left);
    p.top = single(keys::kMainTop, p.top);
    p.width = single(keys::kMainWidth, p.width);
    p.height = single(keys::kMainHeight, p.height);
    auto state = stored::toInt16(store.read(keys::kSettings, keys::kWindowState, "2"));
    if (state && *state >= Normal && *state <= Maximized) p.state = *state;
    if (p.state != Maximized) {
        p.top = single(keys::kTop, p.top);
        p.left = single(keys::kLeft, p.left);
    }
    return p;
}

bool WindowPlaces::write(SettingsStore& store) const {
    std::vector<SettingsStore::Entry> entries;
    auto add = [&entries](std::string_view key, std::string value) {
        entries.push_back({std::string(keys::kSettings), std::string(key), std::move(value)});
    };
    add(keys::kWindowState, state == Maximized ? "2" : "0");
    if (state == Normal) {
        add(keys::kMainLeft, stored::number(left));
        add(keys::kMainTop, stored::number(top));
        add(keys::kMainWidth, stored::number(width));
        add(keys::kMainHeight, stored::number(height));
        add(keys::kTop, stored::number(top));
        add(keys::kLeft, stored::number(left));
    }
    return store.writeAll(entries);
}

}  // namespace larkspan
