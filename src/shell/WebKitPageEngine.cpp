#include "shell/WebKitPageEngine.hpp"

#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "shell/MakerSiteScheme.hpp"

namespace larkspan {

namespace {

// Script message channels between the page and the program.
constexpr const char* kCloseChannel = "larkspanClose";
constexpr const char* kErrorChannel = "larkspanError";

// WebKit ignores window.close() in a window that script did not open once it has history;
// the program wants to hear every such request. The page's close() first tries the
// engine's own, which a window opened by a page may use (the view's "close" signal then
// reports it); when that is refused, the request comes to the program as a message.
constexpr const char* kCloseScript = R"JS(
(function () {
  if (!(window.webkit && window.webkit.messageHandlers &&
        window.webkit.messageHandlers.larkspanClose)) { return; }
  var engineClose = window.close;
  window.close = function close() {
    try { engineClose.call(window); } catch (e) { }
    if (!window.closed) {
      window.webkit.messageHandlers.larkspanClose.postMessage(String(location.href));
    }
  };
})();
)JS";

// Uncaught script errors and unhandled promise rejections, passed on to the program, which
// reports them unless the engine is silent. The message names the page it comes from: the
// pages of a window and of its popups share these scripts and one message channel.
constexpr const char* kErrorScript = R"JS(
(function () {
  var handlers = window.webkit && window.webkit.messageHandlers;
  if (!(handlers && handlers.larkspanError)) { return; }
  function describe(value) {
    try {
      if (value && typeof value === 'object' && 'message' in value) { return String(value.message); }
      return String(value);
    } catch (e) {
      return 'unknown error';
    }
  }
  function report(text) {
    var top = null;
    try { top = String(window.top.location.href); } catch (e) { }
    try {
      window.webkit.messageHandlers.larkspanError.postMessage(
          { page: String(location.href), top: top, text: text });
    } catch (e) { }
  }
  window.addEventListener('error', function (event) {
    if (!(event instanceof ErrorEvent)) { return; }
    report(event.message ? String(event.message) : describe(event.error));
  });
  window.addEventListener('unhandledrejection', function (event) {
    report('Unhandled promise rejection: ' + describe(event.reason));
  });
})();
)JS";

constexpr const char* kMarkupScript =
    "document.documentElement ? document.documentElement.innerHTML : null";
constexpr const char* kTitleScript = "document.title";

// How long the end of a load waits for a page that does not tell its title.
constexpr unsigned kTitleWaitMs = 1000;

// Error texts come from the page: keep them to one line of reasonable length.
constexpr glong kMaxErrorChars = 500;

std::string oneLine(const char* text) {
    if (text == nullptr) {
        return {};
    }
    std::string result;
    if (g_utf8_validate(text, -1, nullptr)) {
        if (g_utf8_strlen(text, -1) > kMaxErrorChars) {
            const char* end = g_utf8_offset_to_pointer(text, kMaxErrorChars);
            result.assign(text, end);
            result += "...";
        } else {
            result = text;
        }
    } else {
        gchar* valid = g_utf8_make_valid(text, -1);
        result = oneLine(valid);
        g_free(valid);
        return result;
    }
    std::replace_if(
        result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
        ' ');
    return result;
}

std::string toString(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// An address without its fragment, for telling which page a message came from.
std::string withoutFragment(const std::string& address) {
    return address.substr(0, address.find('#'));
}

std::string stringProperty(JSCValue* object, const char* name) {
    std::string result;
    if (object == nullptr || !jsc_value_is_object(object)) {
        return result;
    }
    JSCValue* value = jsc_value_object_get_property(object, name);
    if (value != nullptr) {
        if (jsc_value_is_string(value)) {
            gchar* text = jsc_value_to_string(value);
            result = toString(text);
            g_free(text);
        }
        g_object_unref(value);
    }
    return result;
}

WebKitSettings* makeSettings() {
    WebKitSettings* settings = webkit_settings_new();
    // Without this WebKit drops script popups silently and the popup blocker never hears
    // of them; every request must reach NewWindow2.
    webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
    // The Zoom command is the program's text size.
    webkit_settings_set_zoom_text_only(settings, TRUE);
    return settings;
}

WebKitUserContentManager* makeContentManager() {
    WebKitUserContentManager* manager = webkit_user_content_manager_new();
    WebKitUserScript* close =
        webkit_user_script_new(kCloseScript, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(manager, close);
    webkit_user_script_unref(close);
    WebKitUserScript* errors =
        webkit_user_script_new(kErrorScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(manager, errors);
    webkit_user_script_unref(errors);
    webkit_user_content_manager_register_script_message_handler(manager, kCloseChannel);
    webkit_user_content_manager_register_script_message_handler(manager, kErrorChannel);
    return manager;
}

GtkWindow* toplevelWindow(WebKitWebView* view) {
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view));
    if (top != nullptr && gtk_widget_is_toplevel(top) && GTK_IS_WINDOW(top)) {
        return GTK_WINDOW(top);
    }
    return nullptr;
}

gboolean unrefLater(gpointer object) {
    g_object_unref(object);
    return G_SOURCE_REMOVE;
}

bool isMailAddress(const std::string& uri) {
    // The scheme comes back lower-cased and interned: nothing to free.
    const char* scheme = g_uri_peek_scheme(uri.c_str());
    return scheme != nullptr && g_strcmp0(scheme, "mailto") == 0;
}

void openWithDefaultApplication(const std::string& uri) {
    g_app_info_launch_default_for_uri_async(uri.c_str(), nullptr, nullptr, nullptr, nullptr);
}

std::string withThousands(std::size_t value) {
    std::string digits = std::to_string(value);
    std::string result;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0) {
            result.insert(result.begin(), ',');
        }
        result.insert(result.begin(), *it);
        ++count;
    }
    return result;
}

