#include "shell/ClearData.hpp"

#include <ctime>
#include <memory>

namespace larkspan {

ClearSince clearSince(ClearRange range, std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    switch (range) {
        case ClearRange::LastHour:
            return now - hours(1);
        case ClearRange::Today: {
            std::time_t t = system_clock::to_time_t(now);
            std::tm local{};
            localtime_r(&t, &local);
            local.tm_hour = 0;
            local.tm_min = 0;
            local.tm_sec = 0;
            // Let the calendar decide whether midnight fell in summer time.
            local.tm_isdst = -1;
            std::time_t midnight = std::mktime(&local);
            if (midnight == static_cast<std::time_t>(-1)) return now - hours(24);
            return system_clock::from_time_t(midnight);
        }
        case ClearRange::Everything:
            break;
    }
    return std::nullopt;
}

void ClearDataRegistry::add(ClearableItem item) {
    for (ClearableItem& present : items_) {
        if (present.widgetName == item.widgetName) {
            present = std::move(item);
            return;
        }
    }
    items_.push_back(std::move(item));
}

std::set<std::string> ClearDataRegistry::typedSince(
    std::chrono::system_clock::time_point since) const {
    std::set<std::string> typed;
    for (const TypedSince& source : typedSince_) {
        for (std::string& address : source(since)) typed.insert(std::move(address));
    }
    return typed;
}

void ClearDataRegistry::clear(const std::set<std::string>& chosen, ClearSince since,
                              std::function<void()> done) const {
    std::vector<const ClearableItem*> picked;
    for (const ClearableItem& item : items_) {
        if (chosen.count(item.widgetName) && item.clear) picked.push_back(&item);
    }
    if (picked.empty()) {
        if (done) done();
        return;
    }
    // Every item reports once; the last report ends the whole.
    auto left = std::make_shared<std::size_t>(picked.size());
    auto finish = std::make_shared<std::function<void()>>(std::move(done));
    for (const ClearableItem* item : picked) {
        auto reported = std::make_shared<bool>(false);
        item->clear(since, [left, finish, reported] {
            if (*reported) return;
            *reported = true;
            if (--*left == 0 && *finish) (*finish)();
        });
    }
}

}  // namespace larkspan
