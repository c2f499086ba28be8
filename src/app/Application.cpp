#include "app/Application.hpp"

#include <gtkmm/icontheme.h>

#include <cstdlib>

#include "app/LeftoverFiles.hpp"
#include "app/Registrations.hpp"
#include "common/Paths.hpp"
#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellRegistration.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {
Glib::RefPtr<Application> gApp;
PageEngineFactory gEngineFactory;
bool gUnique = true;
}  // namespace

Application& Application::instance() {
    if (!gApp) {
        auto flags = Gio::APPLICATION_HANDLES_OPEN;
        if (!gUnique) flags |= Gio::APPLICATION_NON_UNIQUE;
        gApp = Glib::RefPtr<Application>(new Application(flags));
    }
    return *gApp.get();
}

void Application::shutdown() {
    if (!gApp) return;
    gApp->closeEverything();
    // An application that was registered but never run (as in tests) has not shut down
    // yet; shutting down releases what the start-up set up, so the object can end.
    if (gApp->is_registered() && !gApp->shutDown_) g_signal_emit_by_name(gApp->gobj(), "shutdown");
    gApp.reset();
}

void Application::setUnique(bool unique) {
    gUnique = unique;
}

void Application::setEngineFactory(PageEngineFactory factory) {
    gEngineFactory = std::move(factory);
}

std::unique_ptr<PageEngine> Application::makeEngine() {
    if (gEngineFactory) return gEngineFactory();
    if (!session_) session_ = std::make_shared<WebSession>(WebSessionFolders::program());
    return makeWebKitPageEngine([]() -> Dialogs& { return larkspan::dialogs(); }, session_);
}

ContentFilters* Application::contentFilters() {
    if (gEngineFactory) return nullptr;
    if (!session_) session_ = std::make_shared<WebSession>(WebSessionFolders::program());
    return &session_->filters();
}

Application::Application(Gio::ApplicationFlags flags) : Gtk::Application(kId, flags) {
    // The page engine's sandbox is tried while the program starts, not when its first page
    // is asked for. (Tests with fake engines never ask.)
    if (!gEngineFactory) engine::startSandboxTrial();
    registerAll(*this, *this);
    signal_shutdown().connect([this] { shutDown_ = true; });
    dropUnappliedOptionsOnClose(*this, [this] { return shutDown_; });
}

Application::~Application() {
    closeEverything();
}

void Application::on_startup() {
    Gtk::Application::on_startup();
    // Run from a build, the program's icon is not installed yet: find it in the sources.
    static bool iconPathAdded = false;
    if (!iconPathAdded) {
        iconPathAdded = true;
        Gtk::IconTheme::get_default()->append_search_path(
            (paths::installedDataDir() / "icons").string());
    }
    Gtk::Window::set_default_icon_name("larkspan");
}

void Application::on_activate() {
    openMainWindow({});
}

void Application::on_open(const type_vec_files& files, const Glib::ustring&) {
    // With new windows in tabs, the addresses after the first open as tabs of its window,
    // in their order.
    frmBrowser* window = nullptr;
    for (const auto& file : files) {
        if (window && options().newWindowsInTabs) {
            window->openTab(file->get_uri(), frmBrowser::TabPlace::BesideInBackground);
        } else {
            window = &openMainWindow(file->get_uri());
        }
    }
}

frmBrowser& Application::openMainWindow(const std::string& address) {
    bool first = browsers().empty();
    frmBrowser& w = createBrowserWindow();
    if (!address.empty()) w.page().engine().navigate(address);
    w.show();
    if (!first) {
        w.present();
        return w;
    }
    removeLeftoverRewritesWhenIdle();
    // For the start-up benchmark: end once the home page has finished loading.
    if (const char* bench = std::getenv("LARKSPAN_BENCH_EXIT_AFTER_LOAD"); bench && *bench == '1') {
        w.page().engine().signalDownloadComplete.connect([this] { quit(); });
    }
    return w;
}

frmBrowser& Application::createBrowserWindow(std::unique_ptr<PageEngine> engine) {
    if (!is_registered()) {
        try {
            register_application();
        } catch (const Glib::Error&) {
            // Without a session bus the program runs on its own.
        }
    }
    return OwningShellContext::createBrowserWindow(std::move(engine));
}

}  // namespace larkspan