// A file name made from a page title: characters a file name cannot hold are replaced and
// a long title is cut to a length every file system takes.
std::string fileNameFromTitle(const std::string& title) {
    constexpr glong kMaxNameChars = 100;
    std::string shortTitle = title;
    if (g_utf8_validate(title.c_str(), -1, nullptr) &&
        g_utf8_strlen(title.c_str(), -1) > kMaxNameChars) {
        const char* end = g_utf8_offset_to_pointer(title.c_str(), kMaxNameChars);
        shortTitle.assign(title.c_str(), static_cast<std::size_t>(end - title.c_str()));
    }
    std::string name;
    for (char c : shortTitle) {
        name += (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) {
        name.pop_back();
    }
    if (name.empty()) {
        name = "page";
    }
    return name + ".mht";
}

bool startsWithPdfHeader(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char header[4] = {};
    return in.read(header, sizeof header) && std::string(header, sizeof header) == "%PDF";
}

// One printToPdf in flight.
struct PdfJob {
    std::weak_ptr<bool> alive;
    std::filesystem::path target;
    std::filesystem::path partial;
    std::function<void(bool)> done;
    bool failed = false;
};

// One documentMarkup in flight.
struct MarkupCall {
    std::weak_ptr<bool> alive;
    std::function<void(std::optional<std::string>)> done;
};

// The end of a load waiting for the page's title.
struct TitleCall {
    std::weak_ptr<bool> alive;
    WebKitPageEngine* engine;
    unsigned serial;
};

// One Properties window waiting for the size of the page.
struct PropertiesCall {
    std::weak_ptr<bool> alive;
    WebKitPageEngine* engine;
    std::string type;
};

}  // namespace

// ---- Plain rules ---------------------------------------------------------------------

namespace engine {

std::optional<double> zoomFactorForLevel(int level) {
    if (level < 0 || level >= static_cast<int>(kZoomFactors.size())) {
        return std::nullopt;
    }
    return kZoomFactors[static_cast<std::size_t>(level)];
}

int zoomLevelForFactor(double factor) {
    if (!std::isfinite(factor)) {
        return kDefaultZoomLevel;
    }
    int best = 0;
    for (int level = 1; level < static_cast<int>(kZoomFactors.size()); ++level) {
        if (std::fabs(kZoomFactors[static_cast<std::size_t>(level)] - factor) <
            std::fabs(kZoomFactors[static_cast<std::size_t>(best)] - factor)) {
            best = level;
        }
    }
    return best;
}

long progressPercent(double fraction) {
    if (!std::isfinite(fraction) || fraction <= 0.0) {
        return 0;
    }
    if (fraction >= 1.0) {
        return 100;
    }
    return std::lround(fraction * 100.0);
}

std::string normalizeAddress(const std::string& address) {
    const char* blanks = " \t\r\n\f\v";
    auto first = address.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    std::string text = address.substr(first, address.find_last_not_of(blanks) - first + 1);
    if (text.front() == '/') {
        gchar* uri = g_filename_to_uri(text.c_str(), nullptr, nullptr);
        std::string result = toString(uri);
        g_free(uri);
        return result;
    }
    const char* scheme = g_uri_peek_scheme(text.c_str());
    if (scheme != nullptr) {
        std::size_t rest = std::char_traits<char>::length(scheme) + 1;
        // "localhost:8080/page" reads as a scheme followed by a port number: a host name.
        std::size_t digits = rest;
        while (digits < text.size() && g_ascii_isdigit(text[digits])) {
            ++digits;
        }
        bool hostAndPort = digits > rest && (digits == text.size() || text[digits] == '/' ||
                                             text[digits] == '?' || text[digits] == '#');
        if (!hostAndPort) {
            return text;
        }
    }
    return "http://" + text;
}

}  // namespace engine

// ---- Families of pages ---------------------------------------------------------------

// The engines whose pages share one content manager: WebKit gives the page of a popup the
// content manager of the page that opened it. Script messages from any page of the family
// therefore arrive here and are handed to the engine whose page sent them.
struct PageFamily {
    PageFamily();
    ~PageFamily();
    PageFamily(const PageFamily&) = delete;
    PageFamily& operator=(const PageFamily&) = delete;

    // The member showing that address (fragments aside); nothing when none does.
    WebKitPageEngine* memberAt(const std::string& address) const;

