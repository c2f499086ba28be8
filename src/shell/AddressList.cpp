#include "shell/AddressList.hpp"

#include <glib.h>

#include <algorithm>
#include <memory>

#include "common/ListFile.hpp"
#include "common/TextEncoding.hpp"

namespace larkspan {

std::string foldAddressCase(std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || !text::isValidUtf8(text)) {
        std::string out(text);
        for (char& c : out) c = g_ascii_tolower(c);
        return out;
    }
    std::unique_ptr<gchar, decltype(&g_free)> folded(
        g_utf8_casefold(text.data(), static_cast<gssize>(text.size())), &g_free);
    return folded ? std::string(folded.get()) : std::string(text);
}

AddressList::AddressList(std::initializer_list<std::string> entries) : entries_(entries) {}

AddressList::AddressList(std::vector<std::string> entries) : entries_(std::move(entries)) {}

void AddressList::assign(std::vector<std::string> entries) {
    const std::size_t previous = entries_.size();
    entries_ = std::move(entries);
    resetIndexes();
    signalReset.emit(previous);
}

bool AddressList::load(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    const bool ok = LoadAddressList(file, lines);
    loaded_ = true;
    assign(std::move(lines));
    return ok;
}

void AddressList::append(std::string address) {
    entries_.push_back(std::move(address));
    const auto position = static_cast<std::uint32_t>(entries_.size() - 1);
    if (exact_.built) insert(exact_, position);
    if (folded_.built) {
        folded_.keys.push_back(foldedKey(entries_.back()));
        insert(folded_, position);
    }
    signalAppended.emit(position);
}

void AddressList::clear() {
    assign({});
}

void AddressList::resetIndexes() {
    walkedOnce_ = false;
    exact_ = Index{};
    folded_ = Index{};
}

std::string_view AddressList::key(const Index& index, std::uint32_t position) const {
    if (index.keys.empty() || index.keys[position].empty()) return entries_[position];
    return index.keys[position];
}

std::string AddressList::foldedKey(const std::string& entry) {
    const bool folds = std::any_of(entry.begin(), entry.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || (c >= 'A' && c <= 'Z');
    });
    if (!folds) return {};
    std::string folded = foldAddressCase(entry);
    // Most addresses are lower case already: those keep no copy of their own.
    if (folded == entry) folded.clear();
    return folded;
}

void AddressList::build(Index& index, bool folded) const {
    index.keys.clear();
    if (folded) {
        index.keys.reserve(entries_.size());
        for (const auto& e : entries_) index.keys.push_back(foldedKey(e));
    }
    // Sorting the keys themselves (not positions that point to them) saves a look-up per
    // comparison.
    struct Item {
        std::string_view key;
        std::uint32_t position;
    };
    std::vector<Item> items(entries_.size());
    for (std::uint32_t p = 0; p < items.size(); ++p) items[p] = {key(index, p), p};
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        const int c = a.key.compare(b.key);
        return c < 0 || (c == 0 && a.position < b.position);
    });
    index.order.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) index.order[i] = items[i].position;
    index.built = true;
}

void AddressList::insert(Index& index, std::uint32_t position) const {
    // The new entry comes last in list order, so it goes after every equal key.
    const std::string_view k = key(index, position);
    auto at =
        std::upper_bound(index.order.begin(), index.order.end(), k,
                         [&](std::string_view v, std::uint32_t p) { return v < key(index, p); });
    index.order.insert(at, position);
}

std::optional<std::size_t> AddressList::search(const Index& index, std::string_view wanted) const {
    // Keys that begin with `wanted` sit together in sorted order; of those, the one
    // earliest in the list wins.
    const std::size_t n = wanted.size();
    auto prefixOf = [&](std::uint32_t p) { return key(index, p).substr(0, n); };
    auto first = std::partition_point(index.order.begin(), index.order.end(),
                                      [&](std::uint32_t p) { return prefixOf(p) < wanted; });
    auto last = std::partition_point(first, index.order.end(),
                                     [&](std::uint32_t p) { return prefixOf(p) == wanted; });
    if (first == last) return std::nullopt;
    return *std::min_element(first, last);
}

std::optional<std::size_t> AddressList::firstWithPrefix(std::string_view text) const {
    if (text.empty()) {
        if (entries_.empty()) return std::nullopt;
        return 0;
    }
    if (!exact_.built) {
        // The first pass over a new list (the one the first window runs by itself 200 ms
        // after start-up) walks the list, about two milliseconds at 100,000 entries;
        // building the index costs about twenty, so it waits for the second pass, when
        // someone is typing.
        if (!walkedOnce_) {
            walkedOnce_ = true;
            auto it = std::find_if(entries_.begin(), entries_.end(),
                                   [text](const std::string& e) { return e.starts_with(text); });
            if (it == entries_.end()) return std::nullopt;
            return static_cast<std::size_t>(it - entries_.begin());
        }
        build(exact_, false);
    }
    return search(exact_, text);
}

std::optional<std::size_t> AddressList::firstWithPrefixIgnoringCase(std::string_view text) const {
    if (text.empty()) {
        if (entries_.empty()) return std::nullopt;
        return 0;
    }
    if (!folded_.built) build(folded_, true);
    return search(folded_, foldAddressCase(text));
}

}  // namespace larkspan
