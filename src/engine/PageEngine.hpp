#pragma once

#include <sigc++/sigc++.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/PermissionRequest.hpp"

namespace Gtk {
class Widget;
}

namespace larkspan {

namespace engine {
// Secure states reported through SetSecureLockIcon.
inline constexpr int kSecureNone = 0;      // plain http, no TLS, or TLS with errors
inline constexpr int kSecureMixed = 1;     // verified TLS page that showed insecure content
inline constexpr int kSecureVerified = 2;  // verified TLS
// Plain http, loaded after the site offered no secure connection to an address typed
// without a scheme.
inline constexpr int kSecureNotOffered = -1;

// The commands whose availability CommandStateChange announces.
enum class Command { Forward = 1, Back = 2 };
}  // namespace engine

// What the Properties command shows of the page now loaded.
struct PageProperties {
    std::string title;
    std::string address;
    std::string type;                 // the media type as the server gave it; empty when unknown
    std::optional<std::size_t> size;  // in bytes; no value when unknown
    int secureState = engine::kSecureNone;  // as reported through SetSecureLockIcon
};

// A page of the engine's history of one view: where Back and Forward lead.
struct HistoryEntry {
    std::string title;
    std::string address;
};

// The place and size of the window a page opened, as the page asked for it (window.open's
// features), in pixels: the size is the whole window's, the page's size plus what the
// opener's window takes around its page. A part the page did not ask for is 0.
struct WindowFeatures {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A search for text in the page.
struct FindQuery {
    std::string text;
    bool forward = true;
    bool matchCase = false;
};

class PageEngine;
class Download;

// A notification a page shows (one it was allowed to show).
struct PageNotification {
    std::string title;
    std::string body;
};

// A page's request for a new window. The handler either sets `cancel` (refuse) or puts a
// fresh engine made by `opener.createRelated()` into `ppDisp`, hosted by a new window
// (allow). Leaving both untouched refuses as well.
struct NewWindowRequest {
    std::string targetUrl;  // the address the page wants to open, when known
    bool userGesture = false;
    PageEngine* ppDisp = nullptr;
    bool cancel = false;
};

// The hosted web-page engine as the program sees it. The program renders nothing itself;
// the WebKitGTK adapter is the real one, tests use a fake. Every operation is made with
// errors ignored: one that cannot act (no page, no history that way) does nothing.
class PageEngine {
  public:
    virtual ~PageEngine() = default;

    // The widget that shows the page.
    virtual Gtk::Widget& widget() = 0;
    // An engine related to this one, to host a popup this one asked for.
    virtual std::unique_ptr<PageEngine> createRelated() = 0;