    WebKitUserContentManager* contentManager = nullptr;
    std::vector<WebKitPageEngine*> members;
    // The member made without an opener; the only one whose page cannot close itself.
    WebKitPageEngine* root = nullptr;
};

// ---- Engine callbacks ----------------------------------------------------------------

// The C callbacks of the view; each one runs with errors contained.
struct WebKitPageEngineCallbacks {
    static WebKitPageEngine* engineOf(gpointer data) {
        return static_cast<WebKitPageEngine*>(data);
    }

    static void onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
        auto* self = engineOf(data);
        try {
            switch (event) {
                case WEBKIT_LOAD_STARTED:
                    if (!self->loading_ && !self->beginLoad()) {
                        return;
                    }
                    self->emitGuarded(
                        [&] { self->signalStatusTextChange.emit(engine::kStatusLoading); });
                    break;
                case WEBKIT_LOAD_REDIRECTED:
                    break;
                case WEBKIT_LOAD_COMMITTED: {
                    std::string uri = toString(webkit_web_view_get_uri(view));
                    if (self->emitGuarded([&] { self->signalNavigateComplete2.emit(uri); })) {
                        self->updateSecureState();
                    }
                    break;
                }
                case WEBKIT_LOAD_FINISHED:
                    self->finishLoad();
                    break;
            }
        } catch (...) {
        }
    }

    static gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer data) {
        try {
            // FINISHED follows, but the load is over now; finishLoad reports it only once.
            auto* self = engineOf(data);
            if (self->loading_) {
                self->loadFailed_ = true;
                self->finishLoad();
            }
        } catch (...) {
        }
        return FALSE;  // let the engine show its own error page
    }

    static gboolean onLoadFailedWithTlsErrors(WebKitWebView*, gchar*, GTlsCertificate*,
                                              GTlsCertificateFlags, gpointer data) {
        try {
            engineOf(data)->reportSecureState(engine::kSecureNone);
        } catch (...) {
        }
        return FALSE;
    }

    static void onInsecureContent(WebKitWebView*, WebKitInsecureContentEvent, gpointer data) {
        auto* self = engineOf(data);
        try {
            if (self->secureState_ > engine::kSecureMixed) {
                self->reportSecureState(engine::kSecureMixed);
            }
        } catch (...) {
        }
    }

    static void onProgress(GObject*, GParamSpec*, gpointer data) {
        auto* self = engineOf(data);
        try {
            if (!self->loading_) {
                // The first estimate of a load can come before its STARTED event.
                if (!webkit_web_view_is_loading(self->view_) || !self->beginLoad()) {
                    return;
                }
            }
            long percent =
                engine::progressPercent(webkit_web_view_get_estimated_load_progress(self->view_));
            if (percent == self->lastProgress_) {
                return;
            }
            self->lastProgress_ = percent;
            self->emitGuarded([&] { self->signalProgressChange.emit(percent, 100); });
        } catch (...) {
        }
    }

    static void onTitle(GObject*, GParamSpec*, gpointer data) {
        auto* self = engineOf(data);
        try {
            std::string title = toString(webkit_web_view_get_title(self->view_));
            self->scriptTitle_.clear();
            self->emitGuarded([&] { self->signalTitleChange.emit(title); });
        } catch (...) {
        }
    }

    static void onMouseTargetChanged(WebKitWebView*, WebKitHitTestResult* hit, guint,
                                     gpointer data) {
        auto* self = engineOf(data);
        try {
            std::string link;
            if (hit != nullptr && webkit_hit_test_result_context_is_link(hit)) {
                link = toString(webkit_hit_test_result_get_link_uri(hit));
            }
            if (link == self->hoveredLink_) {
                return;
            }
            self->hoveredLink_ = link;
            self->emitGuarded([&] { self->signalStatusTextChange.emit(link); });
        } catch (...) {
        }
    }

    static GtkWidget* onCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data) {
        auto* self = engineOf(data);
        try {
            NewWindowRequest request;
            if (WebKitURIRequest* target = webkit_navigation_action_get_request(action)) {
                request.targetUrl = toString(webkit_uri_request_get_uri(target));
            }
            request.userGesture = webkit_navigation_action_is_user_gesture(action) != FALSE;
            if (!self->emitGuarded([&] { self->signalNewWindow2.emit(request); })) {
                return nullptr;
            }
            if (request.cancel || request.ppDisp == nullptr) {
                return nullptr;
            }
            auto* child = dynamic_cast<WebKitPageEngine*>(request.ppDisp);
            // WebKit accepts only a fresh view made related to this one.
            if (child == nullptr || child == self || child->viewDestroyed_ ||
                child->relatedView_ != view) {
                return nullptr;
            }
            child->childWindow_ = true;
            return GTK_WIDGET(child->view_);
        } catch (...) {
            return nullptr;
        }
    }

    static void onReadyToShow(WebKitWebView*, gpointer data) {
        auto* self = engineOf(data);
        self->emitGuarded([&] { self->signalReadyToShow.emit(); });
    }

    static void onClose(WebKitWebView*, gpointer data) {
        try {
            engineOf(data)->requestClose();
        } catch (...) {
        }
    }

    static void onCloseMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                               gpointer data) {
        auto* family = static_cast<PageFamily*>(data);
        try {
            // Only a page that the engine refused to close sends this: the family's root
            // (every other member was opened by a page and closes through "close").
            WebKitPageEngine* self = family->root;
            if (self == nullptr || result == nullptr) {
                return;
            }
            if (family->members.size() > 1) {
                JSCValue* value = webkit_javascript_result_get_js_value(result);
                gchar* text = value != nullptr ? jsc_value_to_string(value) : nullptr;
                std::string sender = toString(text);
                g_free(text);
                if (family->memberAt(sender) != self) {
                    return;
                }
            }
            // Answered from the main loop rather than from inside the message delivery: the
            // handler may ask the user and close the window, engine and view with it.
            std::weak_ptr<bool> alive = self->alive_;
            Glib::signal_idle().connect_once([alive, self] {
                if (!alive.expired()) {
                    self->requestClose();
                }
            });
        } catch (...) {
        }
    }

    static void onErrorMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                               gpointer data) {
        auto* family = static_cast<PageFamily*>(data);
        try {
            if (result == nullptr || family->members.empty()) {
                return;
            }
            JSCValue* value = webkit_javascript_result_get_js_value(result);
            std::string top = stringProperty(value, "top");
            std::string page = stringProperty(value, "page");
            WebKitPageEngine* self = family->members.size() == 1
                                         ? family->members.front()
                                         : family->memberAt(top.empty() ? page : top);
            if (self == nullptr || self->silent_) {
                return;
            }
            std::string status =
                std::string(engine::kErrorOnPage) + oneLine(stringProperty(value, "text").c_str());
            self->emitGuarded([&] { self->signalStatusTextChange.emit(status); });
        } catch (...) {
        }
    }

    static gboolean onFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
        auto* self = engineOf(data);
        self->emitGuarded([&] { self->signalGotFocus.emit(); });
        return FALSE;
    }

    static gboolean onFocusOut(GtkWidget*, GdkEventFocus*, gpointer data) {
        auto* self = engineOf(data);
        self->emitGuarded([&] { self->signalLostFocus.emit(); });
        return FALSE;
    }

    static void onDestroy(GtkWidget*, gpointer data) { engineOf(data)->viewDestroyed_ = true; }

    static gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer) {
        try {
            if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
                type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
                return FALSE;
            }
            WebKitNavigationAction* action =
                webkit_navigation_policy_decision_get_navigation_action(
                    WEBKIT_NAVIGATION_POLICY_DECISION(decision));
            WebKitURIRequest* request = webkit_navigation_action_get_request(action);
            std::string uri =
                toString(request != nullptr ? webkit_uri_request_get_uri(request) : nullptr);
            // A mail link opens the user's mail reader; the page stays.
            if (isMailAddress(uri)) {
                openWithDefaultApplication(uri);
                webkit_policy_decision_ignore(decision);
                return TRUE;
            }
        } catch (...) {
        }
        return FALSE;
    }

    static void onMarkupEvaluated(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<MarkupCall> call(static_cast<MarkupCall*>(data));
        GError* error = nullptr;
        JSCValue* value =
            webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
        std::optional<std::string> markup;
        if (value != nullptr && jsc_value_is_string(value)) {
            gchar* text = jsc_value_to_string(value);
            markup = toString(text);
            g_free(text);
        }
        if (value != nullptr) {
            g_object_unref(value);
        }
        if (error != nullptr) {
            g_error_free(error);
        }
        if (call->alive.expired() || !call->done) {
            return;
        }
        try {
            call->done(std::move(markup));
        } catch (...) {
        }
    }

    static void onTitleEvaluated(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<TitleCall> call(static_cast<TitleCall*>(data));
        GError* error = nullptr;
        JSCValue* value =
            webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
        std::string title;
        if (value != nullptr && jsc_value_is_string(value)) {
            gchar* text = jsc_value_to_string(value);
            title = toString(text);
            g_free(text);
        }
        if (value != nullptr) {
            g_object_unref(value);
        }
        if (error != nullptr) {
            g_error_free(error);
        }
        if (call->alive.expired()) {
            return;
        }
        WebKitPageEngine* self = call->engine;
        try {
            if (!self->endPending_ || call->serial != self->endSerial_) {
                return;
            }
            if (toString(webkit_web_view_get_title(self->view_)).empty()) {
                self->scriptTitle_ = title;
            }
            self->reportLoadEnd();
        } catch (...) {
        }
    }

    static void onSaved(GObject* source, GAsyncResult* result, gpointer) {
        GError* error = nullptr;
        webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, &error);
        if (error != nullptr) {
            g_error_free(error);
        }
    }

    static void onPageData(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<PropertiesCall> call(static_cast<PropertiesCall*>(data));
        GError* error = nullptr;
        gsize length = 0;
        guchar* bytes = webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result,
                                                            &length, &error);
        g_free(bytes);
        std::optional<std::size_t> size;
        if (error == nullptr) {
            size = length;
        } else {
            g_error_free(error);
        }
        if (call->alive.expired()) {
            return;
        }
        try {
            call->engine->presentProperties(call->type, size);
        } catch (...) {
        }
    }

    static void onPrintDone(WebKitPrintOperation* operation, gpointer) {
        g_idle_add(unrefLater, operation);
    }

    static void onPdfFailed(WebKitPrintOperation*, GError*, gpointer data) {
        static_cast<PdfJob*>(data)->failed = true;
    }

    static void onPdfFinished(WebKitPrintOperation* operation, gpointer data) {
        std::unique_ptr<PdfJob> job(static_cast<PdfJob*>(data));
        g_signal_handlers_disconnect_by_data(operation, data);
        g_idle_add(unrefLater, operation);
        bool ok = false;
        try {
            std::error_code ec;
            ok = !job->failed && std::filesystem::file_size(job->partial, ec) > 0 && !ec &&
                 startsWithPdfHeader(job->partial);
            if (ok) {
                std::filesystem::rename(job->partial, job->target, ec);
                ok = !ec;
            }
            if (!ok) {
                std::filesystem::remove(job->partial, ec);
            }
        } catch (...) {
            ok = false;
        }
        if (job->alive.expired() || !job->done) {
            return;
        }
        try {
            job->done(ok);
        } catch (...) {
        }
    }
};

