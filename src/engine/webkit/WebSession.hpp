#pragma once

// The web engine's session: the folders where it keeps site data, its cache and the
// cookies between runs, the downloads its pages start and the sandbox of its page processes.
// Every page engine made with one session shares it; the program makes one.

#include <filesystem>
#include <functional>
#include <memory>

#include "engine/webkit/PageSandbox.hpp"

typedef struct _WebKitWebContext WebKitWebContext;

namespace larkspan {

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
    // session; nothing of it reaches a folder. Downloads go where `downloads` says.
    static std::shared_ptr<WebSession> makePrivate(std::function<std::filesystem::path()> downloads,
                                                   bool sandboxWorks = engine::sandboxWorks());
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    WebKitWebContext* context() const { return context_; }
    const WebSessionFolders& folders() const { return folders_; }
    // The cookie store's file.
    std::filesystem::path cookieFile() const;

  private:
    struct Private {};
    WebSession(Private, std::function<std::filesystem::path()> downloads, bool sandboxWorks);
    // The context's sandbox and download routing, for either kind.
    void finishContext(bool sandboxWorks);

    WebSessionFolders folders_;
    WebKitWebContext* context_ = nullptr;
    // The files that downloads still receiving will take, shared with the downloads
    // (which may outlive the session).
    std::shared_ptr<DownloadReservations> reservations_;
};

}  // namespace larkspan
