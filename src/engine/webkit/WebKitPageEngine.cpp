// The WebKit page engine: construction, navigation, load reporting and the view's events.
#include "engine/webkit/WebKitPageEngine.hpp"

#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <utility>

#include "common/DesktopOpen.hpp"
#include "common/Failure.hpp"
#include "engine/webkit/DesktopCompositing.hpp"
#include "engine/webkit/ErrorPages.hpp"
#include "engine/webkit/MakerSiteScheme.hpp"
#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/SecureConnections.hpp"
#include "engine/webkit/WebKitPageEngineInternal.hpp"
#include "engine/webkit/WebSession.hpp"

namespace larkspan {

using webkit_internal::toString;
using webkit_internal::unrefLater;

namespace {

constexpr const char* kMarkupScript =
    "document.documentElement ? document.documentElement.innerHTML : null";
constexpr const char* kTitleScript = "document.title";

// How long the end of a load waits for a page that does not tell its title.
constexpr unsigned kTitleWaitMs = 1000;

WebKitSettings* makeSettings() {
    WebKitSettings* settings = webkit_settings_new();
    // Without this WebKit drops script popups silently and the popup blocker never hears
    // of them; every request must reach NewWindow2.
    webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
    // The Zoom command is the program's text size.
    webkit_settings_set_zoom_text_only(settings, TRUE);
    // The inspector, and "Inspect Element" in the page's context menu.
    webkit_settings_set_enable_developer_extras(settings, TRUE);
    // Camera and microphone: every request for them is asked of the user.
    webkit_settings_set_enable_media_stream(settings, TRUE);
    engine::followDesktopCompositing(settings);
    return settings;
}

bool isMailAddress(const std::string& uri) {
    // The scheme comes back lower-cased and interned: nothing to free.
    const char* scheme = g_uri_peek_scheme(uri.c_str());
    return scheme != nullptr && g_strcmp0(scheme, "mailto") == 0;
}

// The text a script evaluated to; nothing when it failed or gave something other than a
// string.
std::optional<std::string> evaluatedString(GObject* source, GAsyncResult* result) {
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    std::optional<std::string> text;
    if (value != nullptr && jsc_value_is_string(value)) {
        gchar* chars = jsc_value_to_string(value);
        text = toString(chars);
        g_free(chars);
    }
    if (value != nullptr) {
        g_object_unref(value);
    }
    if (error != nullptr) {
        g_error_free(error);
    }
    return text;
}

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

}  // namespace

// ---- The view's events ---------------------------------------------------------------

void WebKitPageEngineCallbacks::onLoadChanged(WebKitWebView* view, WebKitLoadEvent event,
                                              gpointer data) {
    auto* self = engineOf(data);
    try {
        switch (event) {
            case WEBKIT_LOAD_STARTED:
                if (!self->loading_ && !self->beginLoad()) {
                    return;
                }
                if (!self->quietLoad_) {
                    self->emitGuarded(
                        [&] { self->signalStatusTextChange.emit(engine::kStatusLoading); });
                }
                break;
            case WEBKIT_LOAD_REDIRECTED:
                break;
            case WEBKIT_LOAD_COMMITTED: {
                std::string uri = toString(webkit_web_view_get_uri(view));
                self->reportedUri_ = uri;
                // A connection was made: whatever comes next is this page's answer.
                self->plainFallback_.clear();
                if (!self->quietLoad_) self->insecureShown_.clear();
                bool fellBack = std::exchange(self->fellBack_, false);
                if (self->emitGuarded([&] { self->signalNavigateComplete2.emit(uri); })) {
                    if (fellBack && !self->quietLoad_) {
                        self->reportSecureState(engine::kSecureNotOffered);
                    } else {
                        self->updateSecureState();
                    }
                }
                break;
            }
            case WEBKIT_LOAD_FINISHED:
                // The end of a load that another one has already replaced changes nothing.
                if (webkit_web_view_is_loading(view)) {
                    break;
                }
                if (self->loading_) {
                    // A script may have moved the address while the page loaded.
                    std::weak_ptr<bool> alive = self->alive_;
                    self->reportMovedAddress();
                    if (alive.expired()) {
                        return;
                    }
                }
                self->finishLoad();
                break;
        }
    } catch (...) {
        reportFailure("following a page's load");
    }
}

gboolean WebKitPageEngineCallbacks::onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* failingUri,
                                                 GError* error, gpointer data) {
    try {
        auto* self = engineOf(data);
        if (engine::failedToConnect(error) && self->fallBackToPlain()) return TRUE;
        std::optional<engine::LoadFailure> failure = engine::loadFailureOf(error);
        if (!failure) {
            // Nothing to explain (stopped, or handed elsewhere). FINISHED follows, but the
            // load is over now; finishLoad reports it only once.
            if (self->loading_) {
                self->loadFailed_ = true;
                self->finishLoad();
            }
            return FALSE;
        }
        // The page that could not be reached is replaced by one that says why; the load
        // of that page ends what this one began, once.
        self->loading_ = false;
        self->endPending_ = false;
        ++self->endSerial_;
        std::string address = toString(failingUri);
        self->showErrorPage(
            engine::unreachablePage(address, *failure, toString(error ? error->message : nullptr)),
            address);
        return TRUE;
    } catch (...) {
        reportFailure("reporting a failed load");
    }
    return FALSE;
}

