#pragma once

// One page of a main window: the engine view and everything that belongs to what is shown
// in it (address, caption, title, status text, progress, secure state, Back and Forward,
// auto-refresh, text size, find state, the "allow close?" question). It signals each change; the
// window that holds it shows it while it is the window's current page.

#include <sigc++/sigc++.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Timer.hpp"
#include "engine/PageEngine.hpp"
#include "shell/AutoRefresh.hpp"
#include "shell/FindPosition.hpp"

namespace larkspan {

class Page : public sigc::trackable {
  public:
    explicit Page(std::unique_ptr<PageEngine> engine);
    ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    PageEngine& engine() { return *engine_; }
    const PageEngine& engine() const { return *engine_; }

    // Where the page is: the engine's address after each committed navigation.
    const std::string& address() const { return address_; }
    // The window caption's page part: the page's name once its load has completed.
    const std::string& caption() const { return caption_; }
    // The document's title, trimmed of spaces.
    const std::string& title() const { return title_; }
    const std::string& statusText() const { return statusText_; }
    int secureState() const { return secureState_; }
    // Whether a load is going on (Stop acts only then).
    bool loading() const { return loading_; }
    bool canGoBack() const { return canGoBack_; }
    bool canGoForward() const { return canGoForward_; }
    // The pages Back and Forward lead to, the nearest first.
    std::vector<HistoryEntry> backHistory() const { return engine_->backHistory(); }
    std::vector<HistoryEntry> forwardHistory() const { return engine_->forwardHistory(); }

    // Text size: `step` levels up or down from the current one, within the engine's levels;
    // 0 returns to the ordinary size.
    void stepTextSize(int step);
    // Text size: the given level (0 smallest to 4 largest).
    void chooseTextSize(int level);

    // A page of a private window (its engine's session is private): what the user does in
    // it is remembered nowhere.
    bool isPrivate() const { return engine_->isPrivate(); }

    // The user sent the page on from the address box: the next address it arrives at counts
    // as typed.
    void expectTypedArrival() { typedPending_ = true; }
    // Whether the page arrived at its address from the address box.
    bool arrivedTyped() const { return arrivedTyped_; }

    // Auto-refresh: every `seconds` (one of the menu's intervals), or off. The page
    // refreshes itself on the timer.
    void chooseAutoRefresh(int seconds);
    void turnOffAutoRefresh();
    bool autoRefreshOn() const { return autoRefresh_.turnOffEnabled(); }
    const Timer& refreshTimer() const { return refreshTimer_; }

    // A page that waits to load until it is first shown (a restored tab): meanwhile it
    // names `address` and `title` and keeps the engine's serialised `history` to hand back,
    // and the window runs `load` when it first shows it.
    void loadWhenShown(const std::string& address, const std::string& title,
                       const std::string& history, std::function<void()> load);
    // The page's Back and Forward history as the engine serialises it (the one it waits
    // with, before its first showing).
    std::string historyState() const;
    // The window shows the page: a load that waited for it runs now.
    void shown();

    // What the window's find bar held for this page when another page was shown: its text,
    // match case, whether it was open and which match it stood on.
    struct FindState {
        std::string text;
        bool matchCase = false;
        bool open = false;
        FindPosition position;
    };
    FindState& findState() { return find_; }

    // A window's first page that shows only what the window opened on by itself (the home
    // page, or nothing), rather than a page asked for (an address given to the program, a
    // popup), and that has not gone on from there: pages restored into the window take its
    // place.
    bool placeholder() const { return placeholder_; }
    void setPlaceholder() { placeholder_ = true; }

    // The page's changes, each with the new state readable from the page.
    sigc::signal<void()> signalAddressChanged;
    sigc::signal<void()> signalCaptionChanged;
    sigc::signal<void()> signalTitleChanged;
    sigc::signal<void()> signalStatusTextChanged;
    sigc::signal<void()> signalSecureStateChanged;
    // Each progress report as the engine gives it; loading() is already up to date.
    sigc::signal<void(long progress, long maximum)> signalProgress;
    // Back, Forward or their lists changed.
    sigc::signal<void()> signalHistoryChanged;
    sigc::signal<void()> signalAutoRefreshChanged;
    // The page asked to close its window and the user allowed it.
    sigc::signal<void()> signalCloseAllowed;
    // The user chose a text size for the page (a step, a menu level, or back to the ordinary
    // size with a step of 0, `reset`); `level` is the size now shown.
    sigc::signal<void(int level, bool reset)> signalTextSizeChosen;

  private:
    void askToClose(bool isChildWindow, bool& cancel);

    std::unique_ptr<PageEngine> engine_;
    std::string address_;
    std::string caption_;
    std::string title_;
    std::string statusText_;
    int secureState_ = engine::kSecureNone;
    bool loading_ = false;
    bool canGoBack_ = false;
    bool canGoForward_ = false;
    bool placeholder_ = false;
    bool typedPending_ = false;
    bool arrivedTyped_ = false;
    AutoRefresh autoRefresh_;
    FindState find_;
    std::function<void()> pendingLoad_;
    std::string pendingHistory_;
    Timer refreshTimer_{0, false};
    std::vector<sigc::connection> engineConns_;
};

}  // namespace larkspan
