#pragma once

// Where the blocked-popup notice sits: a strip across the first main window, just below
// its bars, measured from the window's outer frame. Its frame shape fills the strip.

namespace larkspan::popups {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
};

// `mainWindow` in pixels, `dpi` the screen's resolution. The offsets are 1640 twips down,
// 60 twips in, and 170 twips narrower than the main window (at least one pixel wide).
Rect placeNotice(const Rect& mainWindow, double dpi);

}  // namespace larkspan::popups
