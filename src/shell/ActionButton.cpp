#include "shell/ActionButton.hpp"

#include <giomm/application.h>

#include "controls/StyledButton.hpp"

namespace larkspan::actions {

namespace {

constexpr std::string_view kAppPrefix = "app.";

// The application's action group and the action's name in it; no group for a name without
// the "app." prefix or when there is no application.
Glib::RefPtr<Gio::Application> groupOf(const std::string& detailedName, Glib::ustring& name) {
    if (detailedName.rfind(kAppPrefix, 0) != 0) return {};
    name = detailedName.substr(kAppPrefix.size());
    return Gio::Application::get_default();
}

bool usable(const Glib::RefPtr<Gio::Application>& app, const Glib::ustring& name) {
    return app && app->has_action(name) && app->get_action_enabled(name);
}

}  // namespace

void follow(StyledButton& button, const std::string& detailedName) {
    Glib::ustring name;
    auto app = groupOf(detailedName, name);
    button.setEnabled(usable(app, name));
    if (!app) return;
    // The connections end with the button. An action is still there while its removal is
    // signalled.
    auto update = [&button, name](const Glib::ustring&) {
        button.setEnabled(usable(Gio::Application::get_default(), name));
    };
    app->signal_action_added(name).connect(sigc::track_obj(update, button));
    app->signal_action_removed(name).connect(
        sigc::track_obj([&button](const Glib::ustring&) { button.setEnabled(false); }, button));
    app->signal_action_enabled_changed(name).connect(
        sigc::track_obj([update](const Glib::ustring& changed, bool) { update(changed); }, button));
}

bool activate(const std::string& detailedName) {
    Glib::ustring name;
    auto app = groupOf(detailedName, name);
    if (!usable(app, name)) return false;
    app->activate_action(name);
    return true;
}

}  // namespace larkspan::actions
