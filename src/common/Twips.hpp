#pragma once

#include <cmath>

namespace larkspan {

// Window positions and sizes are kept in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
inline constexpr double kTwipsPerInch = 1440.0;

inline double twipsPerPixel(double dpi) {
    return dpi > 0 ? kTwipsPerInch / dpi : 15.0;
}
inline int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips / twipsPerPixel(dpi)));
}
inline double pixelsToTwips(int pixels, double dpi) {
    return pixels * twipsPerPixel(dpi);
}

// The screen's resolution as the desktop reports it (96 when no screen is open).
double screenDpi();

}  // namespace larkspan