PageFamily::PageFamily() : contentManager(makeContentManager()) {
    using C = WebKitPageEngineCallbacks;
    g_signal_connect(contentManager, "script-message-received::larkspanClose",
                     G_CALLBACK(C::onCloseMessage), this);
    g_signal_connect(contentManager, "script-message-received::larkspanError",
                     G_CALLBACK(C::onErrorMessage), this);
}

PageFamily::~PageFamily() {
    g_signal_handlers_disconnect_by_data(contentManager, this);
    g_idle_add(unrefLater, contentManager);
}

WebKitPageEngine* PageFamily::memberAt(const std::string& address) const {
    if (address.empty()) {
        return nullptr;
    }
    std::string wanted = withoutFragment(address);
    for (WebKitPageEngine* member : members) {
        if (withoutFragment(member->locationURL()) == wanted) {
            return member;
        }
    }
    return nullptr;
}

// ---- The engine ----------------------------------------------------------------------

WebKitPageEngine::WebKitPageEngine() : WebKitPageEngine(nullptr, nullptr) {}

WebKitPageEngine::WebKitPageEngine(WebKitWebView* relatedView, std::shared_ptr<PageFamily> family)
    : relatedView_(relatedView), family_(std::move(family)) {
    registerMakerSiteScheme();
    if (!family_) {
        family_ = std::make_shared<PageFamily>();
        family_->root = this;
    }
    family_->members.push_back(this);
    cancellable_ = g_cancellable_new();
    WebKitSettings* settings = makeSettings();
    GObject* object =
        relatedView != nullptr
            ? G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", relatedView, "settings",
                                    settings, "user-content-manager", family_->contentManager,
                                    nullptr))
            : G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", settings,
                                    "user-content-manager", family_->contentManager, nullptr));
    g_object_unref(settings);
    view_ = WEBKIT_WEB_VIEW(g_object_ref_sink(object));
    childWindow_ = relatedView != nullptr;

    using C = WebKitPageEngineCallbacks;
    g_signal_connect(view_, "load-changed", G_CALLBACK(C::onLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(C::onLoadFailed), this);
    g_signal_connect(view_, "load-failed-with-tls-errors", G_CALLBACK(C::onLoadFailedWithTlsErrors),
                     this);
    g_signal_connect(view_, "insecure-content-detected", G_CALLBACK(C::onInsecureContent), this);
    g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(C::onProgress), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(C::onTitle), this);
    g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(C::onMouseTargetChanged), this);
    g_signal_connect(view_, "create", G_CALLBACK(C::onCreate), this);
    g_signal_connect(view_, "ready-to-show", G_CALLBACK(C::onReadyToShow), this);
    g_signal_connect(view_, "close", G_CALLBACK(C::onClose), this);
    g_signal_connect(view_, "focus-in-event", G_CALLBACK(C::onFocusIn), this);
    g_signal_connect(view_, "focus-out-event", G_CALLBACK(C::onFocusOut), this);
    g_signal_connect(view_, "destroy", G_CALLBACK(C::onDestroy), this);
    g_signal_connect(view_, "decide-policy", G_CALLBACK(C::onDecidePolicy), this);
}

