#pragma once

#include <gtkmm/application.h>

#include <memory>
#include <vector>

#include "engine/PageEngine.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/AddressList.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

class SettingsStore;
class WebSession;
class frmBrowser;

// The application object: the one owner of the settings store, the live options model,
// the shared secondary windows and every main window. One per process. Started with
// addresses it opens each in a main window of its own; started while another instance
// runs, it hands its addresses (or, without any, a request for a new main window) to that
// instance and ends.
class Application : public Gtk::Application, public ShellContext {
  public:
    static constexpr const char* kId = "org.larkspan.Larkspan";

    static Application& instance();
    // Ends the application object (tests start each case afresh).
    static void shutdown();
    // Whether instances made from now on look for a running instance and can be found by
    // later ones. Tests make theirs non-unique so that tests running side by side on one
    // session bus never reach each other.
    static void setUnique(bool unique);

    // Which engines new main windows get (the web engine unless a test installed a fake).
    static void setEngineFactory(PageEngineFactory factory);
    std::unique_ptr<PageEngine> makeEngine() override;

    SettingsStore& settings() override;
    OptionsModel& options() override;
    bool optionsLoaded() const override { return options_ && !options_->stale(); }
    void discardOptions() override {
        if (options_) options_->markStale();
    }
    Dialogs& dialogs() override;
    WindowRegistry& windows() override { return windows_; }
    WindowCommands& commands() override { return commands_; }
    AddressList& addressList() override { return addressList_; }

    frmBrowser* firstWindow() const override;
    const std::vector<frmBrowser*>& browsers() const override { return browserOrder_; }
    frmBrowser& createBrowserWindow(std::unique_ptr<PageEngine> engine = nullptr) override;
    // A closed main window is released once its handler returns; the application ends
    // with the last one.
    void browserClosed(frmBrowser* window) override;

  protected:
    void on_startup() override;
    // Started without addresses: the first main window, or a new one when the program runs.
    void on_activate() override;
    // Started with addresses: each in a main window of its own, the first in the first
    // window when the program has none yet.
    void on_open(const type_vec_files& files, const Glib::ustring& hint) override;

  private:
    explicit Application(Gio::ApplicationFlags flags);
    ~Application() override;
    // Opens a main window on `address` (its home page only when empty) and shows it.
    frmBrowser& openMainWindow(const std::string& address);
    void releaseClosed();
    void closeEverything();

    // Declared first, so it outlives every window that shows it.
    AddressList addressList_;
    // Where the web engine keeps site data, cache and cookies; made with the first engine,
    // it outlives the windows and the downloads that use it.
    std::shared_ptr<WebSession> session_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<OptionsModel> options_;
    WindowRegistry windows_;
    WindowCommands commands_;
    std::vector<std::unique_ptr<frmBrowser>> browsersOwned_;
    std::vector<frmBrowser*> browserOrder_;
    bool shutDown_ = false;
};

}  // namespace larkspan