gboolean WebKitPageEngineCallbacks::onLoadFailedWithTlsErrors(WebKitWebView*, gchar* failingUri,
                                                              GTlsCertificate*,
                                                              GTlsCertificateFlags errors,
                                                              gpointer data) {
    auto* self = engineOf(data);
    try {
        // Many sites without a secure connection answer one with a certificate of another.
        if (self->fallBackToPlain()) return TRUE;
        std::weak_ptr<bool> alive = self->alive_;
        self->abandonLoad();
        if (alive.expired()) {
            return TRUE;
        }
        self->reportSecureState(engine::kSecureNone);
        if (alive.expired()) {
            return TRUE;
        }
        // The page is not shown, and nothing on the error page leads on to it.
        std::string address = toString(failingUri);
        self->showErrorPage(engine::certificatePage(address, static_cast<unsigned>(errors)),
                            address);
    } catch (...) {
        reportFailure("reporting a certificate error");
    }
    return TRUE;
}

void WebKitPageEngineCallbacks::onWebProcessTerminated(WebKitWebView* view,
                                                       WebKitWebProcessTerminationReason reason,
                                                       gpointer data) {
    auto* self = engineOf(data);
    try {
        if (self->viewDestroyed_) {
            return;
        }
        std::string address = toString(webkit_web_view_get_uri(view));
        if (address.empty()) {
            address = self->reportedUri_;
        }
        std::weak_ptr<bool> alive = self->alive_;
        self->abandonLoad();
        if (alive.expired()) {
            return;
        }
        engine::PageEnd why = engine::PageEnd::Crashed;
        if (reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT) {
            why = engine::PageEnd::OutOfMemory;
        } else if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) {
            why = engine::PageEnd::Ended;
        }
        self->showErrorPage(engine::stoppedPage(address, why), address);
    } catch (...) {
        reportFailure("reporting the end of a page's process");
    }
}

void WebKitPageEngineCallbacks::onUri(GObject*, GParamSpec*, gpointer data) {
    auto* self = engineOf(data);
    try {
        // A page about to load takes the filter up, or leaves it on a site the user allowed.
        self->applyContentFilter(toString(webkit_web_view_get_uri(self->view_)));
        // While a load runs, its commit reports the address. Otherwise the page moved
        // inside its document: a script pushed a history entry or a fragment was followed.
        if (self->loading_ || webkit_web_view_is_loading(self->view_)) {
            return;
        }
        std::weak_ptr<bool> alive = self->alive_;
        if (self->reportMovedAddress() && !alive.expired()) {
            self->reportMovedInDocument();
        }
    } catch (...) {
        reportFailure("reporting a page's new address");
    }
}

void WebKitPageEngineCallbacks::onIsLoading(GObject*, GParamSpec*, gpointer data) {
    auto* self = engineOf(data);
    try {
        if (webkit_web_view_is_loading(self->view_)) {
            return;
        }
        if (self->loading_) {
            // A step back or forward inside one document reports no load events, yet it
            // starts and ends like a load; the end of any load is known here first.
            std::weak_ptr<bool> alive = self->alive_;
            self->reportMovedAddress();
            if (!alive.expired()) {
                self->finishLoad();
            }
        } else {
            std::weak_ptr<bool> alive = self->alive_;
            if (self->reportMovedAddress() && !alive.expired()) {
                self->reportMovedInDocument();
            }
        }
    } catch (...) {
        reportFailure("following a page's loading state");
    }
}

