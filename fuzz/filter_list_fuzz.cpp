// Feeds arbitrary bytes to the ad and tracker list converter as a list. Besides crashes and
// sanitizer reports, it checks what the converter promises the engine.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "features/contentfilter/FilterListConverter.hpp"

using namespace larkspan::contentfilter;

namespace {

// Only the engine's subset of regular expressions: no alternation, no counted repeats.
bool inEngineSubset(const std::string& pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\') {
            if (++i == pattern.size()) return false;  // an escape of nothing
        } else if (pattern[i] == '|' || pattern[i] == '{' || pattern[i] == '}') {
            return false;
        }
    }
    return !pattern.empty();
}

bool printableAscii(std::string_view text) {
    for (char c : text) {
        if (c != '\n' && (c < ' ' || c > '~')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FilterListConverter converter;
    const RuleCounts counts = converter.addList(bytes);

    // Every line is a rule taken, a rule skipped, or neither (blank, comment, header).
    std::size_t lines = 0;
    for (char c : bytes) lines += c == '\n' ? 1 : 0;
    if (!bytes.empty() && bytes.back() != '\n') ++lines;
    if (counts.used + counts.skipped > lines) std::abort();

    for (const ContentRule& rule : converter.rules()) {
        if (!inEngineSubset(rule.trigger.urlFilter)) std::abort();
        if (!rule.trigger.ifDomains.empty() && !rule.trigger.unlessDomains.empty()) std::abort();
        if (rule.action == ContentRule::Action::CssDisplayNone &&
            (rule.selector.empty() || rule.selector.find_first_of("{}") != std::string::npos)) {
            std::abort();
        }
    }
    // Whatever the bytes, the engine is given plain ASCII text.
    if (!printableAscii(converter.json())) std::abort();
    return 0;
}
