#include "features/visits/VisitsRegistration.hpp"

#include <gtkmm/application.h>

#include <chrono>

#include "features/visits/VisitHistory.hpp"
#include "features/visits/VisitStore.hpp"
#include "features/visits/frmVisits.hpp"
#include "shell/ClearData.hpp"
#include "shell/Page.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {

constexpr const char* kDataKey = "larkspan-visits";

// The visit history counts time in microseconds since 1970, as GLib's clock gives it.
visits::TimePoint toMicroseconds(std::chrono::system_clock::time_point when) {
    return std::chrono::duration_cast<std::chrono::microseconds>(when.time_since_epoch()).count();
}

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

    // Clearing browsing data takes the visits of the range, and the addresses typed in it.
    ClearDataRegistry& clearable = context.clearableData();
    clearable.add({"_Visited pages", "chkClearVisits",
                   [history](ClearSince since, std::function<void()> done) {
                       history->clearSince(since ? toMicroseconds(*since) : 0);
                       done();
                   }});
    clearable.addTypedSince([history](std::chrono::system_clock::time_point since) {
        return history->typedSince(toMicroseconds(since));
    });
}

}  // namespace larkspan