void WebKitPageEngineCallbacks::onHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*,
                                                 gpointer, gpointer data) {
    auto* self = engineOf(data);
    try {
        if (self->viewDestroyed_) {
            return;
        }
        bool back = webkit_web_view_can_go_back(self->view_) != FALSE;
        bool forward = webkit_web_view_can_go_forward(self->view_) != FALSE;
        if (self->emitGuarded(
                [&] { self->signalCommandStateChange.emit(engine::Command::Back, back); }) &&
            self->emitGuarded(
                [&] { self->signalCommandStateChange.emit(engine::Command::Forward, forward); })) {
            self->emitGuarded([&] { self->signalHistoryChange.emit(); });
        }
    } catch (...) {
        reportFailure("reporting a change of a page's history");
    }
}

void WebKitPageEngineCallbacks::onInsecureContent(WebKitWebView*, WebKitInsecureContentEvent,
                                                  gpointer data) {
    auto* self = engineOf(data);
    try {
        if (self->secureState_ > engine::kSecureMixed) {
            self->reportSecureState(engine::kSecureMixed);
        }
    } catch (...) {
        reportFailure("reporting insecure content on a page");
    }
}

void WebKitPageEngineCallbacks::onProgress(GObject*, GParamSpec*, gpointer data) {
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
        reportFailure("reporting load progress");
    }
}

void WebKitPageEngineCallbacks::onTitle(GObject*, GParamSpec*, gpointer data) {
    auto* self = engineOf(data);
    try {
        std::string title = toString(webkit_web_view_get_title(self->view_));
        self->scriptTitle_.clear();
        self->movedTitle_.reset();
        self->emitGuarded([&] { self->signalTitleChange.emit(title); });
    } catch (...) {
        reportFailure("reporting a page's title");
    }
}

void WebKitPageEngineCallbacks::onMouseTargetChanged(WebKitWebView*, WebKitHitTestResult* hit,
                                                     guint, gpointer data) {
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
        reportFailure("reporting the link under the pointer");
    }
}

GtkWidget* WebKitPageEngineCallbacks::onCreate(WebKitWebView* view, WebKitNavigationAction* action,
                                               gpointer data) {
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
        reportFailure("answering a page's request for a new window");
        return nullptr;
    }
}

void WebKitPageEngineCallbacks::onReadyToShow(WebKitWebView*, gpointer data) {
    auto* self = engineOf(data);
    self->emitGuarded([&] { self->signalReadyToShow.emit(); });
}

void WebKitPageEngineCallbacks::onClose(WebKitWebView*, gpointer data) {
    try {
        engineOf(data)->requestClose();
    } catch (...) {
        reportFailure("answering a page's request to close its window");
    }
}

gboolean WebKitPageEngineCallbacks::onFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
    auto* self = engineOf(data);
    self->emitGuarded([&] { self->signalGotFocus.emit(); });
    return FALSE;
}

gboolean WebKitPageEngineCallbacks::onFocusOut(GtkWidget*, GdkEventFocus*, gpointer data) {
    auto* self = engineOf(data);
    self->emitGuarded([&] { self->signalLostFocus.emit(); });
    return FALSE;
}

// Both let the engine go on: it makes the window full screen and back itself.
gboolean WebKitPageEngineCallbacks::onEnterFullScreen(WebKitWebView*, gpointer data) {
    auto* self = engineOf(data);
    self->emitGuarded([&] { self->signalEnterFullScreen.emit(); });
    return FALSE;
}

gboolean WebKitPageEngineCallbacks::onLeaveFullScreen(WebKitWebView*, gpointer data) {
    auto* self = engineOf(data);
    self->emitGuarded([&] { self->signalLeaveFullScreen.emit(); });
    return FALSE;
}

void WebKitPageEngineCallbacks::onDestroy(GtkWidget*, gpointer data) {
    engineOf(data)->viewDestroyed_ = true;
}

