#include "app/CommandLine.hpp"

#include <cctype>

namespace larkspan {

namespace {

// True when `text` begins with a URI scheme ("http:", "file:", "mailto:"...).
bool hasScheme(const std::string& text) {
    auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    // "localhost:8080/page" is a host and port, not a scheme.
    std::size_t digits = colon + 1;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    bool port = digits > colon + 1 && (digits == text.size() || text[digits] == '/');
    return !port;
}

}  // namespace

std::string commandLineAddress(const std::string& argument,
                               const std::function<bool(const std::string&)>& fileExists) {
    if (argument.empty() || argument[0] == '-') return argument;
    if (argument[0] == '/' || argument[0] == '.' || argument[0] == '~') return argument;
    if (hasScheme(argument) || fileExists(argument)) return argument;
    return "http://" + argument;
}

}  // namespace larkspan
