#include "features/history/HistoryList.hpp"

#include "common/ListFile.hpp"

namespace larkspan {

void HistoryList::load() {
    LoadListFromFile(entries_, file_, true);
}

void HistoryList::remove(std::size_t index) {
    if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<long>(index));
    // Saving an empty list writes nothing, so an emptied list empties the file itself.
    if (entries_.empty()) {
        RewriteListFile({}, file_);
    } else {
        SaveListToFile(entries_, file_);
    }
}

}  // namespace larkspan
