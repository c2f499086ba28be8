#include "app/Application.hpp"

#include <gtkmm/icontheme.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/EngineOptions.hpp"
#include "app/LeftoverFiles.hpp"
#include "app/Registrations.hpp"
#include "common/Paths.hpp"
#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"
#include "engine/webkit/WebSession.hpp"
#include "features/permissions/PermissionStore.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/PrivateWindow.hpp"
#include "shell/ShellRegistration.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {
Glib::RefPtr<Application> gApp;
PageEngineFactory gEngineFactory;
bool gUnique = true;

// The session of the ordinary windows; its page processes learn the notification answers
// the user asked to remember.
std::shared_ptr<WebSession> makeOrdinarySession() {
    auto session = std::make_shared<WebSession>(WebSessionFolders::program());
    session->setNotificationSites([] {
        WebSession::NotificationSites sites;
        permissions::PermissionStore store(permissions::PermissionStore::defaultFile());
        for (const permissions::SiteAnswer& answer : store.all()) {
            if (answer.kind != PermissionKind::Notifications) continue;
            (answer.allowed ? sites.allowed : sites.refused).push_back(answer.site);
        }
        return sites;
    });
    return session;
}
}  // namespace

Application& Application::instance() {
    if (!gApp) {
        auto flags = Gio::APPLICATION_HANDLES_OPEN | Gio::APPLICATION_HANDLES_COMMAND_LINE;
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

// Made at the first need, whichever that is, and following the engine's options from then on.
const std::shared_ptr<WebSession>& Application::ordinarySession() {
    if (!session_) {
        session_ = makeOrdinarySession();
        followEngineOptions(options(), session_);
    }
    return session_;
}

std::unique_ptr<PageEngine> Application::makeEngine() {
    if (gEngineFactory) return gEngineFactory();
    return makeWebKitPageEngine([]() -> Dialogs& { return larkspan::dialogs(); },
                                ordinarySession());
}

std::unique_ptr<PageEngine> Application::makePrivateEngine() {
    // The tests' engines are never private.
    if (gEngineFactory) return gEngineFactory();
    std::shared_ptr<WebSession> session = privateSession_.lock();
    if (!session) {
        session = WebSession::makePrivate(ordinarySession());
        followEngineOptions(options(), session);
        privateSession_ = session;
    }
    return makeWebKitPageEngine([]() -> Dialogs& { return larkspan::dialogs(); }, session);
}

SiteData* Application::siteData() {
    if (gEngineFactory) return nullptr;
    return ordinarySession()->siteData();
}

ContentFilters* Application::contentFilters() {
    if (gEngineFactory) return nullptr;
    return &ordinarySession()->filters();
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
    std::vector<std::string> addresses;
    for (const auto& file : files) addresses.push_back(file->get_uri());
    openAddresses(addresses);
}

void Application::openAddresses(const std::vector<std::string>& addresses) {
    // With new windows in tabs, the addresses after the first open as tabs of its window,
    // in their order.
    frmBrowser* window = nullptr;
    for (const std::string& address : addresses) {
        if (window && options().newWindowsInTabs) {
            window->openTab(address, frmBrowser::TabPlace::BesideInBackground);
        } else {
            window = &openMainWindow(address);
        }
    }
}

int Application::on_command_line(const Glib::RefPtr<Gio::ApplicationCommandLine>& commandLine) {
    int argc = 0;
    char** argv = commandLine->get_arguments(argc);
    std::vector<std::string> arguments(argv, argv + argc);
    g_strfreev(argv);
    std::string error;
    std::optional<CommandLineRequest> request = parseCommandLine(arguments, error);
    // The starting program has read the same arguments already; this is for a start that
    // did not (another program's D-Bus call).
    if (!request) {
        commandLine->printerr("larkspan: " + error + "\n");
        return 2;
    }
    follow(*request, commandLine->get_cwd());
    return 0;
}

void Application::follow(const CommandLineRequest& request, const std::string& folder) {
    namespace fs = std::filesystem;
    auto uri = [&folder](const std::string& argument) {
        std::string address = commandLineAddress(argument, [&folder](const std::string& name) {
            std::error_code ec;
            return fs::exists(fs::path(folder) / name, ec);
        });
        // A web address without a scheme goes to the page as typed: tried over https first.
        if (address != argument && address.starts_with("http://")) return argument;
        GFile* file = g_file_new_for_commandline_arg_and_cwd(address.c_str(), folder.c_str());
        char* text = g_file_get_uri(file);
        std::string result = text ? text : "";
        g_free(text);
        g_object_unref(file);
        return result;
    };
    std::vector<std::string> addresses;
    for (const std::string& a : request.addresses) addresses.push_back(uri(a));
    if (!addresses.empty()) openAddresses(addresses);
    for (const std::string& a : request.newWindows) openMainWindow(uri(a));
    for (const std::string& a : request.privateWindows) openPrivateWindow(a.empty() ? a : uri(a));
    if (addresses.empty() && request.newWindows.empty() && request.privateWindows.empty())
        activate();
}

frmBrowser& Application::openPrivateWindow(const std::string& address) {
    return larkspan::openPrivateWindow(*this, address);
}

frmBrowser& Application::openMainWindow(const std::string& address) {
    bool first = browsers().empty();
    // An address asked for is the window's page from the start: the home page is not
    // fetched first, and a session restored as the window starts keeps it beside its own.
    std::unique_ptr<PageEngine> engine;
    if (!address.empty()) {
        engine = makeEngine();
        engine->navigate(address);
    }
    frmBrowser& w = createBrowserWindow(std::move(engine));
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
