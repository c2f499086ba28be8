#pragma once

// Drawing of the styled button onto any cairo context, as a plain function of the button's
// properties, a visual state and a size in pixels. Everything but the theme look (6) draws
// without a display, onto an image surface as well as onto a window.
//
// The rounded looks draw nothing outside their outline: on a cleared ARGB32 surface the
// corners stay transparent, so whatever lies behind the button shows through them.

#include <cairo.h>
#include <gdkmm/pixbuf.h>

#include <vector>

#include "controls/ButtonModel.hpp"

namespace larkspan {

struct ButtonPaintResult {
    bool drawn = false;             // false for an empty size
    int styleDrawn = -1;            // the look actually drawn
    bool themeUnavailable = false;  // look 6 was asked for and could not be drawn
};

// Draws the whole button (face of the look, icon, caption, focus mark) in the state given,
// into the rectangle (0, 0, w, h) of cr. The state is used as given: the caller decides the
// drawing state (ButtonModel::drawState() for the live button; any state for a gallery).
// When look 6 is asked for and no theme can be drawn (no display), the model's fallback
// look is drawn instead and the result says so; the model is not changed.
ButtonPaintResult paintButton(cairo_t* cr, const ButtonModel& model, ButtonVisualState state, int w,
                              int h);

// The live button's redraw: draws model.drawState() and, when the theme look could not be
// drawn, makes the model take its NonThemeStyle for good.
ButtonPaintResult refreshButton(cairo_t* cr, ButtonModel& model, int w, int h);

// The button in `state` on a new ARGB32 image of w x h pixels at `scale` device pixels to
// a pixel (the window's scale factor; the image then has scale * w x scale * h device
// pixels and draws back at w x h). Null when no image could be made; the caller destroys
// it. `result` tells what was drawn.
cairo_surface_t* renderButtonImage(const ButtonModel& model, ButtonVisualState state, int w, int h,
                                   int scale, ButtonPaintResult& result);

// Draws icon at (x, y) scaled to width x height, every pixel replaced by its grey shade
// (luma 0.299 R + 0.587 G + 0.114 B), transparency kept. False when cr or icon is missing
// or the size is empty.
bool paintIconGrayscale(cairo_t* cr, const Glib::RefPtr<Gdk::Pixbuf>& icon, int x, int y,
                        int height, int width);

// One row of a button's outline: pixels [x0, x1) of row y lie inside the shape.
struct ButtonSpan {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// True for the looks whose window stays rectangular (0 to 4).
bool buttonShapeIsRectangular(int style);

// The pixels inside the outline of a look at a size, row by row (rows with nothing inside
// are left out). Looks 5 and 7 use the octagon with 1-pixel corners, 8 and 9 the octagon
// with larger cut corners, 10 a rectangle with rounded corners of 18-pixel ellipses; the
// others, and the theme look, the whole rectangle.
std::vector<ButtonSpan> buttonShapeSpans(int style, int w, int h);

// Where the icon goes: an IconSize square placed by IconAlign at the look's edge margin,
// moved 1 pixel right and down while pressed. Nothing without an icon or with size 0.
struct ButtonRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};
std::optional<ButtonRect> buttonIconRect(const ButtonModel& model, int style,
                                         ButtonVisualState state, int w, int h);
// The rectangle the caption is wrapped and aligned in.
ButtonRect buttonCaptionRect(const ButtonModel& model, int style, ButtonVisualState state, int w,
                             int h);

}  // namespace larkspan
