#include "shell/ProgressDisplay.hpp"

#include <algorithm>

#include "common/Rounding.hpp"

namespace larkspan {

TwipsRect progressBarPlace(double panel3Left, double panel3Width, double statusBarTop,
                           double statusBarHeight) {
    return TwipsRect{panel3Left + 30, statusBarTop + 45, std::max(0.0, panel3Width - 60),
                     std::max(0.0, statusBarHeight - 60)};
}

ProgressUpdate onProgressChange(std::int32_t p, std::int32_t m, bool statusBarVisible,
                                int currentValue) {
    ProgressUpdate u;
    if (p == -1 || p == 0) {
        u.loading = false;
    } else if (p > 0 && m > 0) {
        u.loading = p < m;
    }
    if (!statusBarVisible) {
        u.value = currentValue;
        return u;
    }
    u.handled = true;
    u.value = currentValue;
    if (p == 0) {
        u.value = 100;
    } else if (p > 0 && m > 0) {
        std::int32_t hundredfold = 0;
        if (!__builtin_mul_overflow(p, std::int32_t{100}, &hundredfold)) {
            // The quotient lies between 0 and the 32-bit range, so it always converts. A
            // report beyond its maximum counts as complete rather than as more than 100 %.
            if (auto v = toInt32Rounded(static_cast<double>(hundredfold) / m)) {
                u.value = std::min(*v, 100);
            }
        }
        u.move = true;
    }
    // The bar shows only while a page loads: a full bar, or a load that ended part way
    // (stopped), hides it.
    if (u.value == 100 || p == -1) {
        u.visible = false;
    } else {
        u.move = true;
        u.visible = true;
    }
    return u;
}

}  // namespace larkspan