    virtual void navigate(const std::string& address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    // The pages behind and ahead of the current one, the nearest first.
    virtual std::vector<HistoryEntry> backHistory() const = 0;
    virtual std::vector<HistoryEntry> forwardHistory() const = 0;
    // Goes `steps` pages back (negative) or forward (positive) in one move: -2 leads to
    // the second entry of backHistory(). Nothing happens when no page lies there.
    virtual void goToHistory(int steps) = 0;
    // The page's Back and Forward history and its place in it, as bytes that only an engine
    // of the same kind reads back (a saved session keeps them). Empty when there is no page.
    virtual std::string historyState() const = 0;
    // Replaces this engine's history by one that historyState() gave and loads its current
    // page. False, with nothing changed, when the bytes are not such a history.
    virtual bool restoreHistoryState(const std::string& state) = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;
    // Loads the page again with every part of it fetched afresh, none from the cache.
    virtual void refreshBypassingCache() = 0;
    // Opens the engine's own inspector of the page (its developer tools).
    virtual bool showInspector() = 0;
    // Asks a page shown full screen to leave it; LeaveFullScreen follows when it does.
    virtual void leaveFullScreen() = 0;

    // Document commands. Each returns false when it could not act (no page, no view); the
    // dialogs they open are the program's or the engine's, never the caller's.
    virtual bool saveAs() = 0;
    virtual bool print() = 0;
    virtual bool printPreview() = 0;
    virtual bool pageSetup() = 0;
    // Gathers the page's properties and hands them over once known (the size may take a
    // moment); `done` is not called when this returns false or the engine goes first.
    virtual bool properties(std::function<void(const PageProperties&)> done) = 0;
    // Looks for the text from the current match on, wrapping around, and selects the match;
    // `counted` receives the number of matches in the page (0 when none).
    virtual bool find(const FindQuery& query, std::function<void(unsigned matches)> counted) = 0;
    virtual bool cut() = 0;
    virtual bool copy() = 0;
    virtual bool paste() = 0;
    virtual bool selectAll() = 0;
    // Whether the page's keyboard focus is in a text field (an editable element), where the
    // page's own editing keys apply.
    virtual bool editableFocused() const = 0;
    virtual bool undo() = 0;
    // Whether an undo would act now, handed over when the engine knows.
    virtual void canUndo(std::function<void(bool)> done) = 0;
    // The text size, level 0 (smallest) to 4 (largest); 2 is the ordinary size.
    virtual std::optional<int> zoomLevel() const = 0;
    virtual bool setZoomLevel(int level) = 0;

    virtual std::string locationURL() const = 0;
    virtual std::string locationName() const = 0;
    virtual std::string documentTitle() const = 0;
    // The inner markup of the document's root element, handed over when available
    // (no value when there is no document).
    virtual void documentMarkup(std::function<void(std::optional<std::string>)> done) = 0;

    virtual bool silent() const = 0;
    virtual void setSilent(bool silent) = 0;
    // Whether the page keeps its cookies, cache and site data in memory only, apart from
    // every page that is not private.
    virtual bool isPrivate() const = 0;
    // The page shown is one of the engine's own error pages (a page that could not be
    // reached, a refused certificate), from the start of its load.
    virtual bool showsErrorPage() const { return false; }
    virtual void setRegisterAsBrowser(bool value) = 0;
    // What the page that opened this engine's window asked of it.
    virtual WindowFeatures requestedGeometry() const = 0;
    virtual void grabFocus() = 0;
    virtual bool hasFocus() const = 0;

    // Prints the page to a PDF file without asking; `done` tells whether it worked.
    virtual void printToPdf(const std::string& file, std::function<void(bool)> done) = 0;

    // Events, named as the program's handlers know them.
    sigc::signal<void(const std::string& url)> signalNavigateComplete2;
    sigc::signal<void()> signalDownloadComplete;
    // The pages behind or ahead changed (a new page, a step back or forward).
    sigc::signal<void()> signalHistoryChange;
    sigc::signal<void(const std::string& title)> signalTitleChange;
    sigc::signal<void(const std::string& text)> signalStatusTextChange;
    sigc::signal<void(long progress, long maximum)> signalProgressChange;
    sigc::signal<void(int secureState)> signalSetSecureLockIcon;
    // Going back or forward became possible or impossible: the page's history changed. A
    // new engine has no history either way.
    sigc::signal<void(engine::Command command, bool enable)> signalCommandStateChange;
    // `isChildWindow` is true when script opened this window; set `cancel` to refuse.
    sigc::signal<void(bool isChildWindow, bool& cancel)> signalWindowClosing;
    sigc::signal<void(NewWindowRequest& request)> signalNewWindow2;
    // The user asked for a link to open beside the page rather than in it (a middle click,
    // Ctrl+click, or "Open Link in New Tab"); the page itself stays where it is.
    sigc::signal<void(const std::string& url)> signalOpenInNewTab;
    // An engine that `NewWindow2` allowed is ready to be shown; what its opener asked of
    // the window is known from now on.
    sigc::signal<void()> signalReadyToShow;
    // A page handed over a file to be saved rather than shown. The download lives as long
    // as someone holds it: one that no handler keeps is cancelled.
    sigc::signal<void(const std::shared_ptr<Download>& download)> signalDownloadStarted;
    sigc::signal<void()> signalGotFocus;
    sigc::signal<void()> signalLostFocus;
    // The page shows one of its elements over the whole screen (a video), and leaves that
    // again. The engine makes the page's window full screen and back by itself.
    sigc::signal<void()> signalEnterFullScreen;
    sigc::signal<void()> signalLeaveFullScreen;
    // The page asks for a permission. The request lives as long as someone holds it: one
    // that no handler keeps, or that is let go unanswered, is denied.
    sigc::signal<void(const std::shared_ptr<PermissionRequest>& request)> signalPermissionRequested;
    // The page shows a notification; the program shows it on the desktop.
    sigc::signal<void(const PageNotification& notification)> signalShowNotification;
};

// Makes the program's engines; the program installs the WebKitGTK one, tests a fake.
using PageEngineFactory = std::function<std::unique_ptr<PageEngine>()>;

}  // namespace larkspan
