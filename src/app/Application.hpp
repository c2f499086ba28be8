#pragma once

#include <glibmm/main.h>

#include <memory>
#include <vector>

#include "app/WindowRegistry.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/PageEngine.hpp"

namespace larkspan {

class SettingsStore;
class frmBrowser;

// The application object: the one owner of the settings store, the live options model,
// the shared secondary windows and every main window. One per process.
class Application : public sigc::trackable {
  public:
    static Application& instance();
    // Ends the application object (tests start each case afresh).
    static void shutdown();

    // Which engines new main windows get (the web engine unless a test installed a fake).
    static void setEngineFactory(PageEngineFactory factory);
    std::unique_ptr<PageEngine> makeEngine();

    SettingsStore& settings();

    // The live options model; the first touch after start-up or after `discardOptions`
    // loads it from the store.
    OptionsModel& options();
    bool optionsLoaded() const { return options_ != nullptr; }
    void discardOptions() { options_.reset(); }

    WindowRegistry& windows() { return windows_; }

    // Main windows, in creation order; the first is the one secondary windows act on.
    frmBrowser* firstWindow() const;
    const std::vector<frmBrowser*>& browsers() const { return browserOrder_; }
    // Creates a main window around `engine` (a new one when null) and runs its start-up.
    frmBrowser& createBrowserWindow(std::unique_ptr<PageEngine> engine = nullptr);
    // Called by a main window that has closed: it is released once its handler returns,
    // and the main loop ends with the last one.
    void browserClosed(frmBrowser* window);

    // Runs the main loop until the last main window closes.
    int run();
    void quit();

  private:
    Application();
    ~Application();
    void releaseClosed();

    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<OptionsModel> options_;
    WindowRegistry windows_;
    std::vector<std::unique_ptr<frmBrowser>> browsersOwned_;
    std::vector<frmBrowser*> browserOrder_;
    Glib::RefPtr<Glib::MainLoop> loop_;
};

}  // namespace larkspan
