#pragma once

#include <glibmm/main.h>

#include <memory>
#include <vector>

#include "engine/PageEngine.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

class SettingsStore;
class frmBrowser;

// The application object: the one owner of the settings store, the live options model,
// the shared secondary windows and every main window. One per process.
class Application : public ShellContext, public sigc::trackable {
  public:
    static Application& instance();
    // Ends the application object (tests start each case afresh).
    static void shutdown();

    // Which engines new main windows get (the web engine unless a test installed a fake).
    static void setEngineFactory(PageEngineFactory factory);
    std::unique_ptr<PageEngine> makeEngine();

    SettingsStore& settings() override;
    OptionsModel& options() override;
    bool optionsLoaded() const override { return options_ && !options_->stale(); }
    void discardOptions() override {
        if (options_) options_->markStale();
    }
    Dialogs& dialogs() override;
    WindowRegistry& windows() override { return windows_; }

    frmBrowser* firstWindow() const override;
    const std::vector<frmBrowser*>& browsers() const override { return browserOrder_; }
    frmBrowser& createBrowserWindow(std::unique_ptr<PageEngine> engine = nullptr) override;
    // A closed main window is released once its handler returns, and the main loop ends
    // with the last one.
    void browserClosed(frmBrowser* window) override;

    // Runs the main loop until the last main window closes.
    int run();
    void quit();

  private:
    Application();
    ~Application() override;
    void releaseClosed();

    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<OptionsModel> options_;
    WindowRegistry windows_;
    std::vector<std::unique_ptr<frmBrowser>> browsersOwned_;
    std::vector<frmBrowser*> browserOrder_;
    Glib::RefPtr<Glib::MainLoop> loop_;
};

}  // namespace larkspan
