// A page's permission requests and notifications, handed to the program: every request is
// answered by the user (or denied), none is granted by the engine on its own.
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>

#include "engine/webkit/WebKitPageEngineInternal.hpp"

namespace larkspan {

using webkit_internal::toString;

namespace {

// The kind of request the program asks about; nothing for the others, which are denied.
std::optional<PermissionKind> kindOf(WebKitPermissionRequest* request) {
    if (WEBKIT_IS_NOTIFICATION_PERMISSION_REQUEST(request)) return PermissionKind::Notifications;
    if (WEBKIT_IS_GEOLOCATION_PERMISSION_REQUEST(request)) return PermissionKind::Location;
    if (WEBKIT_IS_CLIPBOARD_PERMISSION_REQUEST(request)) return PermissionKind::Clipboard;
    if (WEBKIT_IS_USER_MEDIA_PERMISSION_REQUEST(request)) {
        auto* media = WEBKIT_USER_MEDIA_PERMISSION_REQUEST(request);
        // Sharing the screen is not offered.
        if (webkit_user_media_permission_is_for_display_device(media)) return std::nullopt;
        bool audio = webkit_user_media_permission_is_for_audio_device(media) != FALSE;
        bool video = webkit_user_media_permission_is_for_video_device(media) != FALSE;
        if (audio && video) return PermissionKind::CameraAndMicrophone;
        if (video) return PermissionKind::Camera;
        if (audio) return PermissionKind::Microphone;
    }
    return std::nullopt;
}

}  // namespace

gboolean WebKitPageEngineCallbacks::onPermissionRequest(WebKitWebView* view,
                                                        WebKitPermissionRequest* request,
                                                        gpointer data) {
    auto* self = engineOf(data);
    try {
        std::optional<PermissionKind> kind = kindOf(request);
        std::string origin = engine::permissionOrigin(toString(webkit_web_view_get_uri(view)));
        if (!kind || origin.empty()) {
            webkit_permission_request_deny(request);
            return TRUE;
        }
        // Held until answered; a request nobody keeps is denied as it goes.
        g_object_ref(request);
        auto asked = std::make_shared<PermissionRequest>(*kind, origin, [request](bool allowed) {
            if (allowed) {
                webkit_permission_request_allow(request);
            } else {
                webkit_permission_request_deny(request);
            }
            g_object_unref(request);
        });
        self->emitGuarded([&] { self->signalPermissionRequested.emit(asked); });
    } catch (...) {
        reportFailure("asking about a page's permission request");
        webkit_permission_request_deny(request);
    }
    return TRUE;
}

gboolean WebKitPageEngineCallbacks::onShowNotification(WebKitWebView*,
                                                       WebKitNotification* notification,
                                                       gpointer data) {
    auto* self = engineOf(data);
    try {
        // Without a handler the engine shows it its own way.
        if (self->signalShowNotification.empty()) return FALSE;
        PageNotification shown{toString(webkit_notification_get_title(notification)),
                               toString(webkit_notification_get_body(notification))};
        self->emitGuarded([&] { self->signalShowNotification.emit(shown); });
    } catch (...) {
        reportFailure("showing a page's notification");
    }
    return TRUE;
}

}  // namespace larkspan
