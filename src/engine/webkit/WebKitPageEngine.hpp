#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "common/Dialogs.hpp"
#include "engine/PageEngine.hpp"

// The engine's C types, declared here so that users of the adapter need not include the
// engine's headers.
typedef struct _WebKitWebView WebKitWebView;
typedef struct _GCancellable GCancellable;
typedef struct _GtkPageSetup GtkPageSetup;
typedef struct _GtkPrintSettings GtkPrintSettings;

namespace larkspan {

// Plain rules of the adapter, kept apart so they can be checked without an engine.
namespace engine {

// Text-size levels 0 to 4, as zoom factors of the text.
inline constexpr std::array<double, 5> kZoomFactors{0.75, 0.9, 1.0, 1.2, 1.5};
inline constexpr int kDefaultZoomLevel = 2;

// What StatusTextChange reports for a script error on a page that is not silent.
inline constexpr const char* kErrorOnPage = "Error on page: ";
inline constexpr const char* kStatusLoading = "Loading...";
inline constexpr const char* kStatusDone = "Done";

// The zoom factor of a level (0 to 4); nothing for any other level.
std::optional<double> zoomFactorForLevel(int level);
// The level whose factor lies nearest to the given zoom factor.
int zoomLevelForFactor(double factor);
// The engine's load estimate (0.0 to 1.0) as a whole percentage, clamped to 0..100.
long progressPercent(double fraction);
// An address as typed, made into one the engine can load: surrounding blanks removed, an
// absolute file path made a file: address, an address without a scheme ("example.com",
// "localhost:8080/x") given "http://". Empty when nothing is left to load.
std::string normalizeAddress(const std::string& address);

}  // namespace engine

struct WebKitPageEngineCallbacks;
struct PageFamily;
class WebSession;

// Where the adapter finds the program's dialogs (the save-file chooser), asked each time one
// is needed so that it always reaches the dialogs in use.
using DialogsSource = std::function<Dialogs&()>;

// The page engine on WebKitGTK: one WebKitWebView, its events reported through the
// PageEngine signals. Safe to destroy at any moment, a load or a script call pending
// included: callbacks that arrive later find the engine gone and do nothing.
//
// A page that cannot be reached, whose process stops, or whose certificate fails
// verification is replaced by an error page of the program's own; navigations inside one document
// (history entries a script pushed, fragments) are reported like completed ones.
class WebKitPageEngine : public PageEngine {
  public:
    // Without a session the engine keeps its data in the engine's shared default folders
    // and downloads are the engine's own affair.
    explicit WebKitPageEngine(DialogsSource dialogs, std::shared_ptr<WebSession> session = nullptr);
    ~WebKitPageEngine() override;
    WebKitPageEngine(const WebKitPageEngine&) = delete;
    WebKitPageEngine& operator=(const WebKitPageEngine&) = delete;

    Gtk::Widget& widget() override;
    std::unique_ptr<PageEngine> createRelated() override;

    void navigate(const std::string& address) override;
    void goBack() override;
    void goForward() override;
    std::vector<HistoryEntry> backHistory() const override;
    std::vector<HistoryEntry> forwardHistory() const override;
    void goToHistory(int steps) override;
    std::string historyState() const override;
    bool restoreHistoryState(const std::string& state) override;
    void stop() override;
    void refresh() override;
    void refreshBypassingCache() override;
    bool showInspector() override;
    void leaveFullScreen() override;

    // Asks for a file through the program's dialogs and saves the page there as a web archive.
    bool saveAs() override;
    // The print dialog. The preview is the page printed to a PDF file that the desktop's
    // viewer shows; the user is told when no viewer is set up.
    bool print() override;
    bool printPreview() override;
    bool pageSetup() override;
    bool properties(std::function<void(const PageProperties&)> done) override;
    // A newer search replaces an older one: only its count is handed over.
    bool find(const FindQuery& query, std::function<void(unsigned matches)> counted) override;
    bool cut() override;
    bool copy() override;
    bool paste() override;
    bool selectAll() override;
    // Read from the engine's editor state, which follows the page's selection.
    bool editableFocused() const override;
    bool undo() override;
    void canUndo(std::function<void(bool)> done) override;
    std::optional<int> zoomLevel() const override;
    bool setZoomLevel(int level) override;

    std::string locationURL() const override;
    std::string locationName() const override;
    std::string documentTitle() const override;
    // `done` is not called when the engine is destroyed before the markup arrives.
    void documentMarkup(std::function<void(std::optional<std::string>)> done) override;

    bool silent() const override { return silent_; }
    void setSilent(bool silent) override { silent_ = silent; }
    bool isPrivate() const override;
    bool showsErrorPage() const override { return quietLoad_; }
    void setRegisterAsBrowser(bool value) override { registerAsBrowser_ = value; }
    bool registerAsBrowser() const { return registerAsBrowser_; }
    WindowFeatures requestedGeometry() const override;
    void grabFocus() override;
    bool hasFocus() const override;

