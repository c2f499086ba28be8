#include "features/session/SessionRegistration.hpp"

#include <gtkmm/application.h>

#include "features/session/SessionKeeper.hpp"

namespace larkspan {

void registerSession(ShellContext& context, Gtk::Application& app) {
    auto* keeper = new SessionKeeper(context);
    g_object_set_data_full(G_OBJECT(app.gobj()), "larkspan-session-keeper", keeper,
                           [](gpointer p) { delete static_cast<SessionKeeper*>(p); });
}

}  // namespace larkspan
