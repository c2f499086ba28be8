// The counts and outcome of a download.
#include "engine/Download.hpp"

namespace larkspan {

std::optional<double> DownloadStatus::fraction() const {
    if (state_ == DownloadState::Completed) return 1.0;
    if (!total_ || *total_ == 0) return std::nullopt;
    double f = static_cast<double>(received_) / static_cast<double>(*total_);
    return f > 1.0 ? 1.0 : f;
}

bool DownloadStatus::announce(std::optional<std::uint64_t> total) {
    if (ended() || total == total_) return false;
    total_ = total;
    return true;
}

bool DownloadStatus::receive(std::uint64_t bytes) {
    if (ended() || bytes == 0) return false;
    received_ += bytes;
    return true;
}

bool DownloadStatus::fail(const std::string& reason, bool byUser) {
    if (ended()) return false;
    state_ = byUser ? DownloadState::Cancelled : DownloadState::Failed;
    failure_ = byUser ? std::string() : reason;
    return true;
}

bool DownloadStatus::finish() {
    if (ended()) return false;
    state_ = DownloadState::Completed;
    if (!total_ || *total_ < received_) total_ = received_;
    return true;
}

}  // namespace larkspan
