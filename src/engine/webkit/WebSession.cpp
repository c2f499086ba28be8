// The web engine's session: its folders, its cookie store, its page processes' sandbox and
// the routing of downloads to the page engine whose page started them.
#include "engine/webkit/WebSession.hpp"

#include <webkit2/webkit2.h>

#include <algorithm>

#include "common/Failure.hpp"
#include "common/Paths.hpp"
#include "engine/webkit/DesktopCompositing.hpp"
#include "engine/webkit/WebKitDownloadItem.hpp"
#include "engine/webkit/WebKitPageEngineInternal.hpp"
#include "engine/webkit/WebKitSiteData.hpp"

namespace larkspan {

namespace {

struct DownloadRouting {
    std::function<std::filesystem::path()> folder;
    std::shared_ptr<DownloadReservations> reservations;
};

void onDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer data) {
    auto* routing = static_cast<DownloadRouting*>(data);
    try {
        WebKitWebView* view = webkit_download_get_web_view(download);
        WebKitPageEngine* engine = view != nullptr ? webkit_internal::engineOfView(view) : nullptr;
        if (engine == nullptr) {
            // No page of the program asked for it: nothing is saved unseen.
            webkit_download_cancel(download);
            return;
        }
        auto item =
            std::make_shared<WebKitDownloadItem>(download, routing->folder, routing->reservations);
        // A download nobody takes is dropped, which cancels it.
        engine->reportDownload(item);
    } catch (...) {
        reportFailure("handing over a download");
        webkit_download_cancel(download);
    }
}

}  // namespace

WebSessionFolders WebSessionFolders::program() {
    return WebSessionFolders{paths::dataDir() / "site-data", paths::cacheDir(),
                             [] { return paths::downloadDir(); }};
}

WebSession::WebSession(WebSessionFolders folders, bool sandboxWorks)
    : folders_(std::move(folders)), reservations_(std::make_shared<DownloadReservations>()) {
    paths::ensureDir(folders_.data);
    paths::ensureDir(folders_.cache);
    filters_ = std::make_unique<WebKitContentFilters>(folders_.cache / "content-filters");
    WebKitWebsiteDataManager* manager =
        webkit_website_data_manager_new("base-data-directory", folders_.data.c_str(),
                                        "base-cache-directory", folders_.cache.c_str(), nullptr);
    // A certificate that fails verification stops the load; nothing lets it through.
    webkit_website_data_manager_set_tls_errors_policy(manager, WEBKIT_TLS_ERRORS_POLICY_FAIL);
    webkit_cookie_manager_set_persistent_storage(
        webkit_website_data_manager_get_cookie_manager(manager), cookieFile().c_str(),
        WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    context_ = webkit_web_context_new_with_website_data_manager(manager);
    siteData_ = std::make_unique<WebKitSiteData>(manager);
    g_object_unref(manager);
    finishContext(sandboxWorks);
}

std::shared_ptr<WebSession> WebSession::makePrivate(std::shared_ptr<WebSession> ordinary,
                                                    bool sandboxWorks) {
    return std::shared_ptr<WebSession>(
        new WebSession(Private{}, std::move(ordinary), sandboxWorks));
}

WebSession::WebSession(Private, std::shared_ptr<WebSession> ordinary, bool sandboxWorks)
    : folders_{{}, {}, ordinary->folders().downloads},
      reservations_(ordinary->reservations_),
      ordinary_(std::move(ordinary)) {
    WebKitWebsiteDataManager* manager = webkit_website_data_manager_new_ephemeral();
    webkit_website_data_manager_set_tls_errors_policy(manager, WEBKIT_TLS_ERRORS_POLICY_FAIL);
    context_ = webkit_web_context_new_with_website_data_manager(manager);
    g_object_unref(manager);
    finishContext(sandboxWorks);
}

void WebSession::finishContext(bool sandboxWorks) {
    // Before any view exists, so before the first page process starts.
    engine::sandboxPageProcesses(context_, sandboxWorks);
    auto* routing = new DownloadRouting{folders_.downloads, reservations_};
    g_signal_connect_data(
        context_, "download-started", G_CALLBACK(onDownloadStarted), routing,
        [](gpointer data, GClosure*) { delete static_cast<DownloadRouting*>(data); },
        static_cast<GConnectFlags>(0));
}

WebSession::~WebSession() {
    for (WebKitSettings* settings : viewSettings_) {
        g_object_weak_unref(G_OBJECT(settings), &WebSession::forgetSettings, this);
    }
    // The context's last reference goes with the last view that uses it.
    g_signal_handlers_disconnect_matched(context_, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                         reinterpret_cast<gpointer>(onDownloadStarted), nullptr);
    g_signal_handlers_disconnect_by_data(context_, this);
    g_object_unref(context_);
}

std::filesystem::path WebSession::cookieFile() const {
    return folders_.data / "cookies.sqlite";
}

}  // namespace larkspan

