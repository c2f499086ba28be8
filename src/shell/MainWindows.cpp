#include "shell/MainWindows.hpp"

#include <glibmm/main.h>
#include <gtkmm/application.h>
#include <gtkmm/builder.h>

#include <algorithm>

#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

// The program's built-in resources (generated from data/larkspan.gresource.xml). Naming the
// getter here keeps the window descriptions linked into every program that makes windows.
extern "C" GResource* larkspan_get_resource(void);

namespace larkspan {

MainWindows::MainWindows() = default;

MainWindows::~MainWindows() {
    clear();
}

frmBrowser& MainWindows::create(ShellContext& context, Gtk::Application& app,
                                std::unique_ptr<PageEngine> engine,
                                const PageEngineFactory& makeEngine) {
    (void)larkspan_get_resource();
    // An engine handed in hosts a popup: the engine loads the popup's page as soon as the
    // window is made, and a home page asked for now would race that load.
    bool hostsPopup = engine != nullptr;
    bool filled = !hostsPopup && context.browsers().empty() && context.firstWindowFilled();
    if (!engine) engine = makeEngine();
    // The page is asked for first: the engine's processes start and fetch it while the
    // window is being built.
    std::string home = hostsPopup || filled ? frmBrowser::readHomePage(context)
                                            : frmBrowser::requestHomePage(context, *engine);
    // The theme's button colours stand for the system colours from the first window on.
    static bool systemColorsRead = false;
    if (!systemColorsRead) {
        scheme::readSystemColors();
        scheme::followDesktopTheme();
        systemColorsRead = true;
    }
    auto builder = Gtk::Builder::create_from_resource("/org/larkspan/Larkspan/ui/frmBrowser.ui");
    frmBrowser* raw = nullptr;
    builder->get_widget_derived("frmBrowser", raw, context, std::move(engine));
    owned_.emplace_back(raw);
    order_.push_back(raw);
    // The application runs as long as it has main windows, shown or hidden in the tray.
    gtk_window_set_application(GTK_WINDOW(raw->gobj()), app.gobj());
    if (!hostsPopup) raw->page().setPlaceholder();
    raw->Form_Load(std::move(home));
    return *raw;
}

void MainWindows::closed(frmBrowser* window) {
    auto pos = std::find(order_.begin(), order_.end(), window);
    if (pos == order_.end()) return;
    order_.erase(pos);
    // The slot is tied to this object, so it never runs after the list is gone.
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &MainWindows::releaseClosed));
}

void MainWindows::clear() {
    order_.clear();
    owned_.clear();
}

void MainWindows::releaseClosed() {
    auto closed = [this](const std::unique_ptr<frmBrowser>& p) {
        return std::find(order_.begin(), order_.end(), p.get()) == order_.end();
    };
    // Destroying a window takes it out of the application, which ends with its last one.
    owned_.erase(std::remove_if(owned_.begin(), owned_.end(), closed), owned_.end());
}

}  // namespace larkspan
