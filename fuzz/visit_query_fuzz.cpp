// Fuzzes the visit store's search with the text the user types: any bytes (quotes, pattern
// and wildcard characters, letters that fold, broken UTF-8, NUL). Before the first line break,
// if there is one, the input is also a new title for one of the store's addresses. Nothing may
// crash, and both the address box's suggestions and the history window's search must give
// exactly the addresses that suggestionMatches accepts among the rows as the store keeps them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "features/visits/VisitStore.hpp"

using namespace larkspan;
using namespace larkspan::visits;

namespace {

constexpr TimePoint kNow = 1796083200LL * 1000000LL;

VisitStore& store() {
    static std::unique_ptr<VisitStore> kept = [] {
        auto s = std::make_unique<VisitStore>(":memory:");
        const std::vector<std::pair<std::string, std::string>> rows = {
            {"https://www.example.com/", "Example Domain"},
            {"https://de.example.org/stra%C3%9Fe", "Große Straße"},
            {"https://news.test/a_b?q=%25", "100% \"quoted\" news"},
            {"https://wild.test/*?[x]", "Stars * and [brackets] ^$"},
            {"https://back.test/a\\b", "Back\\slash 'single' -- ;"},
            {"https://école.test/", "ÉCOLE élève İstanbul ǅ"},
            {"file:///home/u/x.html", ""},
            {"https://fuzz.test/", "Fuzz"},
        };
        std::vector<VisitChange> changes;
        TimePoint at = kNow;
        for (const auto& [address, title] : rows) {
            changes.push_back({VisitChange::Kind::Visit, address, "", at -= 1000000, false});
            changes.push_back({VisitChange::Kind::Title, address, title, 0, false});
        }
        if (!s->apply(changes)) std::abort();
        return s;
    }();
    return *kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    VisitStore& s = store();
    if (auto end = input.find('\n'); end != std::string::npos) {
        s.apply({{VisitChange::Kind::Title, "https://fuzz.test/", input.substr(0, end), 0, false}});
    }
    // The rows as the store keeps them (their titles cleaned of what it does not keep).
    std::set<std::string> expected;
    for (const VisitRow& row : s.visits("", 100)) {
        if (suggestionMatches(input, row.title, row.address)) expected.insert(row.address);
    }
    std::set<std::string> suggested;
    for (const AddressSuggestion& found : s.suggest(input, 100, kNow)) {
        if (!suggested.insert(found.address).second) std::abort();  // offered twice
    }
    if (suggested != expected) std::abort();
    if (!suggestionWords(input).empty()) {
        std::set<std::string> listed;
        for (const VisitRow& row : s.visits(input, 100)) listed.insert(row.address);
        if (listed != expected) std::abort();
    }
    return 0;
}
