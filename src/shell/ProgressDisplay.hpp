#pragma once

// The load-progress display of the main window: how the engine's progress reports set the
// progress bar `PB` that sits over panel 3 of the status bar, and where the bar goes.

#include <cstdint>
#include <optional>

namespace larkspan {

// A place in twips.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The bar's place over panel 3, inset from the panel and the status bar (all twips):
// left = panel 3 left + 30, top = status bar top + 45, width = panel 3 width - 60,
// height = status bar height - 60. A negative size comes out as 0.
TwipsRect progressBarPlace(double panel3Left, double panel3Width, double statusBarTop,
                           double statusBarHeight);

// What one progress report does to the bar.
struct ProgressUpdate {
    bool handled = false;  // false: the status bar is hidden and the report changes nothing
    int value = 0;         // the bar's `Value` (a percentage) after the report
    bool move = false;     // the bar is moved to progressBarPlace(...)
    bool visible = false;  // the bar's visibility after the report
    // Whether a page is loading after the report, status bar shown or not: p = -1 and p = 0
    // end a load, 0 < p < m goes on with one, p >= m > 0 has finished it; no value when the
    // report tells nothing.
    std::optional<bool> loading;
};

// The engine reports progress `p` of maximum `m`; `currentValue` is the bar's `Value`.
//   p = 0: the value becomes 100 (nothing to load any more);
//   p > 0 and m > 0: the value becomes p * 100 / m rounded half to even, where p * 100 is
//     formed in 32 bits: when it does not fit, the value stays as it was for this report;
//     a progress beyond the maximum gives 100;
//   anything else (p = -1 ends a load): the value stays.
// The bar is then hidden when its value is 100 or the load ended (p = -1), otherwise placed
// and shown.
ProgressUpdate onProgressChange(std::int32_t p, std::int32_t m, bool statusBarVisible,
                                int currentValue);

}  // namespace larkspan
