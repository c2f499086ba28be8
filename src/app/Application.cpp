#include "app/Application.hpp"

#include <gtkmm/builder.h>

#include <algorithm>

#include "app/SharedWindows.hpp"
#include "common/Dialogs.hpp"
#include "engine/WebKitPageEngine.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {
Application* gApp = nullptr;
PageEngineFactory gEngineFactory;
}  // namespace

Application& Application::instance() {
    if (!gApp) gApp = new Application();
    return *gApp;
}

void Application::shutdown() {
    delete gApp;
    gApp = nullptr;
}

void Application::setEngineFactory(PageEngineFactory factory) {
    gEngineFactory = std::move(factory);
}

std::unique_ptr<PageEngine> Application::makeEngine() {
    if (gEngineFactory) return gEngineFactory();
    return makeWebKitPageEngine([]() -> Dialogs& { return larkspan::dialogs(); });
}

Application::Application() {
    defineSharedWindows(windows_, *this);
    // Closing the options dialog throws its live copy of the options away with it.
    windows_.onClosed = [this](const std::string& name) {
        if (name == "frmOptions") discardOptions();
    };
}

Application::~Application() {
    windows_.closeAll();
    browserOrder_.clear();
    browsersOwned_.clear();
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
    }
    return *options_;
}

frmBrowser* Application::firstWindow() const {
    return browserOrder_.empty() ? nullptr : browserOrder_.front();
}

frmBrowser& Application::createBrowserWindow(std::unique_ptr<PageEngine> engine) {
    if (!engine) engine = makeEngine();
    // The theme's button colours stand for the system colours from the first window on.
    static bool systemColorsRead = false;
    if (!systemColorsRead) {
        scheme::readSystemColors();
        systemColorsRead = true;
    }
    auto builder = Gtk::Builder::create_from_resource("/org/larkspan/Larkspan/ui/frmBrowser.ui");
    frmBrowser* raw = nullptr;
    builder->get_widget_derived("frmBrowser", raw, static_cast<ShellContext&>(*this),
                                std::move(engine));
    browsersOwned_.emplace_back(raw);
    browserOrder_.push_back(raw);
    raw->Form_Load();
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
    browsersOwned_.erase(std::remove_if(browsersOwned_.begin(), browsersOwned_.end(), closed),
                         browsersOwned_.end());
    if (browserOrder_.empty()) quit();
}

int Application::run() {
    if (browserOrder_.empty()) return 0;
    loop_ = Glib::MainLoop::create();
    loop_->run();
    loop_.reset();
    return 0;
}

void Application::quit() {
    if (loop_) loop_->quit();
}

}  // namespace larkspan
