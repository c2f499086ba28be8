#include "features/dragdrop/DropRules.hpp"

#include <string_view>

namespace larkspan::dragdrop {

namespace {

constexpr const char* kBlanks = " \t\r\n\v\f";

std::string trimmed(const std::string& s) {
    auto b = s.find_first_not_of(kBlanks);
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(kBlanks) - b + 1);
}

}  // namespace

std::optional<std::string> droppedAddress(const std::vector<std::string>& addresses,
                                          const std::string& text) {
    for (const std::string& address : addresses) {
        if (std::string a = trimmed(address); !a.empty()) return a;
    }
    std::string::size_type start = 0;
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        std::string line =
            trimmed(text.substr(start, end == std::string::npos ? end : end - start));
        if (!line.empty()) return line;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> droppedSearchText(const std::string& text) {
    std::string words;
    bool blank = false;
    for (char c : trimmed(text)) {
        if (std::string_view(kBlanks).find(c) != std::string_view::npos) {
            blank = true;
            continue;
        }
        if (blank) words += ' ';
        blank = false;
        words += c;
    }
    if (words.empty()) return std::nullopt;
    return words;
}

}  // namespace larkspan::dragdrop
