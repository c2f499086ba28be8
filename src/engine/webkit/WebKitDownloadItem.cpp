// A WebKit download as the program's Download: its file name, counts, outcome and files.
#include "engine/webkit/WebKitDownloadItem.hpp"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <system_error>

#include "common/Failure.hpp"
#include "common/Paths.hpp"
#include "engine/DownloadNaming.hpp"
#include "engine/webkit/WebKitPageEngineInternal.hpp"

namespace larkspan {

namespace fs = std::filesystem;
using webkit_internal::toString;

namespace {

constexpr const char* kNotSaved = "The file could not be saved.";
constexpr const char* kIncomplete = "The transfer ended before the whole file arrived.";

bool fileExists(const fs::path& file) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(file, ec));
}

// Renames without replacing a file that is there; false (errno EEXIST) when one is.
bool renameNoReplace(const fs::path& from, const fs::path& to) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

}  // namespace

WebKitDownloadItem::WebKitDownloadItem(WebKitDownload* download, std::function<fs::path()> folder,
                                       std::shared_ptr<DownloadReservations> reservations)
    : download_(WEBKIT_DOWNLOAD(g_object_ref(download))),
      folder_(std::move(folder)),
      reservations_(std::move(reservations)) {
    g_signal_connect(download_, "decide-destination", G_CALLBACK(onDecideDestination), this);
    g_signal_connect(download_, "notify::response", G_CALLBACK(onResponse), this);
    g_signal_connect(download_, "received-data", G_CALLBACK(onReceivedData), this);
    g_signal_connect(download_, "failed", G_CALLBACK(onFailed), this);
    g_signal_connect(download_, "finished", G_CALLBACK(onFinished), this);
}

WebKitDownloadItem::~WebKitDownloadItem() {
    g_signal_handlers_disconnect_by_data(download_, this);
    if (!status_.ended()) {
        webkit_download_cancel(download_);
        removePartial();
    }
    release();
    g_object_unref(download_);
}

std::string WebKitDownloadItem::address() const {
    WebKitURIRequest* request = webkit_download_get_request(download_);
    return request != nullptr ? toString(webkit_uri_request_get_uri(request)) : std::string();
}

void WebKitDownloadItem::cancel() {
    if (status_.ended()) return;
    // The engine answers with a failure, which ends the download (see onFailed).
    webkit_download_cancel(download_);
}

fs::path WebKitDownloadItem::partialFile() const {
    if (file_.empty()) return {};
    fs::path partial = file_;
    partial += std::string(downloads::kPartialSuffix);
    return partial;
}

void WebKitDownloadItem::removePartial() {
    fs::path partial = partialFile();
    std::error_code ec;
    if (!partial.empty()) fs::remove(partial, ec);
}

void WebKitDownloadItem::release() {
    if (reservations_ && !file_.empty()) reservations_->files.erase(file_);
}

void WebKitDownloadItem::changed() {
    try {
        signalChanged.emit();
    } catch (...) {
        reportFailure("reporting a download's change");
    }
}

bool WebKitDownloadItem::chooseFile(const std::string& suggested) {
    fs::path folder = folder_ ? folder_() : fs::path();
    if (folder.empty() || !paths::ensureDir(folder, 0755)) return false;
    auto taken = [&](const std::string& name) {
        fs::path candidate = folder / name;
        fs::path partial = candidate;
        partial += std::string(downloads::kPartialSuffix);
        return fileExists(candidate) || fileExists(partial) ||
               (reservations_ && reservations_->files.count(candidate) > 0);
    };
    file_ = folder / downloads::uniqueFileName(downloads::safeFileName(suggested), taken);
    if (reservations_) reservations_->files.insert(file_);
    gchar* uri = g_filename_to_uri(partialFile().c_str(), nullptr, nullptr);
    if (uri == nullptr) return false;
    webkit_download_set_destination(download_, uri);
    g_free(uri);
    return true;
}

// The complete file takes its final name; should another file have taken that name
// meanwhile, the next free one.
bool WebKitDownloadItem::moveIntoPlace() {
    fs::path partial = partialFile();
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (renameNoReplace(partial, file_)) return true;
        if (errno != EEXIST) return false;
        release();
        fs::path folder = file_.parent_path();
        file_ = folder / downloads::uniqueFileName(
                             file_.filename().string(),
                             [&](const std::string& name) { return fileExists(folder / name); });
    }
    return false;
}

gboolean WebKitDownloadItem::onDecideDestination(WebKitDownload*, gchar* suggested, gpointer data) {
    auto* self = static_cast<WebKitDownloadItem*>(data);
    try {
        if (!self->chooseFile(toString(suggested))) {
            self->status_.fail(kNotSaved, false);
            webkit_download_cancel(self->download_);
        }
        self->changed();
    } catch (...) {
        reportFailure("choosing a download's file");
    }
    return TRUE;
}

void WebKitDownloadItem::onResponse(GObject*, GParamSpec*, gpointer data) {
    auto* self = static_cast<WebKitDownloadItem*>(data);
    WebKitURIResponse* response = webkit_download_get_response(self->download_);
    guint64 length = response != nullptr ? webkit_uri_response_get_content_length(response) : 0;
    if (self->status_.announce(length > 0 ? std::optional<std::uint64_t>(length) : std::nullopt)) {
        self->changed();
    }
}

void WebKitDownloadItem::onReceivedData(WebKitDownload*, guint64 length, gpointer data) {
    auto* self = static_cast<WebKitDownloadItem*>(data);
    if (self->status_.receive(length)) self->changed();
}

void WebKitDownloadItem::onFailed(WebKitDownload*, GError* error, gpointer data) {
    auto* self = static_cast<WebKitDownloadItem*>(data);
    try {
        bool byUser = g_error_matches(error, WEBKIT_DOWNLOAD_ERROR,
                                      WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER) != FALSE;
        if (!self->status_.fail(toString(error != nullptr ? error->message : nullptr), byUser)) {
            return;
        }
        self->removePartial();
        self->release();
        self->changed();
    } catch (...) {
        reportFailure("ending a failed download");
    }
}

void WebKitDownloadItem::onFinished(WebKitDownload*, gpointer data) {
    auto* self = static_cast<WebKitDownloadItem*>(data);
    try {
        if (self->status_.ended()) return;
        if (!self->status_.whole()) {
            self->status_.fail(kIncomplete, false);
            self->removePartial();
        } else if (self->moveIntoPlace()) {
            self->status_.finish();
        } else {
            self->status_.fail(kNotSaved, false);
            self->removePartial();
        }
        self->release();
        self->changed();
    } catch (...) {
        reportFailure("ending a finished download");
    }
}

}  // namespace larkspan
