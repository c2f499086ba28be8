#include "features/downloads/DownloadRow.hpp"

#include <glib.h>

#include <cmath>

namespace larkspan {

namespace {

std::string formatSize(std::uint64_t bytes) {
    gchar* text = g_format_size(bytes);
    std::string out = text;
    g_free(text);
    return out;
}

}  // namespace

DownloadRow describeDownload(const DownloadStatus& status, const std::filesystem::path& file,
                             const std::string& address) {
    DownloadRow row;
    row.name = file.empty() ? address : file.filename().string();
    std::optional<double> fraction = status.fraction();
    switch (status.state()) {
        case DownloadState::Receiving:
            row.size = formatSize(status.received());
            if (status.total()) row.size += " of " + formatSize(*status.total());
            // A bar at 100 % would say the file is there: it is not until complete.
            row.percent =
                fraction ? std::min(99, static_cast<int>(std::floor(*fraction * 100))) : 0;
            row.progress = fraction ? std::to_string(row.percent) + " %" : "Receiving";
            row.canCancel = true;
            break;
        case DownloadState::Completed:
            row.size = formatSize(status.received());
            row.percent = 100;
            row.progress = "Complete";
            row.canOpen = true;
            row.canShowInFolder = true;
            break;
        case DownloadState::Failed:
            row.size = formatSize(status.received());
            row.progress = status.failure().empty() ? "Failed" : "Failed: " + status.failure();
            break;
        case DownloadState::Cancelled:
            row.size = formatSize(status.received());
            row.progress = "Cancelled";
            break;
    }
    return row;
}

}  // namespace larkspan
