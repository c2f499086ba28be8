#include "app/Application.hpp"

#include <gtkmm/builder.h>
#include <gtkmm/icontheme.h>

#include <algorithm>
#include <cstdlib>

#include "app/LeftoverFiles.hpp"
#include "app/Registrations.hpp"
#include "common/Dialogs.hpp"
#include "common/Paths.hpp"
#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"
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

Application::Application(Gio::ApplicationFlags flags) : Gtk::Application(kId, flags) {
    // The page engine's sandbox is tried while the program starts, not when its first page
    // is asked for. (Tests with fake engines never ask.)
    if (!gEngineFactory) engine::startSandboxTrial();
    registerAll(*this, *this);
    signal_shutdown().connect([this] { shutDown_ = true; });
    // Closing the options dialog drops the options it did not apply: the model takes the
    // stored values again at once, and every window that showed a tried value follows it.
    windows_.onClosed = [this](const std::string& name) {
        if (name != "frmOptions") return;
        discardOptions();
        if (!shutDown_) options();
    };
}

Application::~Application() {
    closeEverything();
}

void Application::closeEverything() {
    windows_.closeAll();
    browserOrder_.clear();
    browsersOwned_.clear();
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
    for (const auto& file : files) openMainWindow(file->get_uri());
}

frmBrowser& Application::openMainWindow(const std::string& address) {
    bool first = browserOrder_.empty();
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

SettingsStore& Application::settings() {
    if (!store_) store_ = std::make_unique<SettingsStore>(SettingsStore::defaultFile());
    return *store_;
}

Dialogs& Application::dialogs() {
    return larkspan::dialogs();
}

OptionsModel& Application::options() {
    if (!options_) {
        options_ = std::make_unique<OptionsModel>();
        options_->load(settings());
    } else {
        options_->reloadIfStale(settings());
    }
    return *options_;
}

frmBrowser* Application::firstWindow() const {
    return browserOrder_.empty() ? nullptr : browserOrder_.front();
}

frmBrowser& Application::createBrowserWindow(std::unique_ptr<PageEngine> engine) {
    // Windows join a registered application only (tests make windows without running it).
    if (!is_registered()) {
        try {
            register_application();
        } catch (const Glib::Error&) {
            // Without a session bus the program runs on its own.
        }
    }
    // An engine handed in hosts a popup: the engine loads the popup's page as soon as the
    // window is made, and a home page asked for now would race that load.
    bool hostsPopup = engine != nullptr;
    if (!engine) engine = makeEngine();
    // The page is asked for first: the engine's processes start and fetch it while the
    // window is being built.
    std::string home =
        hostsPopup ? frmBrowser::readHomePage(*this) : frmBrowser::requestHomePage(*this, *engine);
    // The theme's button colours stand for the system colours from the first window on.
    static bool systemColorsRead = false;
    if (!systemColorsRead) {
        scheme::readSystemColors();
        scheme::followDesktopTheme();
        systemColorsRead = true;
    }
    auto builder = Gtk::Builder::create_from_resource("/org/larkspan/Larkspan/ui/frmBrowser.ui");
    frmBrowser* raw = nullptr;
    builder->get_widget_derived("frmBrowser", raw, static_cast<ShellContext&>(*this),
                                std::move(engine));
    browsersOwned_.emplace_back(raw);
    browserOrder_.push_back(raw);
    // The application runs as long as it has main windows, shown or hidden in the tray.
    gtk_window_set_application(GTK_WINDOW(raw->gobj()), gobj());
    raw->Form_Load(std::move(home));
    return *raw;
}

void Application::browserClosed(frmBrowser* window) {
    auto pos = std::find(browserOrder_.begin(), browserOrder_.end(), window);
    if (pos == browserOrder_.end()) return;
    browserOrder_.erase(pos);
    // Release the window after the handler that closed it has returned. The slot is
    // tied to this object, so it never runs after the application object is gone.
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &Application::releaseClosed));
}

void Application::releaseClosed() {
    auto closed = [this](const std::unique_ptr<frmBrowser>& p) {
        return std::find(browserOrder_.begin(), browserOrder_.end(), p.get()) ==
               browserOrder_.end();
    };
    // Destroying a window takes it out of the application, which ends with its last one.
    browsersOwned_.erase(std::remove_if(browsersOwned_.begin(), browsersOwned_.end(), closed),
                         browsersOwned_.end());
}

}  // namespace larkspan
