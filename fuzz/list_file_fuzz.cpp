// Feeds arbitrary bytes to the list-file readers as file contents. Besides crashes and
// sanitizer reports, it checks what the readers promise their callers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/ListFile.hpp"
#include "common/TextEncoding.hpp"

using namespace larkspan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> lines = listfile::parseAddressLines(bytes);
    const std::vector<std::string> fields = listfile::parseListFile(bytes);

    // Every line ends at an LF, and a last line without one still counts.
    const auto lfs = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    const bool openLastLine = !bytes.empty() && bytes.back() != '\n';
    if (lines.size() != lfs + (openLastLine ? 1 : 0)) std::abort();

    // Whatever the bytes, the lists hold UTF-8 text.
    for (const auto& l : lines) {
        if (!text::isValidUtf8(l)) std::abort();
    }
    for (const auto& f : fields) {
        if (!text::isValidUtf8(f)) std::abort();
    }

    // Without quotes, every comma starts one more entry and nothing else does.
    if (bytes.find('"') == std::string_view::npos) {
        const auto commas = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), ','));
        if (fields.size() != lines.size() + commas) std::abort();
    }

    // What the writer makes of the lines reads back as the same lines (a CR inside a line
    // is written as a space).
    std::vector<std::string> expected = lines;
    for (auto& l : expected) std::replace(l.begin(), l.end(), '\r', ' ');
    if (listfile::parseAddressLines(listfile::formatListFile(lines)) != expected) std::abort();
    return 0;
}
