#pragma once

#include <glibmm/main.h>
#include <sigc++/sigc++.h>

namespace larkspan {

// A repeating timer with the two properties the windows use: `Enabled` and `Interval`
// (milliseconds). Changing either restarts the count; an interval of 0 never fires.
class Timer {
  public:
    explicit Timer(unsigned intervalMs = 0, bool enabled = false)
        : interval_(intervalMs), enabled_(enabled) {
        restart();
    }
    ~Timer() { conn_.disconnect(); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool enabled() const { return enabled_; }
    unsigned interval() const { return interval_; }
    void setEnabled(bool on) {
        enabled_ = on;
        restart();
    }
    void setInterval(unsigned ms) {
        interval_ = ms;
        restart();
    }

    sigc::signal<void()> signalTimer;

  private:
    void restart() {
        conn_.disconnect();
        if (enabled_ && interval_ > 0) {
            conn_ = Glib::signal_timeout().connect(
                [this] {
                    signalTimer.emit();
                    return true;
                },
                interval_);
        }
    }

    unsigned interval_;
    bool enabled_;
    sigc::connection conn_;
};

}  // namespace larkspan
