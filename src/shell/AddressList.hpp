#pragma once

// The typed-address list: every address typed into any main window's address box, in the
// order the addresses were first entered (the history file's order, then the ones added
// since). One list serves every main window; the application owns it and fills it once.
//
// The two searches of the address box are answered from sorted indexes kept beside the
// list, so each costs a few binary searches instead of a walk over every entry:
// - `firstWithPrefix`: the first entry (in list order) that begins with the text, letter
//   case counting (the completion pass);
// - `firstWithPrefixIgnoringCase`: the same with letter case ignored by Unicode case
//   folding (the drop-down's search on Enter).
// Each index is built when it is first needed (the exact one at the second completion pass:
// the first walks the list) and kept up to date on every append.

#include <sigc++/signal.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan {

class AddressList {
  public:
    AddressList() = default;
    AddressList(std::initializer_list<std::string> entries);
    explicit AddressList(std::vector<std::string> entries);
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::string& operator[](std::size_t i) const { return entries_[i]; }
    const std::vector<std::string>& entries() const { return entries_; }

    // Replaces every entry at once; listeners hear one reset, not a change per entry.
    void assign(std::vector<std::string> entries);
    // Replaces the list by every line of the file, whole, in file order (a missing file
    // gives an empty list). True when the file was read without error.
    bool load(const std::filesystem::path& file);
    // Whether `load` has run since the list was made.
    bool loaded() const { return loaded_; }
    void append(std::string address);
    void clear();

    std::optional<std::size_t> firstWithPrefix(std::string_view text) const;
    std::optional<std::size_t> firstWithPrefixIgnoringCase(std::string_view text) const;

    // An entry was appended at the given position.
    sigc::signal<void(std::size_t)> signalAppended;
    // The list was replaced or emptied; `previousSize` entries are gone.
    sigc::signal<void(std::size_t previousSize)> signalReset;

  private:
    // Positions of the entries sorted by key (ties in list order), with the keys they were
    // sorted by; the keys are the entries themselves or their case-folded forms.
    struct Index {
        bool built = false;
        // By position; none for the exact index, and an empty key where the folded form
        // is the entry itself.
        std::vector<std::string> keys;
        std::vector<std::uint32_t> order;
    };
    std::string_view key(const Index& index, std::uint32_t position) const;
    static std::string foldedKey(const std::string& entry);
    void build(Index& index, bool folded) const;
    void insert(Index& index, std::uint32_t position) const;
    std::optional<std::size_t> search(const Index& index, std::string_view key) const;
    void resetIndexes();

    std::vector<std::string> entries_;
    bool loaded_ = false;
    mutable bool walkedOnce_ = false;
    mutable Index exact_;
    mutable Index folded_;
};

// The case folding of the drop-down's search: Unicode case folding for valid UTF-8 (ASCII
// text folds by a plain lower-casing, which gives the same result), ASCII lower-casing of
// the bytes otherwise.
std::string foldAddressCase(std::string_view text);

}  // namespace larkspan
