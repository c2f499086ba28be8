#include "features/session/SessionRegistration.hpp"

#include <gtkmm/application.h>

#include "features/session/ClosedTabs.hpp"
#include "features/session/SessionKeeper.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"

namespace larkspan {

void registerSession(ShellContext& context, Gtk::Application& app) {
    auto* keeper = new SessionKeeper(context);
    g_object_set_data_full(G_OBJECT(app.gobj()), "larkspan-session-keeper", keeper,
                           [](gpointer p) { delete static_cast<SessionKeeper*>(p); });
    auto* closed = new ClosedTabs(context);
    g_object_set_data_full(G_OBJECT(app.gobj()), "larkspan-closed-tabs", closed,
                           [](gpointer p) { delete static_cast<ClosedTabs*>(p); });
    context.commands().define("reopen-closed-tab",
                              [closed](frmBrowser& window) { closed->reopen(window); });
    app.set_accels_for_action("win.reopen-closed-tab", {"<Control><Shift>t"});
    // The session carries no times: any range clears all of it, the closed tabs with it.
    context.clearableData().add({"_Saved session and closed tabs", "chkClearSession",
                                 [keeper, closed](ClearSince, std::function<void()> done) {
                                     keeper->forgetSaved();
                                     closed->clear();
                                     done();
                                 }});
}

}  // namespace larkspan