    // Writes to a temporary file beside `file` and renames it into place only when a PDF
    // came out, so a failed print never leaves a torn file. `done` runs at once (with false)
    // when printing cannot start, and not at all when the engine is destroyed first.
    void printToPdf(const std::string& file, std::function<void(bool)> done) override;

    // True for an engine made to host a window that a page opened.
    bool isChildWindow() const { return childWindow_; }

    // Hands a download this engine's page started to the program (signalDownloadStarted).
    void reportDownload(const std::shared_ptr<Download>& download);

  private:
    friend struct WebKitPageEngineCallbacks;

    WebKitPageEngine(DialogsSource dialogs, std::shared_ptr<WebSession> session,
                     WebKitWebView* relatedView, std::shared_ptr<PageFamily> family);

    template <typename F>
    bool emitGuarded(F&& emit);
    bool beginLoad();
    void finishLoad();
    void reportLoadEnd();
    void reportSecureState(int state);
    void updateSecureState();
    void requestClose();
    bool hasPage() const;
    // Reports the address when it moved since the last report (a navigation inside the
    // document); true when it did.
    bool reportMovedAddress();
    // Reports the end of a navigation inside the document once its title is known.
    void reportMovedInDocument();
    // Hands a mail address to the user's mail program, or tells the user there is none.
    void openElsewhere(const std::string& uri);
    // Shows `html` in place of the page at `address`, as a load that tells no status.
    void showErrorPage(const std::string& html, const std::string& address);
    // Ends the load in progress, if any, without a completed download: the progress goes
    // and the status text is cleared.
    void abandonLoad();
    // After the secure attempt of a typed address failed to connect: loads its plain http
    // address (or explains why not). False when there is no such attempt.
    bool fallBackToPlain();
    // Whether "Use secure connections only" stops the load of `uri`; the page that says so
    // is shown in its place. `linkClicked` for a link the user followed.
    bool stopsInsecure(const std::string& uri, bool linkClicked);

    // The history entries from one step that way on, nearest first.
    std::vector<HistoryEntry> historyToward(int direction) const;

    bool runPrintDialog();
    bool runEditing(const char* command);
    PageProperties currentProperties() const;

    // Gives the session's content filter to the family's pages, or takes it away, for the
    // page this engine shows or is about to show.
    void applyContentFilter(const std::string& address);

    DialogsSource dialogs_;
    std::shared_ptr<WebSession> session_;
    sigc::connection filtersChanged_;
    WebKitWebView* view_ = nullptr;
    WebKitWebView* relatedView_ = nullptr;  // compared only, never used
    // The engines whose pages share one set of page scripts: a window and the popups it
    // opened, directly or through other popups.
    std::shared_ptr<PageFamily> family_;
    GCancellable* cancellable_ = nullptr;
    GtkPageSetup* pageSetup_ = nullptr;
    GtkPrintSettings* printSettings_ = nullptr;
    // The search whose count is awaited.
    std::function<void(unsigned)> findCounted_;
    // Callbacks that outlive the engine hold a weak reference to this token.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    bool childWindow_ = false;
    bool silent_ = false;
    bool registerAsBrowser_ = false;
    bool viewDestroyed_ = false;
    // False where the page processes' sandbox cannot be made: every page is refused.
    bool showsPages_ = true;

    bool loading_ = false;
    bool loadFailed_ = false;
    // The next load shows one of the engine's error pages; `quietLoad_` while it runs.
    bool errorPageNext_ = false;
    bool quietLoad_ = false;
    // The address last reported through NavigateComplete2.
    std::string reportedUri_;
    // The end of a load is reported once the page's title is known (see finishLoad).
    bool endPending_ = false;
    unsigned endSerial_ = 0;
    std::string scriptTitle_;
    // The title a script set before moving inside its document, read from the page ahead
    // of the engine's own report of it.
    std::optional<std::string> movedTitle_;
    unsigned movedSerial_ = 0;
    long lastProgress_ = -1;
    int secureState_ = engine::kSecureNone;
    std::string hoveredLink_;
    // The plain http address of a typed address whose secure attempt is loading; cleared
    // once a load commits.
    std::string plainFallback_;
    // The load in progress is such a plain address: its page is reported as offering no
    // secure connection.
    bool fellBack_ = false;
    // The host whose plain page the engine's page in its place stands for, while it is shown.
    std::string insecureShown_;
};

// The engine the program installs.
std::unique_ptr<PageEngine> makeWebKitPageEngine(DialogsSource dialogs,
                                                 std::shared_ptr<WebSession> session = nullptr);

}  // namespace larkspan
