#pragma once

#include <sigc++/sigc++.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Gtk {
class Widget;
}

namespace larkspan {

// The document commands the program sends through PageEngine::execCommand.
enum class DocCommand : int {
    SaveAs = 4,
    Print = 6,
    PrintPreview = 7,
    PageSetup = 8,
    Properties = 10,
    Cut = 11,
    Copy = 12,
    Paste = 13,
    Undo = 15,
    SelectAll = 17,
    Zoom = 19,
};

class PageEngine;

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
    virtual void stop() = 0;
    virtual void refresh() = 0;

    // Document commands. Zoom takes option 2 and an input of 0 to 4; with no input the
    // current level is written to `output`. False when the command could not run.
    virtual bool execCommand(DocCommand command, int option = 0,
                             std::optional<int> input = std::nullopt, int* output = nullptr) = 0;

    virtual std::string locationURL() const = 0;
    virtual std::string locationName() const = 0;
    virtual std::string documentTitle() const = 0;
    // The inner markup of the document's root element, handed over when available
    // (no value when there is no document).
    virtual void documentMarkup(std::function<void(std::optional<std::string>)> done) = 0;

    virtual bool silent() const = 0;
    virtual void setSilent(bool silent) = 0;
    virtual void setRegisterAsBrowser(bool value) = 0;
    virtual void grabFocus() = 0;
    virtual bool hasFocus() const = 0;

    // Prints the page to a PDF file without asking; `done` tells whether it worked.
    virtual void printToPdf(const std::string& file, std::function<void(bool)> done) = 0;

    // Events, named as the program's handlers know them.
    sigc::signal<void(const std::string& url)> signalNavigateComplete2;
    sigc::signal<void()> signalDownloadComplete;
    sigc::signal<void(const std::string& title)> signalTitleChange;
    sigc::signal<void(const std::string& text)> signalStatusTextChange;
    sigc::signal<void(long progress, long maximum)> signalProgressChange;
    sigc::signal<void(int secureState)> signalSetSecureLockIcon;
    // `isChildWindow` is true when script opened this window; set `cancel` to refuse.
    sigc::signal<void(bool isChildWindow, bool& cancel)> signalWindowClosing;
    sigc::signal<void(NewWindowRequest& request)> signalNewWindow2;
    // An engine that `NewWindow2` allowed is ready to be shown.
    sigc::signal<void()> signalReadyToShow;
    sigc::signal<void()> signalGotFocus;
    sigc::signal<void()> signalLostFocus;
};

// Makes the program's engines; the program installs the WebKitGTK one, tests a fake.
using PageEngineFactory = std::function<std::unique_ptr<PageEngine>()>;

}  // namespace larkspan
