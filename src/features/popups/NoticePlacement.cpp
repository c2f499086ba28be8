#include "features/popups/NoticePlacement.hpp"

#include <algorithm>

#include "common/Twips.hpp"

namespace larkspan::popups {

Rect placeNotice(const Rect& mainWindow, double dpi) {
    Rect strip;
    strip.top = mainWindow.top + twipsToPixels(1640, dpi);
    strip.left = mainWindow.left + twipsToPixels(60, dpi);
    strip.width = std::max(1, mainWindow.width - twipsToPixels(170, dpi));
    return strip;
}

}  // namespace larkspan::popups