gboolean WebKitPageEngineCallbacks::onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                                   WebKitPolicyDecisionType type, gpointer data) {
    try {
        if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
            type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
            return FALSE;
        }
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        WebKitURIRequest* request = webkit_navigation_action_get_request(action);
        std::string uri =
            toString(request != nullptr ? webkit_uri_request_get_uri(request) : nullptr);
        auto* self = engineOf(data);
        if (!self->showsPages_ && !self->errorPageNext_) {
            // Without the sandbox no page is shown, only the engine's own error pages: a
            // page that asks for a window gets none, any other the reason instead.
            webkit_policy_decision_ignore(decision);
            if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
                // The refused load has begun for the window; it ends unseen.
                std::weak_ptr<bool> alive = self->alive_;
                self->abandonLoad();
                if (!alive.expired()) {
                    self->showErrorPage(engine::noSandboxPage(uri), uri);
                }
            }
            return TRUE;
        }
        if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION && !self->errorPageNext_ &&
            self->stopsInsecure(uri, webkit_navigation_action_get_navigation_type(action) ==
                                         WEBKIT_NAVIGATION_TYPE_LINK_CLICKED)) {
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
        // A link the user opens beside the page leaves this one where it is.
        if (opensBeside(action) && !isMailAddress(uri)) {
            webkit_policy_decision_ignore(decision);
            self->emitGuarded([&] { self->signalOpenInNewTab.emit(uri); });
            return TRUE;
        }
        // A mail link opens the user's mail reader; the page stays.
        if (isMailAddress(uri)) {
            self->openElsewhere(uri);
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
    } catch (...) {
        reportFailure("deciding on a navigation");
    }
    return FALSE;
}

void WebKitPageEngineCallbacks::onMarkupEvaluated(GObject* source, GAsyncResult* result,
                                                  gpointer data) {
    std::unique_ptr<MarkupCall> call(static_cast<MarkupCall*>(data));
    std::optional<std::string> markup = evaluatedString(source, result);
    if (call->alive.expired() || !call->done) {
        return;
    }
    try {
        call->done(std::move(markup));
    } catch (...) {
        reportFailure("handing over a page's markup");
    }
}

void WebKitPageEngineCallbacks::onTitleEvaluated(GObject* source, GAsyncResult* result,
                                                 gpointer data) {
    std::unique_ptr<TitleCall> call(static_cast<TitleCall*>(data));
    std::string title = evaluatedString(source, result).value_or(std::string());
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
        reportFailure("reading a page's title at the end of a load");
    }
}

void WebKitPageEngineCallbacks::onMovedTitleEvaluated(GObject* source, GAsyncResult* result,
                                                      gpointer data) {
    std::unique_ptr<TitleCall> call(static_cast<TitleCall*>(data));
    std::optional<std::string> title = evaluatedString(source, result);
    if (call->alive.expired()) {
        return;
    }
    WebKitPageEngine* self = call->engine;
    try {
        if (call->serial != self->movedSerial_ || self->loading_) {
            return;
        }
        self->movedTitle_ = title;
        self->emitGuarded([&] { self->signalDownloadComplete.emit(); });
    } catch (...) {
        reportFailure("reading a page's title after a move within it");
    }
}

// ---- The engine ----------------------------------------------------------------------

WebKitPageEngine::WebKitPageEngine(DialogsSource dialogs, std::shared_ptr<WebSession> session)
    : WebKitPageEngine(std::move(dialogs), std::move(session), nullptr, nullptr) {}