WebKitPageEngine::~WebKitPageEngine() {
    alive_.reset();
    g_cancellable_cancel(cancellable_);
    g_signal_handlers_disconnect_by_data(view_, this);
    auto& members = family_->members;
    members.erase(std::remove(members.begin(), members.end(), this), members.end());
    if (family_->root == this) {
        family_->root = nullptr;
    }
    family_.reset();
    propertiesDialog_.reset();
    if (!viewDestroyed_) {
        gtk_widget_destroy(GTK_WIDGET(view_));
    }
    // The engine may go while one of the view's own signals is being delivered; the last
    // reference is dropped once that delivery is over.
    g_idle_add(unrefLater, view_);
    g_object_unref(cancellable_);
    if (pageSetup_ != nullptr) {
        g_object_unref(pageSetup_);
    }
    if (printSettings_ != nullptr) {
        g_object_unref(printSettings_);
    }
}

template <typename F>
bool WebKitPageEngine::emitGuarded(F&& emit) {
    std::weak_ptr<bool> alive = alive_;
    try {
        emit();
    } catch (...) {
    }
    return !alive.expired();
}

Gtk::Widget& WebKitPageEngine::widget() {
    return *Glib::wrap(GTK_WIDGET(view_));
}

std::unique_ptr<PageEngine> WebKitPageEngine::createRelated() {
    return std::unique_ptr<PageEngine>(new WebKitPageEngine(view_, family_));
}

