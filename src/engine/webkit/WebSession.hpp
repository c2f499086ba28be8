#pragma once

// The web engine's session: the folders where it keeps site data, its cache and the
// cookies between runs, the downloads its pages start and the sandbox of its page processes.
// Every page engine made with one session shares it; the program makes one.

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/WebKitContentFilters.hpp"

typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitSettings WebKitSettings;
typedef struct _GObject GObject;

namespace larkspan {

class SiteData;
struct DownloadReservations;

struct WebSessionFolders {
    // Site data (local storage, databases, the cookie store "cookies.sqlite").
    std::filesystem::path data;
    std::filesystem::path cache;
    // The folder a download is saved into, asked each time one starts.
    std::function<std::filesystem::path()> downloads;

    // The program's: "site-data" in its data folder, its cache folder and the user's
    // download folder.
    static WebSessionFolders program();
};

class WebSession {
  public:
    // Its page processes run in the sandbox; `sandboxWorks` tells whether this machine can
    // make it (where it cannot, the session shows no page).
    explicit WebSession(WebSessionFolders folders, bool sandboxWorks = engine::sandboxWorks());
    // A private session: cookies, cache and site data in memory only, gone with the
    // session; nothing of it reaches a folder. Its downloads and content filter are
    // `ordinary`'s.
    static std::shared_ptr<WebSession> makePrivate(std::shared_ptr<WebSession> ordinary,
                                                   bool sandboxWorks = engine::sandboxWorks());
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    WebKitWebContext* context() const { return context_; }
    const WebSessionFolders& folders() const { return folders_; }
    // The cookie store's file.
    std::filesystem::path cookieFile() const;
    // The content filter its pages apply (kept in "content-filters" in the cache folder).
    WebKitContentFilters& filters() { return filters_ ? *filters_ : ordinary_->filters(); }

    // Spell checking of the pages' text fields, in the given languages ("en_US"); the
    // engine's context menu then offers its suggestions.
    void setSpellChecking(bool enabled, const std::vector<std::string>& languages);
    // Whether the session's pages may draw with the graphics hardware (they may at first);
    // pages already shown follow at once.
    void setHardwareAcceleration(bool allowed);
    // A view's settings, made for a page of this session: they follow its choices from now on.
    void adopt(WebKitSettings* settings);
    // The sites ("host" or "host:port") whose notifications the user allowed or refused
    // for good, asked each time a page process starts, so that their pages know the answer
    // (Notification.permission) before asking.
    struct NotificationSites {
        std::vector<std::string> allowed;
        std::vector<std::string> refused;
    };
    void setNotificationSites(std::function<NotificationSites()> read);

    // Whether plain http pages of hosts other than this machine are stopped, and the hosts
    // the user let through anyway for this run. A private session shares its ordinary one's.
    void setSecureOnly(bool on);
    bool secureOnly() const { return ordinary_ ? ordinary_->secureOnly() : secureOnly_; }
    const std::set<std::string>& insecureAllowed() const {
        return ordinary_ ? ordinary_->insecureAllowed() : insecureAllowed_;
    }
    void allowInsecure(const std::string& host);

    // The session's cookies, storage and cache, for the program's windows that show and
    // clear them; none for a private session, which keeps nothing.
    SiteData* siteData() { return siteData_.get(); }

  private:
    struct Private {};
    WebSession(Private, std::shared_ptr<WebSession> ordinary, bool sandboxWorks);
    // The context's sandbox and download routing, for either kind.
    void finishContext(bool sandboxWorks);

    WebSessionFolders folders_;
    WebKitWebContext* context_ = nullptr;
    // The files that downloads still receiving will take, shared with the downloads
    // (which may outlive the session).
    std::shared_ptr<DownloadReservations> reservations_;
    bool hardwareAcceleration_ = true;
    // The settings of the session's views still alive.
    std::vector<WebKitSettings*> viewSettings_;
    static void forgetSettings(void* session, GObject* gone);
    std::unique_ptr<WebKitContentFilters> filters_;
    bool secureOnly_ = false;
    std::set<std::string> insecureAllowed_;
    std::unique_ptr<SiteData> siteData_;
    // A private session's ordinary one.
    std::shared_ptr<WebSession> ordinary_;
    std::function<NotificationSites()> notificationSites_;
    static void onInitializeNotifications(WebKitWebContext* context, void* session);
};

}  // namespace larkspan
