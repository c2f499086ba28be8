#include "shell/AutoRefresh.hpp"

#include <algorithm>

namespace larkspan {

const std::array<AutoRefreshItem, 13>& autoRefreshItems() {
    static const std::array<AutoRefreshItem, 13> items{{
        {"mnuAR_1", "&1 Second", 1},
        {"mnuAR_5", "&5 Seconds", 5},
        {"mnuAR_10", "&10 Seconds", 10},
        {"mnuAR_15", "&15 Seconds", 15},
        {"mnuAR_20", "&20 Seconds", 20},
        {"mnuAR_25", "&25 Seconds", 25},
        {"mnuAR_30", "&30 Seconds", 30},
        {"mnuAR_35", "&35 Seconds", 35},
        {"mnuAR_40", "&40 Seconds", 40},
        {"mnuAR_45", "&45 Seconds", 45},
        {"mnuAR_50", "&50 Seconds", 50},
        {"mnuAR_55", "&55 Seconds", 55},
        {"mnuAR_60", "&60 Seconds", 60},
    }};
    return items;
}

bool AutoRefresh::choose(int seconds) {
    const auto& items = autoRefreshItems();
    if (std::none_of(items.begin(), items.end(),
                     [seconds](const AutoRefreshItem& i) { return i.seconds == seconds; })) {
        return false;
    }
    // The timer stops and starts again with the new interval, so the count restarts.
    intervalMs_ = seconds * 1000;
    timerEnabled_ = true;
    ++starts_;
    turnOffEnabled_ = true;
    return true;
}

void AutoRefresh::turnOff() {
    turnOffEnabled_ = false;
    timerEnabled_ = false;
}

}  // namespace larkspan