bool WebKitPageEngine::hasPage() const {
    return !viewDestroyed_ && webkit_web_view_get_uri(view_) != nullptr;
}

void WebKitPageEngine::navigate(const std::string& address) {
    if (viewDestroyed_) {
        return;
    }
    std::string uri = engine::normalizeAddress(address);
    if (uri.empty()) {
        return;
    }
    if (isMailAddress(uri)) {
        openWithDefaultApplication(uri);
        return;
    }
    webkit_web_view_load_uri(view_, uri.c_str());
}

void WebKitPageEngine::goBack() {
    if (!viewDestroyed_ && webkit_web_view_can_go_back(view_)) {
        webkit_web_view_go_back(view_);
    }
}

void WebKitPageEngine::goForward() {
    if (!viewDestroyed_ && webkit_web_view_can_go_forward(view_)) {
        webkit_web_view_go_forward(view_);
    }
}

void WebKitPageEngine::stop() {
    if (!viewDestroyed_) {
        webkit_web_view_stop_loading(view_);
    }
}

void WebKitPageEngine::refresh() {
    if (hasPage()) {
        webkit_web_view_reload(view_);
    }
}

bool WebKitPageEngine::execCommand(DocCommand command, int /*option*/, std::optional<int> input,
                                   int* output) {
    if (viewDestroyed_) {
        return false;
    }
    try {
        auto editing = [this](const char* name) {
            if (!hasPage()) {
                return false;
            }
            webkit_web_view_execute_editing_command(view_, name);
            return true;
        };
        switch (command) {
            case DocCommand::Cut:
                return editing(WEBKIT_EDITING_COMMAND_CUT);
            case DocCommand::Copy:
                return editing(WEBKIT_EDITING_COMMAND_COPY);
            case DocCommand::Paste:
                return editing(WEBKIT_EDITING_COMMAND_PASTE);
            case DocCommand::Undo:
                return editing(WEBKIT_EDITING_COMMAND_UNDO);
            case DocCommand::SelectAll:
                return editing(WEBKIT_EDITING_COMMAND_SELECT_ALL);
            case DocCommand::Print:
            case DocCommand::PrintPreview:
                // The print dialog offers the preview.
                return runPrintDialog();
            case DocCommand::PageSetup:
                return runPageSetup();
            case DocCommand::SaveAs:
                return runSaveAs();
            case DocCommand::Properties:
                return showProperties();
            case DocCommand::Zoom:
                if (input) {
                    auto factor = engine::zoomFactorForLevel(*input);
                    if (!factor) {
                        return false;
                    }
                    webkit_web_view_set_zoom_level(view_, *factor);
                    return true;
                }
                if (output == nullptr) {
                    return false;
                }
                *output = engine::zoomLevelForFactor(webkit_web_view_get_zoom_level(view_));
                return true;
        }
    } catch (...) {
    }
    return false;
}

std::string WebKitPageEngine::locationURL() const {
    return viewDestroyed_ ? std::string() : toString(webkit_web_view_get_uri(view_));
}

std::string WebKitPageEngine::locationName() const {
    std::string title = documentTitle();
    return title.empty() ? locationURL() : title;
}

std::string WebKitPageEngine::documentTitle() const {
    if (viewDestroyed_) {
        return {};
    }
    std::string title = toString(webkit_web_view_get_title(view_));
    return title.empty() ? scriptTitle_ : title;
}

void WebKitPageEngine::documentMarkup(std::function<void(std::optional<std::string>)> done) {
    if (!hasPage()) {
        if (done) {
            try {
                done(std::nullopt);
            } catch (...) {
            }
        }
        return;
    }
    auto* call = new MarkupCall{alive_, std::move(done)};
    webkit_web_view_evaluate_javascript(view_, kMarkupScript, -1, nullptr, nullptr, cancellable_,
                                        WebKitPageEngineCallbacks::onMarkupEvaluated, call);
}

void WebKitPageEngine::grabFocus() {
    if (!viewDestroyed_) {
        gtk_widget_grab_focus(GTK_WIDGET(view_));
    }
}

bool WebKitPageEngine::hasFocus() const {
    return !viewDestroyed_ && gtk_widget_has_focus(GTK_WIDGET(view_));
}

