#pragma once

#include <sigc++/trackable.h>

#include <memory>
#include <vector>

#include "engine/PageEngine.hpp"

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;
class frmBrowser;

// The main windows a shell context owns, in creation order: each made from the main window's
// description around its engine and joined to the application, a closed one destroyed once
// the handler that closed it has returned.
class MainWindows : public sigc::trackable {
  public:
    MainWindows();
    MainWindows(const MainWindows&) = delete;
    MainWindows& operator=(const MainWindows&) = delete;
    ~MainWindows();

    frmBrowser* first() const { return order_.empty() ? nullptr : order_.front(); }
    const std::vector<frmBrowser*>& order() const { return order_; }

    // Makes a main window of `app` around `engine` (one from `makeEngine` when null) and
    // runs its start-up. An engine handed in hosts a popup and loads the popup's page, not
    // the home page.
    frmBrowser& create(ShellContext& context, Gtk::Application& app,
                       std::unique_ptr<PageEngine> engine, const PageEngineFactory& makeEngine);
    // Takes a closed window out of the order; it is destroyed when the main loop is idle.
    void closed(frmBrowser* window);
    // Destroys every main window now.
    void clear();

  private:
    void releaseClosed();

    std::vector<std::unique_ptr<frmBrowser>> owned_;
    std::vector<frmBrowser*> order_;
};

}  // namespace larkspan
