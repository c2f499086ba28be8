// Feeds arbitrary bytes to the internet shortcut (".url") reader, both as a file on disk (one
// file per process, rewritten for each input) and as bytes in memory. Besides crashes and
// sanitizer reports, it checks what the reader promises the importer: the two ways of reading
// agree, the address is valid text of at most 254 characters from one line, and a file without
// the key gives the fallback.
#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "ScratchFolder.hpp"
#include "common/TextEncoding.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/favorites/ShortcutImport.hpp"

using namespace larkspan;

namespace {

namespace fs = std::filesystem;

using fuzz::ScratchFolder;

// The shortcut file of this process.
const fs::path& shortcutFile() {
    static const ScratchFolder folder("larkspan-url-fuzz-XXXXXX");
    static const fs::path path = folder.path / "Shortcut.url";
    return path;
}

// Writes a new file in the old one's place: emptying a file and writing it again would make
// the file system flush it to disk on every close, a thousand times slower.
void writeFile(const fs::path& file, std::string_view bytes) {
    ::unlink(file.c_str());
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) std::abort();
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put <= 0) std::abort();
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    ::close(fd);
}

// Whether `text` holds "url" in any letter case: a file without it cannot have the key.
bool mentionsUrl(std::string_view text) {
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if (g_ascii_strncasecmp(text.data() + i, "url", 3) == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    writeFile(shortcutFile(), bytes);

    // Two fallbacks that no shortcut's value can be (a line end never reaches a value).
    const std::string first = "\n1", second = "\n2";
    const std::string fromFile = favorites::ReadURL(shortcutFile(), first);
    const std::string fromBytes = favorites::parseURL(bytes, first);
    if (fromFile != fromBytes) std::abort();

    const std::string other = favorites::ReadURL(shortcutFile(), second);
    if (fromFile == first) {
        // No key: each caller gets its own fallback back.
        if (other != second) std::abort();
        return 0;
    }
    if (other != fromFile) std::abort();
    if (!mentionsUrl(bytes)) std::abort();
    if (!text::isValidUtf8(fromFile)) std::abort();
    if (favorites::characterCount(fromFile) > 254) std::abort();
    if (fromFile.find('\n') != std::string::npos) std::abort();
    return 0;
}
