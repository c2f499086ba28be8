#include "features/history/HistoryList.hpp"

#include "common/FolderLock.hpp"
#include "common/ListFile.hpp"

namespace larkspan {

void HistoryList::load() {
    std::vector<std::string> read;
    if (LoadListFromFile(read, file_, true)) entries_ = std::move(read);
}

bool HistoryList::remove(std::size_t index) {
    if (index >= entries_.size()) return false;
    // Other instances wait here, so the file cannot change between reading and writing it.
    FolderLock lock(file_.parent_path());
    std::vector<std::string> fresh;
    if (!LoadListFromFile(fresh, file_, true)) return false;
    const auto at = listfile::sameEntryIn(entries_, index, fresh);
    entries_ = std::move(fresh);
    if (!at) return true;
    std::vector<std::string> kept = entries_;
    kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(*at));
    // Unlike SaveListToFile, an emptied list empties the file itself.
    if (!RewriteListFile(kept, file_)) return false;
    entries_ = std::move(kept);
    return true;
}

}  // namespace larkspan
