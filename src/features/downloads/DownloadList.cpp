#include "features/downloads/DownloadList.hpp"

namespace larkspan {

DownloadList::~DownloadList() {
    for (auto& c : connections_) c.disconnect();
}

std::size_t DownloadList::add(std::shared_ptr<Download> download) {
    std::size_t index = items_.size();
    items_.push_back(std::move(download));
    connections_.push_back(
        items_.back()->signalChanged.connect([this, index] { signalChanged.emit(index); }));
    signalAdded.emit(index);
    return index;
}

}  // namespace larkspan
