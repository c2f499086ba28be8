#pragma once

// The blocked-popup log: the list of requesting pages' addresses, oldest first, and the file
// "Blocked Log.txt" that holds it. After every change the file holds exactly the list, one
// entry a line. A new entry costs one appended line while the file is known to hold the
// list; otherwise the file is rewritten (atomically) from the list.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace larkspan::popups {

// "Blocked Log.txt" in the program's data folder.
std::filesystem::path blockedLogPath();

class BlockedLog {
  public:
    explicit BlockedLog(std::filesystem::path path);

    // Clears the list and reads the file with the list files' field rules (an address
    // holding a comma comes back as two entries). A missing file gives an empty list.
    void load();
    const std::vector<std::string>& entries() const { return entries_; }

    // Adds `address` as the last entry.
    bool append(const std::string& address);
    // Removes the entry at `index`; removing the last one leaves an empty file.
    bool removeAt(std::size_t index);
    // Deletes the file, empties the list and creates the file anew, empty.
    bool clear();

  private:
    bool rewrite();
    // The file's size while it holds exactly the list; none when that is not known.
    std::optional<std::uintmax_t> sizeInStep() const;

    std::filesystem::path path_;
    std::vector<std::string> entries_;
    std::optional<std::uintmax_t> knownSize_;
};

}  // namespace larkspan::popups
