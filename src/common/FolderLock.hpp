#pragma once

#include <filesystem>

namespace larkspan {

// An exclusive lock on a folder, held for the object's lifetime, that running instances of
// the program take around a read-change-write of a file in it, so that none of them writes
// from a list another has made stale in the meantime. Waits while another holds it. Where
// the folder cannot be opened or locked, nothing is held and the work goes on unguarded.
class FolderLock {
  public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace larkspan
