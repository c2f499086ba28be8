#pragma once

// What the Downloads window shows of one download, and which of its buttons act on it.

#include <filesystem>
#include <string>

#include "engine/Download.hpp"

namespace larkspan {

struct DownloadRow {
    // The file's name; the address it comes from until the name is chosen.
    std::string name;
    // The size: what has arrived "of" the announced size while receiving.
    std::string size;
    // The bar: a whole percentage (100 only once complete) and the text upon it.
    int percent = 0;
    std::string progress;
    bool canOpen = false;
    bool canShowInFolder = false;
    bool canCancel = false;
};

DownloadRow describeDownload(const DownloadStatus& status, const std::filesystem::path& file,
                             const std::string& address);

}  // namespace larkspan
