#pragma once

// Private to the engine's sources: a download of the WebKit engine as the program's
// Download.

#include <webkit2/webkit2.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "engine/Download.hpp"

namespace larkspan {

// The final files of the downloads still receiving: taken, though nothing is there yet.
struct DownloadReservations {
    std::set<std::filesystem::path> files;
};

// Owns a reference to the engine's download. The file is received under the final name
// followed by the partial suffix and renamed when complete; a download that fails, is
// cancelled or is dropped while receiving leaves no file behind.
class WebKitDownloadItem final : public Download {
  public:
    WebKitDownloadItem(WebKitDownload* download, std::function<std::filesystem::path()> folder,
                       std::shared_ptr<DownloadReservations> reservations);
    ~WebKitDownloadItem() override;
    WebKitDownloadItem(const WebKitDownloadItem&) = delete;
    WebKitDownloadItem& operator=(const WebKitDownloadItem&) = delete;

    const DownloadStatus& status() const override { return status_; }
    std::string address() const override;
    std::filesystem::path file() const override { return file_; }
    void cancel() override;

  private:
    static gboolean onDecideDestination(WebKitDownload*, gchar* suggested, gpointer data);
    static void onResponse(GObject*, GParamSpec*, gpointer data);
    static void onReceivedData(WebKitDownload*, guint64 length, gpointer data);
    static void onFailed(WebKitDownload*, GError* error, gpointer data);
    static void onFinished(WebKitDownload*, gpointer data);

    bool chooseFile(const std::string& suggested);
    bool moveIntoPlace();
    std::filesystem::path partialFile() const;
    void removePartial();
    void release();
    void changed();

    WebKitDownload* download_;
    std::function<std::filesystem::path()> folder_;
    std::shared_ptr<DownloadReservations> reservations_;
    std::filesystem::path file_;
    DownloadStatus status_;
};

}  // namespace larkspan
