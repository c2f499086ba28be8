#pragma once

#include <memory>
#include <vector>

#include "settings/OptionsModel.hpp"
#include "shell/AddressList.hpp"
#include "shell/MainWindows.hpp"
#include "shell/ShellContext.hpp"
#include "shell/TypedAddressSuggestions.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/WindowRegistry.hpp"

namespace Gtk {
class Application;
}

namespace larkspan {

// A shell context that owns the shell's parts: the settings store in the user's
// configuration folder (opened on first use), the live options model, the shared secondary
// windows, the commands features add, the typed-address list and the main windows. What
// it leaves to the program around it is the application the main windows join and where
// their engines come from. That program closes everything before it ends
// (`closeEverything`), while the parts the closing consults still live.
class OwningShellContext : public ShellContext {
  public:
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

    frmBrowser* firstWindow() const override { return mainWindows_.first(); }
    const std::vector<frmBrowser*>& browsers() const override { return mainWindows_.order(); }
    frmBrowser& createBrowserWindow(std::unique_ptr<PageEngine> engine = nullptr) override;
    // A closed main window is released once its handler returns.
    void browserClosed(frmBrowser* window) override { mainWindows_.closed(window); }

  protected:
    OwningShellContext();
    ~OwningShellContext() override;

    // The application every main window joins.
    virtual Gtk::Application& application() = 0;
    // Closes the shared windows, in their closing order, then every main window.
    void closeEverything();

  private:
    // Declared first, so it outlives every window that shows it.
    AddressList addressList_;
    TypedAddressSuggestions typedSuggestions_{addressList_};
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<OptionsModel> options_;
    WindowRegistry windows_;
    WindowCommands commands_;
    MainWindows mainWindows_;
};

}  // namespace larkspan