namespace larkspan {

void WebSession::setSpellChecking(bool enabled, const std::vector<std::string>& languages) {
    std::vector<const gchar*> names;
    for (const std::string& language : languages) names.push_back(language.c_str());
    names.push_back(nullptr);
    webkit_web_context_set_spell_checking_languages(context_, names.data());
    webkit_web_context_set_spell_checking_enabled(context_, enabled && !languages.empty());
}

void WebSession::setHardwareAcceleration(bool allowed) {
    hardwareAcceleration_ = allowed;
    for (WebKitSettings* settings : viewSettings_) {
        engine::allowHardwareAcceleration(settings, allowed);
    }
}

void WebSession::adopt(WebKitSettings* settings) {
    engine::allowHardwareAcceleration(settings, hardwareAcceleration_);
    g_object_weak_ref(G_OBJECT(settings), &WebSession::forgetSettings, this);
    viewSettings_.push_back(settings);
}

void WebSession::setNotificationSites(std::function<NotificationSites()> read) {
    if (!notificationSites_) {
        g_signal_connect(context_, "initialize-notification-permissions",
                         G_CALLBACK(&WebSession::onInitializeNotifications), this);
    }
    notificationSites_ = std::move(read);
}

void WebSession::onInitializeNotifications(WebKitWebContext* context, void* data) {
    auto* self = static_cast<WebSession*>(data);
    try {
        NotificationSites sites = self->notificationSites_();
        // A site is named without its scheme: both kinds of its pages know the answer.
        auto originsOf = [](const std::vector<std::string>& names) {
            GList* origins = nullptr;
            for (const std::string& name : names) {
                for (const char* scheme : {"http://", "https://"}) {
                    std::string uri = scheme + name + "/";
                    origins =
                        g_list_prepend(origins, webkit_security_origin_new_for_uri(uri.c_str()));
                }
            }
            return origins;
        };
        GList* allowed = originsOf(sites.allowed);
        GList* refused = originsOf(sites.refused);
        webkit_web_context_initialize_notification_permissions(context, allowed, refused);
        g_list_free_full(allowed, reinterpret_cast<GDestroyNotify>(webkit_security_origin_unref));
        g_list_free_full(refused, reinterpret_cast<GDestroyNotify>(webkit_security_origin_unref));
    } catch (...) {
        reportFailure("telling the page processes the sites' notification answers");
    }
}

void WebSession::setSecureOnly(bool on) {
    if (ordinary_) {
        ordinary_->setSecureOnly(on);
    } else {
        secureOnly_ = on;
    }
}

void WebSession::allowInsecure(const std::string& host) {
    if (ordinary_) {
        ordinary_->allowInsecure(host);
    } else if (!host.empty()) {
        insecureAllowed_.insert(host);
    }
}

void WebSession::forgetSettings(void* session, GObject* gone) {
    auto& list = static_cast<WebSession*>(session)->viewSettings_;
    list.erase(std::remove(list.begin(), list.end(), reinterpret_cast<WebKitSettings*>(gone)),
               list.end());
}

}  // namespace larkspan
