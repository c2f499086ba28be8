#pragma once

#include "settings/SettingsStore.hpp"

namespace larkspan {

// The main window's state and its normal place and size (twips) as the store keeps them.
// A window reads the record when it starts and writes it when it closes; the keys it is
// kept under are touched nowhere else.
struct WindowPlaces {
    enum State { Normal = 0, Minimized = 1, Maximized = 2 };

    int state = Maximized;
    double left = 1000;
    double top = 1000;
    double width = 8685;
    double height = 6330;

    bool operator==(const WindowPlaces&) const = default;

    // A value that does not convert keeps its default (a state other than the three reads
    // as maximised). "Left" and "Top" win over "MainLeft" and "MainTop" unless the window
    // is maximised, which cannot be moved.
    static WindowPlaces read(const SettingsStore& store);
    // Stores the state ("2" maximised, "0" otherwise) and, for a normal window, its place and
    // size, in one transaction; false when nothing was stored.
    bool write(SettingsStore& store) const;
};

}  // namespace larkspan