void WebKitPageEngine::printToPdf(const std::string& file, std::function<void(bool)> done) {
    auto refuse = [&done] {
        if (done) {
            try {
                done(false);
            } catch (...) {
            }
        }
    };
    if (file.empty() || !hasPage()) {
        refuse();
        return;
    }
    std::error_code ec;
    std::filesystem::path target = std::filesystem::absolute(file, ec);
    if (ec || target.filename().empty()) {
        refuse();
        return;
    }
    std::filesystem::path partial = target;
    partial += ".part";
    std::filesystem::remove(partial, ec);
    gchar* uri = g_filename_to_uri(partial.c_str(), nullptr, nullptr);
    if (uri == nullptr) {
        refuse();
        return;
    }
    GtkPrintSettings* settings = gtk_print_settings_new();
    // The file printer carries a translated name; ask GTK's own catalogue for it.
    gtk_print_settings_set_printer(settings, g_dgettext("gtk30", "Print to File"));
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    g_free(uri);

    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    webkit_print_operation_set_print_settings(operation, settings);
    g_object_unref(settings);
    if (pageSetup_ != nullptr) {
        webkit_print_operation_set_page_setup(operation, pageSetup_);
    }
    auto* job = new PdfJob{alive_, target, partial, std::move(done)};
    g_signal_connect(operation, "failed", G_CALLBACK(WebKitPageEngineCallbacks::onPdfFailed), job);
    g_signal_connect(operation, "finished", G_CALLBACK(WebKitPageEngineCallbacks::onPdfFinished),
                     job);
    webkit_print_operation_print(operation);
}

bool WebKitPageEngine::beginLoad() {
    if (endPending_) {
        // The previous load still waits for its title: its end comes first.
        std::weak_ptr<bool> alive = alive_;
        reportLoadEnd();
        if (alive.expired()) {
            return false;
        }
    }
    loading_ = true;
    loadFailed_ = false;
    lastProgress_ = -1;
    scriptTitle_.clear();
    return true;
}

void WebKitPageEngine::finishLoad() {
    if (!loading_) {
        return;
    }
    loading_ = false;
    if (viewDestroyed_ || loadFailed_ || !documentTitle().empty()) {
        reportLoadEnd();
        return;
    }
    // WebKit hands the title over with the page's next rendering update, often after the
    // load has finished. DownloadComplete is where the window names itself after the page,
    // so the end is reported once the page has told its title (or shortly, whatever comes).
    endPending_ = true;
    unsigned serial = ++endSerial_;
    webkit_web_view_evaluate_javascript(view_, kTitleScript, -1, nullptr, nullptr, cancellable_,
                                        WebKitPageEngineCallbacks::onTitleEvaluated,
                                        new TitleCall{alive_, this, serial});
    std::weak_ptr<bool> alive = alive_;
    Glib::signal_timeout().connect_once(
        [alive, this, serial] {
            if (!alive.expired() && endPending_ && serial == endSerial_) {
                reportLoadEnd();
            }
        },
        kTitleWaitMs);
}

void WebKitPageEngine::reportLoadEnd() {
    endPending_ = false;
    // The window hides its progress bar on -1 only after a full bar; make sure one came.
    if (lastProgress_ != 100) {
        lastProgress_ = 100;
        if (!emitGuarded([&] { signalProgressChange.emit(100, 100); })) {
            return;
        }
    }
    if (!emitGuarded([&] { signalProgressChange.emit(-1, 100); })) {
        return;
    }
    if (!emitGuarded([&] { signalStatusTextChange.emit(engine::kStatusDone); })) {
        return;
    }
    emitGuarded([&] { signalDownloadComplete.emit(); });
}

void WebKitPageEngine::reportSecureState(int state) {
    secureState_ = state;
    emitGuarded([&] { signalSetSecureLockIcon.emit(state); });
}

void WebKitPageEngine::updateSecureState() {
    GTlsCertificate* certificate = nullptr;
    GTlsCertificateFlags errors = static_cast<GTlsCertificateFlags>(0);
    int state = engine::kSecureNone;
    if (webkit_web_view_get_tls_info(view_, &certificate, &errors) && certificate != nullptr &&
        errors == 0) {
        state = engine::kSecureVerified;
    }
    reportSecureState(state);
}

void WebKitPageEngine::requestClose() {
    bool cancel = false;
    // Whether to close is the window's to decide; the engine only asks.
    emitGuarded([&] { signalWindowClosing.emit(childWindow_, cancel); });
}

