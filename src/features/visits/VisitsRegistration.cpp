#include "features/visits/VisitsRegistration.hpp"

#include <gtkmm/application.h>

#include "features/visits/VisitHistory.hpp"
#include "features/visits/frmVisits.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {

constexpr const char* kDataKey = "larkspan-visits";

}  // namespace

void registerVisits(ShellContext& context, Gtk::Application& app) {
    auto* history = new visits::VisitHistory(visits::VisitStore::defaultFile());
    g_object_set_data_full(G_OBJECT(app.gobj()), kDataKey, history,
                           [](gpointer p) { delete static_cast<visits::VisitHistory*>(p); });
    context.addSuggestionSource(*history);
    context.signalPageOpened().connect(
        [history](frmBrowser&, Page& page) { history->recorder().follow(page); });
    // What waits is written before the program ends.
    app.signal_shutdown().connect([history] { history->recorder().flush(); });

    context.windows().define("frmVisits",
                             [&context, history] { return makeVisitsWindow(context, *history); });
    context.commands().define("show-all-history", [&context](frmBrowser&) {
        Gtk::Window* window = context.windows().touch("frmVisits");
        if (!window) return;
        if (Gtk::Window* owner = context.ownerWindow()) window->set_transient_for(*owner);
        window->present();
    });
    app.set_accels_for_action("win.show-all-history", {"<Control><Shift>h"});
}

namespace visits {

VisitHistory* historyOf(Gtk::Application& app) {
    return static_cast<VisitHistory*>(g_object_get_data(G_OBJECT(app.gobj()), kDataKey));
}

bool clearVisitsSince(Gtk::Application& app, TimePoint since) {
    VisitHistory* history = historyOf(app);
    return history != nullptr && history->clearSince(since);
}

std::vector<std::string> addressesTypedSince(Gtk::Application& app, TimePoint since) {
    VisitHistory* history = historyOf(app);
    return history != nullptr ? history->typedSince(since) : std::vector<std::string>();
}

}  // namespace visits

}  // namespace larkspan
