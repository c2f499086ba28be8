#include "features/downloads/DownloadsRegistration.hpp"

#include <gtkmm/application.h>

#include <algorithm>
#include <memory>
#include <string>

#include "common/Dialogs.hpp"
#include "features/downloads/DownloadList.hpp"
#include "features/downloads/frmDownloads.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

void showDownloads(ShellContext& context) {
    Gtk::Window* window = context.windows().touch("frmDownloads");
    if (!window) return;
    if (Gtk::Window* owner = context.ownerWindow()) window->set_transient_for(*owner);
    window->present();
}

// The program ends with its last main window, and the downloads still receiving with it:
// the user says whether that is what they want.
void askCancelRunning(ShellContext& context, frmBrowser& closing, const DownloadList& list,
                      std::function<void(bool)> agreed) {
    const auto running = static_cast<std::size_t>(
        std::count_if(list.items().begin(), list.items().end(),
                      [](const std::shared_ptr<Download>& d) { return !d->status().ended(); }));
    if (running == 0) return agreed(true);
    const std::string text =
        running == 1
            ? std::string("A download is still in progress.\nCancel it and quit?")
            : std::to_string(running) + " downloads are still in progress.\nCancel them and quit?";
    context.dialogs().message(&closing, text, "Downloads", Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Question,
                              [agreed = std::move(agreed)](Dialogs::Answer answer) {
                                  agreed(answer == Dialogs::Answer::Yes);
                              });
}

}  // namespace

void registerDownloads(ShellContext& context, Gtk::Application& app) {
    // The list lives as long as the program's registrations do: the whole run.
    auto downloads = std::make_shared<DownloadList>();
    context.windows().define(
        "frmDownloads", [&context, downloads] { return makeDownloadsWindow(context, downloads); });
    context.commands().define("downloads", [&context](frmBrowser&) { showDownloads(context); });
    app.set_accels_for_action("win.downloads", {"<Control><Shift>y"});
    std::weak_ptr<DownloadList> list = downloads;
    context.clearableData().add({"_Download list", "chkClearDownloads",
                                 [list](ClearSince since, std::function<void()> done) {
                                     if (auto kept = list.lock()) kept->forgetEnded(since);
                                     done();
                                 }});
    context.addLastWindowGuard(
        [&context, list](frmBrowser& closing, std::function<void(bool)> agreed) {
            auto kept = list.lock();
            if (!kept) return agreed(true);
            askCancelRunning(context, closing, *kept, std::move(agreed));
        });
    context.signalPageOpened().connect([&context, list](frmBrowser&, Page& page) {
        page.engine().signalDownloadStarted.connect(
            [&context, list](const std::shared_ptr<Download>& download) {
                auto kept = list.lock();
                if (!kept || !download) return;
                kept->add(download);
                showDownloads(context);
            });
    });
}

}  // namespace larkspan