bool WebKitPageEngine::runPrintDialog() {
    if (!hasPage()) {
        return false;
    }
    std::weak_ptr<bool> alive = alive_;
    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    if (printSettings_ != nullptr) {
        webkit_print_operation_set_print_settings(operation, printSettings_);
    }
    if (pageSetup_ != nullptr) {
        webkit_print_operation_set_page_setup(operation, pageSetup_);
    }
    g_signal_connect(operation, "finished", G_CALLBACK(WebKitPageEngineCallbacks::onPrintDone),
                     nullptr);
    WebKitPrintOperationResponse response =
        webkit_print_operation_run_dialog(operation, toplevelWindow(view_));
    if (response != WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
        g_signal_handlers_disconnect_by_func(
            operation, reinterpret_cast<gpointer>(WebKitPageEngineCallbacks::onPrintDone), nullptr);
        g_object_unref(operation);
        return !alive.expired();
    }
    if (alive.expired()) {
        return false;
    }
    // Keep the choices made in the dialog for the next print.
    if (GtkPrintSettings* chosen = webkit_print_operation_get_print_settings(operation)) {
        GtkPrintSettings* copy = gtk_print_settings_copy(chosen);
        if (printSettings_ != nullptr) {
            g_object_unref(printSettings_);
        }
        printSettings_ = copy;
    }
    if (GtkPageSetup* chosen = webkit_print_operation_get_page_setup(operation)) {
        GtkPageSetup* copy = gtk_page_setup_copy(chosen);
        if (pageSetup_ != nullptr) {
            g_object_unref(pageSetup_);
        }
        pageSetup_ = copy;
    }
    return true;
}

bool WebKitPageEngine::runPageSetup() {
    std::weak_ptr<bool> alive = alive_;
    if (printSettings_ == nullptr) {
        printSettings_ = gtk_print_settings_new();
    }
    GtkPrintSettings* settings = GTK_PRINT_SETTINGS(g_object_ref(printSettings_));
    GtkPageSetup* chosen =
        gtk_print_run_page_setup_dialog(toplevelWindow(view_), pageSetup_, settings);
    g_object_unref(settings);
    if (alive.expired()) {
        if (chosen != nullptr) {
            g_object_unref(chosen);
        }
        return false;
    }
    if (chosen != nullptr) {
        if (pageSetup_ != nullptr) {
            g_object_unref(pageSetup_);
        }
        pageSetup_ = chosen;
    }
    return true;
}

bool WebKitPageEngine::runSaveAs() {
    if (!hasPage()) {
        return false;
    }
    std::weak_ptr<bool> alive = alive_;
    std::string suggested = fileNameFromTitle(documentTitle());
    std::string chosen;
    {
        Gtk::FileChooserDialog dialog("Save Web Page", Gtk::FILE_CHOOSER_ACTION_SAVE);
        if (GtkWindow* parent = toplevelWindow(view_)) {
            dialog.set_transient_for(*Glib::wrap(parent));
        }
        dialog.add_button("_Cancel", Gtk::RESPONSE_CANCEL);
        dialog.add_button("_Save", Gtk::RESPONSE_ACCEPT);
        dialog.set_default_response(Gtk::RESPONSE_ACCEPT);
        dialog.set_do_overwrite_confirmation(true);
        dialog.set_current_name(suggested);
        auto filter = Gtk::FileFilter::create();
        filter->set_name("Web archive (*.mht)");
        filter->add_pattern("*.mht");
        dialog.add_filter(filter);
        if (dialog.run() != Gtk::RESPONSE_ACCEPT) {
            return !alive.expired();
        }
        chosen = dialog.get_filename();
    }
    if (alive.expired() || chosen.empty() || viewDestroyed_) {
        return false;
    }
    GFile* file = g_file_new_for_path(chosen.c_str());
    webkit_web_view_save_to_file(view_, file, WEBKIT_SAVE_MODE_MHTML, nullptr,
                                 WebKitPageEngineCallbacks::onSaved, nullptr);
    g_object_unref(file);
    return true;
}

bool WebKitPageEngine::showProperties() {
    if (!hasPage()) {
        return false;
    }
    std::string type;
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
    if (resource != nullptr) {
        if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
            type = toString(webkit_uri_response_get_mime_type(response));
        }
        auto* call = new PropertiesCall{alive_, this, type};
        webkit_web_resource_get_data(resource, cancellable_, WebKitPageEngineCallbacks::onPageData,
                                     call);
        return true;
    }
    presentProperties(type, std::nullopt);
    return true;
}

void WebKitPageEngine::presentProperties(const std::string& type, std::optional<std::size_t> size) {
    std::string title = documentTitle();
    std::string details = "Address: " + locationURL() + "\n";
    details += "Type: " + (type.empty() ? std::string("unknown") : type) + "\n";
    details += "Size: " + (size ? withThousands(*size) + " bytes" : std::string("unknown"));
    propertiesDialog_ =
        std::make_unique<Gtk::MessageDialog>(title.empty() ? std::string("(untitled page)") : title,
                                             false, Gtk::MESSAGE_INFO, Gtk::BUTTONS_CLOSE, false);
    propertiesDialog_->set_title("Properties");
    propertiesDialog_->set_secondary_text(details);
    if (GtkWindow* parent = toplevelWindow(view_)) {
        propertiesDialog_->set_transient_for(*Glib::wrap(parent));
    }
    Gtk::MessageDialog* dialog = propertiesDialog_.get();
    dialog->signal_response().connect([dialog](int) { dialog->hide(); });
    dialog->show();
}

std::unique_ptr<PageEngine> makeWebKitPageEngine() {
    return std::make_unique<WebKitPageEngine>();
}

}  // namespace larkspan
