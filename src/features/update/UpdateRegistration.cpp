#include "features/update/UpdateRegistration.hpp"

#include <gtkmm/application.h>

#include "common/DesktopOpen.hpp"
#include "common/MakerSite.hpp"
#include "common/Paths.hpp"
#include "features/update/UpdateCheck.hpp"
#include "features/update/frmAbout.hpp"
#include "features/update/frmPop.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

// Navigates the window's page to one of the maker's pages and gives the page the focus.
void openSitePage(frmBrowser& window, const char* address) {
    window.page().engine().navigate(address);
    window.page().engine().grabFocus();
}

}  // namespace

void registerUpdate(ShellContext& context, Gtk::Application& app) {
    auto check = std::make_shared<update::UpdateCheck>(context);

    WindowRegistry& windows = context.windows();
    windows.define(update::kUpdateWindow, [&context] { return makeUpdateWindow(context); });
    windows.define("frmAbout", [&context, check] { return makeAboutBox(context, *check); });

    app.add_action("check-updates", [check] { check->run(update::Trigger::User); });
    context.signalMainWindowLoading().connect([&context, check](frmBrowser&) {
        if (context.options().checkUpdates) check->run(update::Trigger::Startup);
    });

    WindowCommands& commands = context.commands();
    commands.define("about", [&context](frmBrowser&) {
        Gtk::Window* about = context.windows().touch("frmAbout");
        if (about == nullptr) return;
        if (Gtk::Window* owner = context.ownerWindow()) about->set_transient_for(*owner);
        about->present();
    });
    commands.define("whats-new", [](frmBrowser& window) {
        // The desktop shows the file; when it cannot, the user is told why.
        openFileOrSay(&window, paths::installedDataDir() / "Readme.txt", "What's New?");
    });
    commands.define("send-issue",
                    [](frmBrowser& window) { openSitePage(window, site::kIssuePage); });
    commands.define("visit-website", [](frmBrowser& window) { openSitePage(window, site::kHome); });
}

}  // namespace larkspan