WebKitPageEngine::WebKitPageEngine(DialogsSource dialogs, std::shared_ptr<WebSession> session,
                                   WebKitWebView* relatedView, std::shared_ptr<PageFamily> family)
    : dialogs_(std::move(dialogs)),
      session_(std::move(session)),
      relatedView_(relatedView),
      family_(std::move(family)) {
    WebKitWebContext* context = session_ ? session_->context() : webkit_web_context_get_default();
    if (!session_) {
        // Before the default context's first view exists (a session's context went into
        // the sandbox when the session was made).
        engine::sandboxPageProcesses(context, engine::sandboxWorks());
    }
    showsPages_ = engine::mayShowPages(context);
    registerMakerSiteScheme(context);
    if (!family_) {
        family_ = std::make_shared<PageFamily>();
        family_->root = this;
    }
    family_->members.push_back(this);
    cancellable_ = g_cancellable_new();
    WebKitSettings* settings = makeSettings();
    if (session_) session_->adopt(settings);
    // A popup's view shares the context of the view that opened it.
    GObject* object =
        relatedView != nullptr
            ? G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", relatedView, "settings",
                                    settings, "user-content-manager", family_->contentManager,
                                    nullptr))
        : session_ != nullptr
            ? G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", session_->context(),
                                    "settings", settings, "user-content-manager",
                                    family_->contentManager, nullptr))
            : G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", settings,
                                    "user-content-manager", family_->contentManager, nullptr));
    g_object_unref(settings);
    view_ = WEBKIT_WEB_VIEW(g_object_ref_sink(object));
    childWindow_ = relatedView != nullptr;
    g_object_set_data(G_OBJECT(view_), webkit_internal::kEngineKey, this);

    using C = WebKitPageEngineCallbacks;
    g_signal_connect(view_, "load-changed", G_CALLBACK(C::onLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(C::onLoadFailed), this);
    g_signal_connect(view_, "load-failed-with-tls-errors", G_CALLBACK(C::onLoadFailedWithTlsErrors),
                     this);
    g_signal_connect(view_, "web-process-terminated", G_CALLBACK(C::onWebProcessTerminated), this);
    g_signal_connect(view_, "notify::uri", G_CALLBACK(C::onUri), this);
    g_signal_connect(view_, "notify::is-loading", G_CALLBACK(C::onIsLoading), this);
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
    g_signal_connect(view_, "context-menu", G_CALLBACK(C::onContextMenu), this);
    g_signal_connect(view_, "enter-fullscreen", G_CALLBACK(C::onEnterFullScreen), this);
    g_signal_connect(view_, "leave-fullscreen", G_CALLBACK(C::onLeaveFullScreen), this);
    g_signal_connect(view_, "permission-request", G_CALLBACK(C::onPermissionRequest), this);
    g_signal_connect(view_, "show-notification", G_CALLBACK(C::onShowNotification), this);
    g_signal_connect(webkit_web_view_get_find_controller(view_), "counted-matches",
                     G_CALLBACK(C::onCountedMatches), this);
    g_signal_connect(webkit_web_view_get_back_forward_list(view_), "changed",
                     G_CALLBACK(C::onHistoryChanged), this);
    if (session_) {
        filtersChanged_ = session_->filters().signalChanged().connect(
            [this] { applyContentFilter(locationURL()); });
        applyContentFilter("");
    }
}

void WebKitPageEngine::applyContentFilter(const std::string& address) {
    if (session_) session_->filters().applyTo(family_->contentManager, address);
}

