#pragma once

// Private to the WebKit page engine's sources: page families, C callbacks, shared helpers.

#include <webkit2/webkit2.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Failure.hpp"
#include "engine/webkit/WebKitPageEngine.hpp"

namespace larkspan {

namespace webkit_internal {

inline std::string toString(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// An idle callback that drops a reference, for objects that may still be in use by the
// signal delivery that ends their owner.
inline gboolean unrefLater(gpointer object) {
    g_object_unref(object);
    return G_SOURCE_REMOVE;
}

// The engine whose view this is; null when none (the engine has gone).
inline constexpr const char* kEngineKey = "larkspan-page-engine";
inline WebKitPageEngine* engineOfView(WebKitWebView* view) {
    return static_cast<WebKitPageEngine*>(g_object_get_data(G_OBJECT(view), kEngineKey));
}

}  // namespace webkit_internal

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

// The C callbacks of the view, of the family's content manager and of the engine's
// asynchronous calls; each one runs with errors contained.
struct WebKitPageEngineCallbacks {
    static WebKitPageEngine* engineOf(gpointer data) {
        return static_cast<WebKitPageEngine*>(data);
    }

    // The view's events and the engine's own script calls (WebKitPageEngine.cpp).
    static void onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data);
    static gboolean onLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer data);
    static gboolean onLoadFailedWithTlsErrors(WebKitWebView*, gchar*, GTlsCertificate*,
                                              GTlsCertificateFlags, gpointer data);
    static void onWebProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason,
                                       gpointer data);
    static void onUri(GObject*, GParamSpec*, gpointer data);
    static void onIsLoading(GObject*, GParamSpec*, gpointer data);
    static void onHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer,
                                 gpointer data);
    static void onInsecureContent(WebKitWebView*, WebKitInsecureContentEvent, gpointer data);
    static void onProgress(GObject*, GParamSpec*, gpointer data);
    static void onTitle(GObject*, GParamSpec*, gpointer data);
    static void onMouseTargetChanged(WebKitWebView*, WebKitHitTestResult* hit, guint,
                                     gpointer data);
    static GtkWidget* onCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data);
    static void onReadyToShow(WebKitWebView*, gpointer data);
    static void onClose(WebKitWebView*, gpointer data);
    static gboolean onFocusIn(GtkWidget*, GdkEventFocus*, gpointer data);
    static gboolean onFocusOut(GtkWidget*, GdkEventFocus*, gpointer data);
    static void onDestroy(GtkWidget*, gpointer data);
    static gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer);
    static void onMarkupEvaluated(GObject* source, GAsyncResult* result, gpointer data);
    static gboolean onEnterFullScreen(WebKitWebView*, gpointer data);
    static gboolean onLeaveFullScreen(WebKitWebView*, gpointer data);

    // Permission requests and notifications (WebKitPermissions.cpp).
    static gboolean onPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request,
                                        gpointer data);
    static gboolean onShowNotification(WebKitWebView*, WebKitNotification* notification,
                                       gpointer data);

    // Links opened beside the page (WebKitLinkOpening.cpp): whether a click asks for that,
    // and the context menu's item for it.
    static bool opensBeside(WebKitNavigationAction* action);
    static gboolean onContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*,
                                  WebKitHitTestResult* hit, gpointer data);
    static void onTitleEvaluated(GObject* source, GAsyncResult* result, gpointer data);
    static void onMovedTitleEvaluated(GObject* source, GAsyncResult* result, gpointer data);

    // Messages from the family's page scripts (WebKitPageScripts.cpp).
    static void onCloseMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                               gpointer data);
    static void onErrorMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                               gpointer data);

    // The document commands' saving, properties, finding and printing
    // (WebKitDocumentCommands.cpp).
    static void onSaved(GObject* source, GAsyncResult* result, gpointer);
    static void onPageData(GObject* source, GAsyncResult* result, gpointer data);
    static void onCountedMatches(WebKitFindController*, guint count, gpointer data);
    static void onCanUndo(GObject* source, GAsyncResult* result, gpointer data);
    static void onPrintDone(WebKitPrintOperation* operation, gpointer);
    static void onPdfFailed(WebKitPrintOperation*, GError*, gpointer data);
    static void onPdfFinished(WebKitPrintOperation* operation, gpointer data);
};

// Emits through `emit`, containing its errors; false when the engine did not survive it.
template <typename F>
bool WebKitPageEngine::emitGuarded(F&& emit) {
    std::weak_ptr<bool> alive = alive_;
    try {
        emit();
    } catch (...) {
        reportFailure("handling an engine event");
    }
    return !alive.expired();
}

}  // namespace larkspan
