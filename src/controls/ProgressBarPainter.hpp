#pragma once

// Drawing of the progress bar: a plain function from the bar's state and a size to pixels
// on a cairo context. Nothing here needs a display, so an image surface is a full target.
//
// Entry points:
//   DrawProgressBar(cr, model, width, height)  draws the whole control into the top-left
//                                              width x height pixels of cr's target (cr's
//                                              user space is taken to be pixels).
//   paintProgressBar(cr, model, width, height) the same, for callers holding a raw cairo_t.
//   renderProgressBar(model, width, height)    a new ARGB32 image surface of that size with
//                                              the control drawn on it; empty when the size
//                                              is below 1 or too large for an image.
//
// Coordinates follow the control's own rules: a rectangle (left, top, right, bottom)
// covers the pixels left..right-1 and top..bottom-1, and a line leaves out its end point.
// Everything is clipped to cr's clip, so odd sizes and coordinates draw what fits.

#include <cairo.h>
#include <cairomm/context.h>
#include <cairomm/surface.h>

#include <cstdint>
#include <string>

#include "common/Color.hpp"
#include "controls/ProgressBarModel.hpp"

namespace larkspan {

// Colours the bar uses besides its own.
inline constexpr Rgb kBarWhite{255, 255, 255};
inline constexpr Rgb kBarBlack{0, 0, 0};
inline constexpr Rgb kBarSilver{192, 192, 192};
inline constexpr Rgb kBarBorder{104, 104, 104};
inline constexpr Rgb kBarInnerRight{239, 239, 239};

// Lighten(c, k): each channel becomes k + channel * (255 - k) / 255 (integer division),
// kept within 0 to 255. k = 0 keeps the colour, k = 255 gives white.
Rgb Lighten(Rgb c, int k);
ColorValue Lighten(ColorValue c, int k);
// Blend(c1, c2, k): each channel becomes CInt((255 - k) * c2 / 255 + k * c1 / 255), kept
// within 0 to 255. k = 0 gives c2, k = 255 gives c1.
Rgb Blend(Rgb c1, Rgb c2, int k);
ColorValue Blend(ColorValue c1, ColorValue c2, int k);

// A one-pixel line from (x1, y1) to (x2, y2), end point left out.
void DrawLine(cairo_t* cr, long long x1, long long y1, long long x2, long long y2, Rgb color);
void DrawLine(cairo_t* cr, long long x1, long long y1, long long x2, long long y2,
              ColorValue color);

// across: a + 1 vertical lines at x + i (i = 0 to a), each from y to b; otherwise b + 1
// horizontal lines at y + i (i = 0 to b), each from x to a. Line i has the colour
// from + i * (to - from) / n per channel, rounded half to even (n = a or b; with n = 0 the
// single line has the colour `from`).
void DrawGradient(cairo_t* cr, Rgb from, Rgb to, long long x, long long y, long long a, long long b,
                  bool across);
void DrawGradient(cairo_t* cr, ColorValue from, ColorValue to, long long x, long long y,
                  long long a, long long b, bool across);

// The fill extent of looks 3 to 9: CLng(P / d * (width - m)).
long long fillRight(int percent, int divisor, long long width, long long reduction);

// The text the bar shows: "Searching.." for look 2, otherwise the percentage and " %".
std::string progressText(const ProgressBarModel& model);

void DrawProgressBar(cairo_t* cr, const ProgressBarModel& model, int width, int height);
void DrawProgressBar(const Cairo::RefPtr<Cairo::Context>& cr, const ProgressBarModel& model,
                     int width, int height);
inline void paintProgressBar(cairo_t* cr, const ProgressBarModel& model, int width, int height) {
    DrawProgressBar(cr, model, width, height);
}
Cairo::RefPtr<Cairo::ImageSurface> renderProgressBar(const ProgressBarModel& model, int width,
                                                     int height);

// Copies the model's back buffer, from (xSrc, ySrc) and width x height in size, to (xDst,
// yDst) on target in one block; a width or height below 1 means the buffer's own. Does
// nothing when there is no buffer.
void copyBackBuffer(cairo_t* target, const ProgressBarModel& model, int xSrc, int ySrc, int width,
                    int height, int xDst, int yDst);

// The colour of one pixel of an image surface (alpha taken off); black outside it.
Rgb surfacePixel(cairo_surface_t* surface, int x, int y);
inline Rgb surfacePixel(const Cairo::RefPtr<Cairo::ImageSurface>& surface, int x, int y) {
    return surface ? surfacePixel(surface->cobj(), x, y) : Rgb{};
}

}  // namespace larkspan
