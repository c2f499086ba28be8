#pragma once

// The history window's copy of the typed-address history file, made when the window loads
// and independent of the main windows' typed-address list. Deleting an entry here rewrites
// the file from this copy.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace larkspan {

class HistoryList {
  public:
    explicit HistoryList(std::filesystem::path file) : file_(std::move(file)) {}

    // Reads the file afresh: every field of every line, so a line holding a comma gives
    // two entries. A missing file gives an empty list.
    void load();
    const std::vector<std::string>& entries() const { return entries_; }

    // Removes entry `index` and rewrites the file, one entry a line; when nothing is left
    // the file is emptied. An index past the end removes nothing.
    void remove(std::size_t index);
    void clear() { entries_.clear(); }

  private:
    std::filesystem::path file_;
    std::vector<std::string> entries_;
};

}  // namespace larkspan
