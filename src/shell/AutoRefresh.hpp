#pragma once

// The Tools > Auto Refresh menu and the refresh timer `Timer3` as plain state. The window
// builds the items from autoRefreshItems(), forwards their clicks here and then applies
// the state to its real timer and to "Turn &Off" with applyTo(). The choice carries no tick
// mark, is not saved and ends with the window.

#include <array>
#include <cstdint>

namespace larkspan {

struct AutoRefreshItem {
    const char* name;     // "mnuAR_5"
    const char* caption;  // "&5 Seconds"
    int seconds;
};

// The thirteen interval items, in menu order (after "Turn &Off" and a separator).
const std::array<AutoRefreshItem, 13>& autoRefreshItems();

class AutoRefresh {
  public:
    // Off, as at the window's creation: timer off, "Turn &Off" disabled.
    bool timerEnabled() const { return timerEnabled_; }
    std::int32_t intervalMs() const { return intervalMs_; }
    bool turnOffEnabled() const { return turnOffEnabled_; }
    // Counts the starts of the timer; every interval choice is a new start, so a refresh
    // is due a whole interval after the latest choice even when the interval is the same.
    unsigned starts() const { return starts_; }

    // An interval item: the timer stops, takes seconds * 1000 ms, starts again, and
    // "Turn &Off" is enabled. False (and no change) for a number that is not an item's.
    bool choose(int seconds);
    // "Turn &Off": the item is disabled, then the timer stops.
    void turnOff();

    // Puts the state on a timer with setEnabled(bool) and setInterval(unsigned): stopped
    // first, so that a running count always restarts.
    template <typename TimerT>
    void applyTo(TimerT& timer) const {
        timer.setEnabled(false);
        timer.setInterval(static_cast<unsigned>(intervalMs_));
        if (timerEnabled_) timer.setEnabled(true);
    }

  private:
    bool timerEnabled_ = false;
    std::int32_t intervalMs_ = 0;
    bool turnOffEnabled_ = false;
    unsigned starts_ = 0;
};

}  // namespace larkspan
