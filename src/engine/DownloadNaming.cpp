// The download file names: the server's proposal made safe and unique.
#include "engine/DownloadNaming.hpp"

#include <glib.h>

namespace larkspan::downloads {

namespace {

constexpr const char* kFallbackName = "download";
// File systems take 255 bytes to a name; the partial suffix and a " (99)" must fit too.
constexpr std::size_t kMaxNameBytes = 255 - kPartialSuffix.size() - 8;

// Where the extension begins ("." included); npos when the name has none.
std::size_t extensionStart(const std::string& name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return std::string::npos;
    // A compressed tar archive keeps both of its extensions together.
    if (dot >= 5 && name.compare(dot - 4, 4, ".tar") == 0) return dot - 4;
    return dot;
}

// Cuts `text` to at most `bytes` bytes without splitting a UTF-8 character.
std::string cutUtf8(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

std::string safeFileName(std::string_view proposed) {
    std::size_t slash = proposed.find_last_of("/\\");
    if (slash != std::string_view::npos) proposed.remove_prefix(slash + 1);

    std::string name;
    for (char c : proposed) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) continue;
        name.push_back(c);
    }
    // Text that is not UTF-8 is shown with its bad bytes replaced.
    if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) {
        gchar* valid = g_utf8_make_valid(name.data(), static_cast<gssize>(name.size()));
        name = valid;
        g_free(valid);
    }
    std::size_t first = name.find_first_not_of(". \t");
    name = first == std::string::npos ? std::string() : name.substr(first);
    std::size_t last = name.find_last_not_of(" \t");
    name = last == std::string::npos ? std::string() : name.substr(0, last + 1);
    if (name.empty()) return kFallbackName;

    if (name.size() > kMaxNameBytes) {
        std::size_t ext = extensionStart(name);
        std::string extension = ext == std::string::npos ? std::string() : name.substr(ext);
        if (extension.size() > kMaxNameBytes / 2) extension.clear();
        std::string stem = name.substr(0, ext == std::string::npos ? name.size() : ext);
        name = cutUtf8(stem, kMaxNameBytes - extension.size()) + extension;
    }
    return name;
}

std::string uniqueFileName(const std::string& name,
                           const std::function<bool(const std::string&)>& taken) {
    if (!taken(name)) return name;
    std::size_t ext = extensionStart(name);
    std::string stem = name.substr(0, ext == std::string::npos ? name.size() : ext);
    std::string extension = ext == std::string::npos ? std::string() : name.substr(ext);
    for (unsigned n = 2;; ++n) {
        std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
        if (!taken(candidate)) return candidate;
    }
}

}  // namespace larkspan::downloads
