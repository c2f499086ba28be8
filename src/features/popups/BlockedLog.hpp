#pragma once

// The blocked-popup log: the list of requesting pages' addresses, oldest first, and the file
// "Blocked Log.txt" that holds it. After every change the file holds exactly the list, one
// entry a line. A new entry costs one appended line while the file is known to hold the
// list. Otherwise another running instance may have written it since it was read: the list
// is read from the file again, so that nothing that instance logged is lost, and the file
// is rewritten (atomically) from it when it still does not hold it.

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

    // Replaces the list by the file's entries, read with the list files' field rules (an
    // address holding a comma comes back as two entries). A missing file gives an empty
    // list; a file that cannot be read leaves the list as it was.
    void load();
    const std::vector<std::string>& entries() const { return entries_; }
    // How many times the list was read from the file: a change tells that the list was
    // replaced, not just added to.
    std::size_t reads() const { return reads_; }

    // Adds `address` as the last entry.
    bool append(const std::string& address);
    // Removes the entry at `index` of the list as it stands: the file is read again first
    // (the list becomes that reading, so what another instance logged stays) and the same
    // entry is removed from it, unless the file no longer holds it. Removing the last one
    // leaves an empty file. False when the file could not be read or written.
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
    std::size_t reads_ = 0;
};

}  // namespace larkspan::popups