WebKitPageEngine::~WebKitPageEngine() {
    alive_.reset();
    filtersChanged_.disconnect();
    g_object_set_data(G_OBJECT(view_), webkit_internal::kEngineKey, nullptr);
    g_cancellable_cancel(cancellable_);
    g_signal_handlers_disconnect_by_data(view_, this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_find_controller(view_), this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(view_), this);
    auto& members = family_->members;
    members.erase(std::remove(members.begin(), members.end(), this), members.end());
    if (family_->root == this) {
        family_->root = nullptr;
    }
    family_.reset();
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

Gtk::Widget& WebKitPageEngine::widget() {
    return *Glib::wrap(GTK_WIDGET(view_));
}

std::unique_ptr<PageEngine> WebKitPageEngine::createRelated() {
    return std::unique_ptr<PageEngine>(new WebKitPageEngine(dialogs_, session_, view_, family_));
}

bool WebKitPageEngine::hasPage() const {
    return !viewDestroyed_ && webkit_web_view_get_uri(view_) != nullptr;
}

void WebKitPageEngine::navigate(const std::string& address) {
    if (viewDestroyed_) {
        return;
    }
    engine::TypedAddress typed = engine::typedAddress(address);
    const std::string& uri = typed.uri;
    if (uri.empty()) {
        return;
    }
    if (isMailAddress(uri)) {
        openElsewhere(uri);
        return;
    }
    plainFallback_ = typed.fallback;
    fellBack_ = false;
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

std::vector<HistoryEntry> WebKitPageEngine::historyToward(int direction) const {
    std::vector<HistoryEntry> entries;
    if (viewDestroyed_) {
        return entries;
    }
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(view_);
    for (int step = direction;; step += direction) {
        WebKitBackForwardListItem* item = webkit_back_forward_list_get_nth_item(list, step);
        if (item == nullptr) {
            break;
        }
        entries.push_back({toString(webkit_back_forward_list_item_get_title(item)),
                           toString(webkit_back_forward_list_item_get_uri(item))});
    }
    return entries;
}

std::vector<HistoryEntry> WebKitPageEngine::backHistory() const {
    return historyToward(-1);
}

std::vector<HistoryEntry> WebKitPageEngine::forwardHistory() const {
    return historyToward(1);
}

void WebKitPageEngine::goToHistory(int steps) {
    if (viewDestroyed_ || steps == 0) {
        return;
    }
    WebKitBackForwardListItem* item =
        webkit_back_forward_list_get_nth_item(webkit_web_view_get_back_forward_list(view_), steps);
    if (item != nullptr) {
        webkit_web_view_go_to_back_forward_list_item(view_, item);
    }
}

std::string WebKitPageEngine::historyState() const {
    if (!hasPage()) {
        return {};
    }
    WebKitWebViewSessionState* state = webkit_web_view_get_session_state(view_);
    GBytes* bytes = webkit_web_view_session_state_serialize(state);
    webkit_web_view_session_state_unref(state);
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string serialized = data != nullptr ? std::string(data, size) : std::string();
    g_bytes_unref(bytes);
    return serialized;
}

bool WebKitPageEngine::restoreHistoryState(const std::string& state) {
    if (viewDestroyed_ || state.empty()) {
        return false;
    }
    // The engine reads the bytes itself and gives nothing back for any it cannot read.
    GBytes* bytes = g_bytes_new(state.data(), state.size());
    WebKitWebViewSessionState* session = webkit_web_view_session_state_new(bytes);
    g_bytes_unref(bytes);
    if (session == nullptr) {
        return false;
    }
    webkit_web_view_restore_session_state(view_, session);
    webkit_web_view_session_state_unref(session);
    // A restored history loads nothing by itself.
    WebKitBackForwardListItem* current =
        webkit_back_forward_list_get_current_item(webkit_web_view_get_back_forward_list(view_));
    if (current != nullptr) {
        webkit_web_view_go_to_back_forward_list_item(view_, current);
    }
    return true;
}

void WebKitPageEngine::stop() {
    // A secure attempt the user stopped is not tried again over http.
    plainFallback_.clear();
    if (!viewDestroyed_) {
        webkit_web_view_stop_loading(view_);
    }
}

void WebKitPageEngine::refresh() {
    if (hasPage()) {
        webkit_web_view_reload(view_);
    }
}

bool WebKitPageEngine::isPrivate() const {
    return webkit_web_view_is_ephemeral(view_) != FALSE;
}

void WebKitPageEngine::refreshBypassingCache() {
    if (hasPage()) {
        webkit_web_view_reload_bypass_cache(view_);
    }
}

bool WebKitPageEngine::showInspector() {
    if (viewDestroyed_) return false;
    webkit_web_inspector_show(webkit_web_view_get_inspector(view_));
    return true;
}

void WebKitPageEngine::leaveFullScreen() {
    // The engine has no call for it; the page's own does the same as the user's Escape.
    if (viewDestroyed_) return;
    webkit_web_view_evaluate_javascript(
        view_, "if (document.fullscreenElement) document.exitFullscreen();", -1, nullptr, nullptr,
        cancellable_, nullptr, nullptr);
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
    if (movedTitle_) {
        return *movedTitle_;
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
                reportFailure("handing over a page's markup");
            }
        }
        return;
    }
    auto* call = new MarkupCall{alive_, std::move(done)};
    webkit_web_view_evaluate_javascript(view_, kMarkupScript, -1, nullptr, nullptr, cancellable_,
                                        WebKitPageEngineCallbacks::onMarkupEvaluated, call);
}

WindowFeatures WebKitPageEngine::requestedGeometry() const {
    if (viewDestroyed_) {
        return {};
    }
    GdkRectangle area{};
    webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view_), &area);
    return {area.x, area.y, area.width, area.height};
}

void WebKitPageEngine::grabFocus() {
    if (!viewDestroyed_) {
        gtk_widget_grab_focus(GTK_WIDGET(view_));
    }
}

bool WebKitPageEngine::hasFocus() const {
    return !viewDestroyed_ && gtk_widget_has_focus(GTK_WIDGET(view_));
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
    movedTitle_.reset();
    quietLoad_ = errorPageNext_;
    errorPageNext_ = false;
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
    // An error page tells no status: the panel stays clear.
    const char* status = quietLoad_ ? "" : engine::kStatusDone;
    if (!emitGuarded([&] { signalStatusTextChange.emit(status); })) {
        return;
    }
    emitGuarded([&] { signalDownloadComplete.emit(); });
}

