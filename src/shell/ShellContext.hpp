#pragma once

// What the program's windows need from the program around them: the settings store, the
// live options model, the dialogs, the shared secondary windows and the main windows. The
// application object provides it; each window is handed it when it is made.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sigc++/signal.h>

#include "engine/PageEngine.hpp"
#include "shell/ClearData.hpp"
#include "shell/ContentFilterStatus.hpp"
#include "shell/WindowLocks.hpp"

namespace Gtk {
class Window;
}

namespace larkspan {

class AddressList;
class AddressSuggestionSource;
class ContentFilters;
class Dialogs;
class SiteData;
class OptionsModel;
class SettingsStore;
class WindowCommands;
class WindowRegistry;
class Page;
class frmBrowser;

class ShellContext {
  public:
    virtual ~ShellContext() = default;

    virtual SettingsStore& settings() = 0;
    // The live options model, one object for the whole run: the first touch loads it from
    // the store, and the first touch after `discardOptions` loads it again (signalling each
    // option the reload changed).
    virtual OptionsModel& options() = 0;
    virtual bool optionsLoaded() const = 0;
    virtual void discardOptions() = 0;

    virtual Dialogs& dialogs() = 0;
    virtual WindowRegistry& windows() = 0;
    // The commands features add to every main window.
    virtual WindowCommands& commands() = 0;
    // The typed-address list that every main window shows and completes from.
    virtual AddressList& addressList() = 0;
    // Where the address box's suggestion list looks, in the order added; a source must
    // outlive every main window (features own theirs for the whole run).
    void addSuggestionSource(AddressSuggestionSource& source) {
        suggestionSources_.push_back(&source);
    }
    const std::vector<AddressSuggestionSource*>& suggestionSources() const {
        return suggestionSources_;
    }

    // Main windows, in creation order; the first is the one secondary windows act on.
    virtual frmBrowser* firstWindow() const = 0;
    virtual const std::vector<frmBrowser*>& browsers() const = 0;
    // A new engine for a page of a main window (a tab), unrelated to any other page.
    virtual std::unique_ptr<PageEngine> makeEngine() = 0;
    // A new engine for a page of a private window: it shares the private session of the
    // private windows open now (a fresh one when there are none) and nothing else.
    virtual std::unique_ptr<PageEngine> makePrivateEngine() = 0;
    // The engine's content filter for the program's pages; none where the engines have
    // none (fake ones).
    virtual ContentFilters* contentFilters() { return nullptr; }
    // The cookies, storage and cache of the ordinary pages; none where the engines keep
    // none (fake ones).
    virtual SiteData* siteData() { return nullptr; }
    // Creates a main window around `engine` (a new one when null) and runs its start-up.
    // An engine handed in hosts a popup and loads the popup's page, not the home page.
    virtual frmBrowser& createBrowserWindow(std::unique_ptr<PageEngine> engine = nullptr) = 0;
    // Called by a main window that has closed.
    virtual void browserClosed(frmBrowser* window) = 0;

    // For windows that must not know the main window's class: the first main window as
    // the owner of dialogs, the address of its page, and the refill of every window's
    // typed-address list after the history file was replaced.
    Gtk::Window* ownerWindow() const;
    std::string currentAddress() const;
    void reloadAddressLists();

    // Asked once, before the first main window is made: true when a feature will fill that
    // window with pages of its own (a restored session), so the home page is not fetched
    // for it.
    void setFirstWindowFilled(std::function<bool()> ask) { firstWindowFilled_ = std::move(ask); }
    bool firstWindowFilled() const { return firstWindowFilled_ && firstWindowFilled_(); }

    // Emitted by every main window as it is made, before its start-up runs: a feature
    // that handles a window's engine events connects to them here.
    sigc::signal<void(frmBrowser&)>& signalBrowserMade() { return browserMade_; }
    // What the password locks hold on the main windows; each window observes its part.
    WindowLocks& locks() { return locks_; }

    // The ad and tracker lists in use, as the options show them.
    ContentFilterStatus& contentFilterStatus() { return filterStatus_; }

    // What "Clear Browsing Data" offers; features add their items as they register.
    ClearDataRegistry& clearableData() { return clearableData_; }

    // Emitted by a main window as it closes, after each of its pages' page-closed signal.
    sigc::signal<void(frmBrowser&)>& signalBrowserClosed() { return browserClosed_; }
    // Emitted for each page a main window takes, the first one right after the window's
    // signalBrowserMade, and for each page as its window closes: a feature that handles a
    // page's engine events connects to them here.
    sigc::signal<void(frmBrowser&, Page&)>& signalPageOpened() { return pageOpened_; }
    sigc::signal<void(frmBrowser&, Page&)>& signalPageClosed() { return pageClosed_; }

    // The main window the user used last (the first one until another is activated), and
    // the page it shows; null when no main window is open.
    frmBrowser* currentWindow() const;
    Page* currentPage() const;
    // The main window that holds `page` now (a tab can move between windows); null when
    // none does.
    frmBrowser* windowHolding(const Page& page) const;
    // Called by a main window that has become the active one.
    void windowActivated(frmBrowser& window) { lastActive_ = &window; }

    // Emitted by each main window's start-up where it checks for updates (after the
    // script-error suppression): features hang their start-up steps here.
    sigc::signal<void(frmBrowser&)>& signalMainWindowLoading() { return mainWindowLoading_; }

    // Asked, in the order added, before the last main window closes and the program ends
    // with it: a guard answers through `agreed` (perhaps after asking the user), false
    // keeping the window open. A feature adds one for what closing would lose (the downloads
    // still receiving).
    using LastWindowGuard =
        std::function<void(frmBrowser& closing, std::function<void(bool agreed)> agreed)>;
    void addLastWindowGuard(LastWindowGuard guard) {
        lastWindowGuards_.push_back(std::move(guard));
    }
    // Runs `close` once `closing` may close: at once when it is not the last main window,
    // otherwise when every guard has agreed. Nothing runs when a guard refuses, or when
    // `closing` is gone by then.
    void whenMayClose(frmBrowser& closing, std::function<void()> close) const;

  private:
    std::vector<LastWindowGuard> lastWindowGuards_;
    std::vector<AddressSuggestionSource*> suggestionSources_;
    std::function<bool()> firstWindowFilled_;
    sigc::signal<void(frmBrowser&)> browserMade_;
    sigc::signal<void(frmBrowser&)> mainWindowLoading_;
    sigc::signal<void(frmBrowser&)> browserClosed_;
    sigc::signal<void(frmBrowser&, Page&)> pageOpened_;
    sigc::signal<void(frmBrowser&, Page&)> pageClosed_;
    frmBrowser* lastActive_ = nullptr;
    WindowLocks locks_;
    ContentFilterStatus filterStatus_;
    ClearDataRegistry clearableData_;
};

}  // namespace larkspan
