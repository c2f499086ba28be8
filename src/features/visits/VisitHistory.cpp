#include "features/visits/VisitHistory.hpp"

#include <glib.h>

#include <utility>

namespace larkspan::visits {

VisitHistory::VisitHistory(std::filesystem::path file)
    : file_(std::move(file)),
      recorder_([this](const std::vector<VisitChange>& batch) { write(batch); }, kFlushDelayMs) {}

VisitHistory::~VisitHistory() {
    recorder_.flush();
}

VisitStore& VisitHistory::opened() {
    if (!store_) store_ = std::make_unique<VisitStore>(file_);
    return *store_;
}

VisitStore& VisitHistory::store() {
    recorder_.flush();
    return opened();
}

void VisitHistory::write(const std::vector<VisitChange>& batch) {
    if (opened().apply(batch)) signalChanged.emit();
}

std::vector<AddressSuggestion> VisitHistory::suggest(std::string_view text, std::size_t limit) {
    // Asked as the user types: what waits to be written waits on.
    return opened().suggest(text, limit, g_get_real_time());
}

bool VisitHistory::forget(const std::string& address) {
    bool forgotten = store().forgetAddress(address);
    if (forgotten) signalChanged.emit();
    return forgotten;
}

bool VisitHistory::clearSince(TimePoint since) {
    bool cleared = store().clearSince(since);
    signalChanged.emit();
    return cleared;
}

std::vector<std::string> VisitHistory::typedSince(TimePoint since) {
    return store().typedSince(since);
}

bool VisitHistory::removeVisits(const std::vector<std::int64_t>& ids) {
    bool removed = store().removeVisits(ids);
    signalChanged.emit();
    return removed;
}

bool VisitHistory::forgetHost(const std::string& host) {
    bool forgotten = store().forgetHost(host);
    signalChanged.emit();
    return forgotten;
}

}  // namespace larkspan::visits