void WebKitPageEngine::abandonLoad() {
    bool wasLoading = loading_ || endPending_;
    loading_ = false;
    endPending_ = false;
    ++endSerial_;
    if (wasLoading && lastProgress_ != 100) {
        lastProgress_ = 100;
        if (!emitGuarded([&] { signalProgressChange.emit(100, 100); })) {
            return;
        }
    }
    if (wasLoading && !emitGuarded([&] { signalProgressChange.emit(-1, 100); })) {
        return;
    }
    emitGuarded([&] { signalStatusTextChange.emit(""); });
}

bool WebKitPageEngine::reportMovedAddress() {
    std::string uri = viewDestroyed_ ? std::string() : toString(webkit_web_view_get_uri(view_));
    if (uri.empty() || uri == reportedUri_) {
        return false;
    }
    reportedUri_ = uri;
    emitGuarded([&] { signalNavigateComplete2.emit(uri); });
    return true;
}

void WebKitPageEngine::reportMovedInDocument() {
    // The engine tells a title a script set with its next rendering update, later than
    // the move: the page is asked, and the caption follows once it has answered.
    webkit_web_view_evaluate_javascript(view_, kTitleScript, -1, nullptr, nullptr, cancellable_,
                                        WebKitPageEngineCallbacks::onMovedTitleEvaluated,
                                        new TitleCall{alive_, this, ++movedSerial_});
}

void WebKitPageEngine::showErrorPage(const std::string& html, const std::string& address) {
    if (viewDestroyed_) {
        return;
    }
    errorPageNext_ = true;
    webkit_web_view_load_alternate_html(view_, html.c_str(),
                                        address.empty() ? nullptr : address.c_str(), nullptr);
}

bool WebKitPageEngine::fallBackToPlain() {
    if (plainFallback_.empty() || viewDestroyed_) {
        return false;
    }
    std::string plain = std::exchange(plainFallback_, std::string());
    if (session_ && session_->secureOnly() &&
        engine::refusedAsInsecure(plain, session_->insecureAllowed())) {
        // Not the plain page, but the page that says the site has no secure one.
        loading_ = false;
        endPending_ = false;
        ++endSerial_;
        insecureShown_ = engine::hostOf(plain);
        showErrorPage(engine::insecurePage(plain), plain);
        return true;
    }
    // The same load for the user, now of the plain page.
    fellBack_ = true;
    webkit_web_view_load_uri(view_, plain.c_str());
    return true;
}

bool WebKitPageEngine::stopsInsecure(const std::string& uri, bool linkClicked) {
    if (!session_ || !session_->secureOnly() ||
        !engine::refusedAsInsecure(uri, session_->insecureAllowed())) {
        return false;
    }
    // "Continue to the insecure page" on the page that stopped it lets the site through for
    // the rest of the run.
    if (linkClicked && engine::hostOf(uri) == insecureShown_) {
        session_->allowInsecure(insecureShown_);
        insecureShown_.clear();
        return false;
    }
    plainFallback_.clear();
    std::weak_ptr<bool> alive = alive_;
    abandonLoad();
    if (alive.expired()) {
        return true;
    }
    insecureShown_ = engine::hostOf(uri);
    showErrorPage(engine::insecurePage(uri), uri);
    return true;
}

void WebKitPageEngine::openElsewhere(const std::string& uri) {
    // From the main loop: telling the user that no program is set up must not happen inside
    // one of the engine's signals.
    std::weak_ptr<bool> alive = alive_;
    Glib::signal_idle().connect_once([alive, this, uri] {
        if (alive.expired()) {
            return;
        }
        Gtk::Window* parent = nullptr;
        GtkWidget* top = viewDestroyed_ ? nullptr : gtk_widget_get_toplevel(GTK_WIDGET(view_));
        if (top != nullptr && GTK_IS_WINDOW(top)) {
            parent = Glib::wrap(GTK_WINDOW(top));
        }
        openAddressOrSay(parent, uri, "Send Mail");
    });
}

void WebKitPageEngine::reportDownload(const std::shared_ptr<Download>& download) {
    emitGuarded([&] { signalDownloadStarted.emit(download); });
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

std::unique_ptr<PageEngine> makeWebKitPageEngine(DialogsSource dialogs,
                                                 std::shared_ptr<WebSession> session) {
    return std::make_unique<WebKitPageEngine>(std::move(dialogs), std::move(session));
}

}  // namespace larkspan
