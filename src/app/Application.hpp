#pragma once

#include <gtkmm/application.h>

#include <memory>
#include <vector>

#include "app/CommandLine.hpp"
#include "engine/PageEngine.hpp"
#include "shell/OwningShellContext.hpp"

namespace larkspan {

class WebSession;

// The application object: the program's shell context, owner of the settings store, the
// live options model, the shared secondary windows and every main window. One per process.
// Started with addresses it opens each in a main window of its own; started while another
// instance runs, it hands its arguments (without any, a request for a new main window) to
// that instance and ends.
class Application : public Gtk::Application, public OwningShellContext {
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
    std::unique_ptr<PageEngine> makePrivateEngine() override;
    // The web session's, made with the session if no engine made it yet.
    ContentFilters* contentFilters() override;
    SiteData* siteData() override;

    // Windows join a registered application only (tests make windows without running it).
    frmBrowser& createBrowserWindow(std::unique_ptr<PageEngine> engine = nullptr) override;

    // Does what a start asked for: its addresses as on_open opens them, a main window for
    // each new window asked for, and a main window on the home page when it asked for
    // nothing. Relative file names are read from `folder`, the starting one's.
    void follow(const CommandLineRequest& request, const std::string& folder);
    // Opens a private window on `address` (its home page when empty). For now a private
    // window is a normal main window.
    frmBrowser& openPrivateWindow(const std::string& address);

  protected:
    void on_startup() override;
    // Started without addresses: the first main window, or a new one when the program runs.
    void on_activate() override;
    // Started with addresses: each in a main window of its own (with new windows in tabs,
    // the others as tabs of the first one's window).
    void on_open(const type_vec_files& files, const Glib::ustring& hint) override;
    // The arguments of this start or of a later one, handed over by it.
    int on_command_line(const Glib::RefPtr<Gio::ApplicationCommandLine>& commandLine) override;
    Gtk::Application& application() override { return *this; }

  private:
    const std::shared_ptr<WebSession>& ordinarySession();
    explicit Application(Gio::ApplicationFlags flags);
    ~Application() override;
    // Opens a main window on `address` (its home page only when empty) and shows it.
    frmBrowser& openMainWindow(const std::string& address);
    // Opens each address in a main window of its own, or with new windows in tabs, the
    // first in a window and the others as its tabs.
    void openAddresses(const std::vector<std::string>& addresses);

    // Where the web engine keeps site data, cache and cookies; made with the first engine,
    // it outlives the windows and the downloads that use it (closed in the destructor's body).
    std::shared_ptr<WebSession> session_;
    // Held by the private pages' engines alone: it goes with the last of them.
    std::weak_ptr<WebSession> privateSession_;
    bool shutDown_ = false;
};

}  // namespace larkspan
