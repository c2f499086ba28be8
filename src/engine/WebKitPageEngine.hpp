#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "engine/PageEngine.hpp"

// The engine's C types, declared here so that users of the adapter need not include the
// engine's headers.
typedef struct _WebKitWebView WebKitWebView;
typedef struct _GCancellable GCancellable;
typedef struct _GtkPageSetup GtkPageSetup;
typedef struct _GtkPrintSettings GtkPrintSettings;

namespace Gtk {
class MessageDialog;
}

namespace larkspan {

// Plain rules of the adapter, kept apart so they can be checked without an engine.
namespace engine {

// Secure states reported through SetSecureLockIcon.
inline constexpr int kSecureNone = 0;      // plain http, no TLS, or TLS with errors
inline constexpr int kSecureMixed = 1;     // verified TLS page that showed insecure content
inline constexpr int kSecureVerified = 2;  // verified TLS

// Zoom levels 0 to 4 of the Zoom document command, as zoom factors of the text.
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

// The page engine on WebKitGTK: one WebKitWebView, its events reported through the
// PageEngine signals. Safe to destroy at any moment, a load or a script call pending
// included: callbacks that arrive later find the engine gone and do nothing.
class WebKitPageEngine : public PageEngine {
  public:
    WebKitPageEngine();
    ~WebKitPageEngine() override;
    WebKitPageEngine(const WebKitPageEngine&) = delete;
    WebKitPageEngine& operator=(const WebKitPageEngine&) = delete;

    Gtk::Widget& widget() override;
    std::unique_ptr<PageEngine> createRelated() override;

    void navigate(const std::string& address) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void refresh() override;

    bool execCommand(DocCommand command, int option = 0, std::optional<int> input = std::nullopt,
                     int* output = nullptr) override;

    std::string locationURL() const override;
    std::string locationName() const override;
    std::string documentTitle() const override;
    // `done` is not called when the engine is destroyed before the markup arrives.
    void documentMarkup(std::function<void(std::optional<std::string>)> done) override;

    bool silent() const override { return silent_; }
    void setSilent(bool silent) override { silent_ = silent; }
    void setRegisterAsBrowser(bool value) override { registerAsBrowser_ = value; }
    bool registerAsBrowser() const { return registerAsBrowser_; }
    void grabFocus() override;
    bool hasFocus() const override;

    // Writes to a temporary file beside `file` and renames it into place only when a PDF
    // came out, so a failed print never leaves a torn file. `done` runs at once (with false)
    // when printing cannot start, and not at all when the engine is destroyed first.
    void printToPdf(const std::string& file, std::function<void(bool)> done) override;

    // True for an engine made to host a window that a page opened.
    bool isChildWindow() const { return childWindow_; }

  private:
    friend struct WebKitPageEngineCallbacks;

    WebKitPageEngine(WebKitWebView* relatedView, std::shared_ptr<PageFamily> family);

    template <typename F>
    bool emitGuarded(F&& emit);
    bool beginLoad();
    void finishLoad();
    void reportLoadEnd();
    void reportSecureState(int state);
    void updateSecureState();
    void requestClose();
    bool hasPage() const;

    bool runPrintDialog();
    bool runPageSetup();
    bool runSaveAs();
    bool showProperties();
    void presentProperties(const std::string& type, std::optional<std::size_t> size);

    WebKitWebView* view_ = nullptr;
    WebKitWebView* relatedView_ = nullptr;  // compared only, never used
    // The engines whose pages share one set of page scripts: a window and the popups it
    // opened, directly or through other popups.
    std::shared_ptr<PageFamily> family_;
    GCancellable* cancellable_ = nullptr;
    GtkPageSetup* pageSetup_ = nullptr;
    GtkPrintSettings* printSettings_ = nullptr;
    std::unique_ptr<Gtk::MessageDialog> propertiesDialog_;
    // Callbacks that outlive the engine hold a weak reference to this token.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    bool childWindow_ = false;
    bool silent_ = false;
    bool registerAsBrowser_ = false;
    bool viewDestroyed_ = false;

    bool loading_ = false;
    bool loadFailed_ = false;
    // The end of a load is reported once the page's title is known (see finishLoad).
    bool endPending_ = false;
    unsigned endSerial_ = 0;
    std::string scriptTitle_;
    long lastProgress_ = -1;
    int secureState_ = engine::kSecureNone;
    std::string hoveredLink_;
};

// The engine the program installs.
std::unique_ptr<PageEngine> makeWebKitPageEngine();

}  // namespace larkspan
