#pragma once

// The web engine's session: the folders where it keeps site data, its cache and the
// cookies between runs, the downloads its pages start and the sandbox of its page processes.
// Every page engine made with one session shares it; the program makes one.

#include <filesystem>
#include <functional>
#include <memory>

#include "engine/webkit/PageSandbox.hpp"
#include "engine/webkit/WebKitContentFilters.hpp"

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
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    WebKitWebContext* context() const { return context_; }
    const WebSessionFolders& folders() const { return folders_; }
    // The cookie store's file.
    std::filesystem::path cookieFile() const;
    // The content filter its pages apply (kept in "content-filters" in the cache folder).
    WebKitContentFilters& filters() { return *filters_; }

  private:
    WebSessionFolders folders_;
    WebKitWebContext* context_ = nullptr;
    // The files that downloads still receiving will take, shared with the downloads
    // (which may outlive the session).
    std::shared_ptr<DownloadReservations> reservations_;
    std::unique_ptr<WebKitContentFilters> filters_;
};

}  // namespace larkspan
