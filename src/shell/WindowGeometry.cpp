#include "shell/WindowGeometry.hpp"

#include "common/Twips.hpp"

namespace larkspan {

bool WindowGeometry::setState(int state) {
    if (state < Normal || state > Maximized) return false;
    state_ = state;
    return true;
}

int WindowGeometry::leftPx() const {
    return twipsToPixels(left_, dpi_);
}
int WindowGeometry::topPx() const {
    return twipsToPixels(top_, dpi_);
}
int WindowGeometry::widthPx() const {
    return twipsToPixels(width_, dpi_);
}
int WindowGeometry::heightPx() const {
    return twipsToPixels(height_, dpi_);
}

void WindowGeometry::reportPosition(int xPx, int yPx) {
    if (xPx != leftPx()) left_ = pixelsToTwips(xPx, dpi_);
    if (yPx != topPx()) top_ = pixelsToTwips(yPx, dpi_);
}

void WindowGeometry::reportSize(int wPx, int hPx) {
    if (wPx != widthPx()) width_ = pixelsToTwips(wPx, dpi_);
    if (hPx != heightPx()) height_ = pixelsToTwips(hPx, dpi_);
}

}  // namespace larkspan
