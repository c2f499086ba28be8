#pragma once

// The history window's copy of the typed-address history file, independent of the main
// windows' typed-address list. Main windows of this and other running instances append to
// the file meanwhile, and the history may be cleared: a deletion reads the file again,
// under the lock of its folder, and rewrites it from that fresh reading, so nothing written
// since the copy was made is lost and nothing cleared comes back.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace larkspan {

class HistoryList {
  public:
    explicit HistoryList(std::filesystem::path file) : file_(std::move(file)) {}

    // Reads the file afresh: every field of every line, so a line holding a comma gives
    // two entries. A missing file gives an empty list; a file that cannot be read leaves
    // the list as it was.
    void load();
    const std::vector<std::string>& entries() const { return entries_; }

    // Removes entry `index` of the list as it stands from the file, read again first (the
    // list becomes that reading), and rewrites the file one entry a line; when nothing is
    // left the file is emptied. An entry the file no longer holds is not looked for
    // elsewhere: nothing is removed. False when the file could not be read or rewritten;
    // it is then left as it was.
    bool remove(std::size_t index);
    void clear() { entries_.clear(); }

  private:
    std::filesystem::path file_;
    std::vector<std::string> entries_;
};

}  // namespace larkspan
