#include "features/downloads/DownloadList.hpp"

namespace larkspan {

DownloadList::~DownloadList() {
    for (auto& c : connections_) c.disconnect();
}

std::size_t DownloadList::add(std::shared_ptr<Download> download) {
    std::size_t index = items_.size();
    items_.push_back(std::move(download));
    started_.push_back(std::chrono::system_clock::now());
    follow(index);
    signalAdded.emit(index);
    return index;
}

void DownloadList::follow(std::size_t index) {
    connections_.push_back(
        items_[index]->signalChanged.connect([this, index] { signalChanged.emit(index); }));
}

void DownloadList::forgetEnded(ClearSince since) {
    std::vector<std::shared_ptr<Download>> kept;
    std::vector<std::chrono::system_clock::time_point> keptStarts;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        bool gone = items_[i]->status().ended() && (!since || started_[i] >= *since);
        if (gone) continue;
        kept.push_back(items_[i]);
        keptStarts.push_back(started_[i]);
    }
    if (kept.size() == items_.size()) return;
    for (auto& c : connections_) c.disconnect();
    connections_.clear();
    items_ = std::move(kept);
    started_ = std::move(keptStarts);
    for (std::size_t i = 0; i < items_.size(); ++i) follow(i);
    signalReset.emit();
}

}  // namespace larkspan
