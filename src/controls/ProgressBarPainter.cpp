#include "controls/ProgressBarPainter.hpp"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "common/Rounding.hpp"

namespace larkspan {

namespace {

using ll = long long;

// The desktop's 3D edge colours.
constexpr Rgb kEdgeHighlight{255, 255, 255};
constexpr Rgb kEdgeLight{241, 239, 226};
constexpr Rgb kEdgeShadow{172, 168, 153};
constexpr Rgb kEdgeDarkShadow{113, 111, 100};

// CLng of a coordinate: half to even, kept well inside 64 bits.
ll roundCoord(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<ll>(std::clamp(roundHalfEven(v), -1e15, 1e15));
}

std::uint8_t channel(double v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
}

// The pixels cr can show, as [x0, x1) x [y0, y1).
struct Visible {
    ll x0, y0, x1, y1;
};

Visible visibleArea(cairo_t* cr) {
    double a, b, c, d;
    cairo_clip_extents(cr, &a, &b, &c, &d);
    return {static_cast<ll>(std::floor(a)), static_cast<ll>(std::floor(b)),
            static_cast<ll>(std::ceil(c)), static_cast<ll>(std::ceil(d))};
}

void setSource(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// Fills the rectangle with the current source, cut to what is visible.
void fillWithSource(cairo_t* cr, ll l, ll t, ll r, ll b) {
    Visible v = visibleArea(cr);
    l = std::max(l, v.x0);
    t = std::max(t, v.y0);
    r = std::min(r, v.x1);
    b = std::min(b, v.y1);
    if (r <= l || b <= t) return;
    cairo_rectangle(cr, static_cast<double>(l), static_cast<double>(t), static_cast<double>(r - l),
                    static_cast<double>(b - t));
    cairo_fill(cr);
}

void fillRect(cairo_t* cr, ll l, ll t, ll r, ll b, Rgb c) {
    if (r <= l || b <= t) return;
    setSource(cr, c);
    fillWithSource(cr, l, t, r, b);
}

void setPixel(cairo_t* cr, ll x, ll y, Rgb c) {
    fillRect(cr, x, y, x + 1, y + 1, c);
}

// A one-pixel ring just inside the rectangle.
void frameRect(cairo_t* cr, ll l, ll t, ll r, ll b, Rgb c) {
    if (r <= l || b <= t) return;
    fillRect(cr, l, t, r, t + 1, c);
    fillRect(cr, l, b - 1, r, b, c);
    fillRect(cr, l, t, l + 1, b, c);
    fillRect(cr, r - 1, t, r, b, c);
}

// A ring with its top and left sides in one colour and its bottom and right sides (with the
// top-right and bottom-left corners) in another: one layer of a 3D edge.
void edgeRing(cairo_t* cr, ll l, ll t, ll r, ll b, Rgb topLeft, Rgb bottomRight) {
    if (r <= l || b <= t) return;
    fillRect(cr, l, t, r, t + 1, topLeft);
    fillRect(cr, l, t, l + 1, b, topLeft);
    fillRect(cr, l, b - 1, r, b, bottomRight);
    fillRect(cr, r - 1, t, r, b, bottomRight);
}

void etchedEdge(cairo_t* cr, ll w, ll h) {
    edgeRing(cr, 0, 0, w, h, kEdgeShadow, kEdgeHighlight);
    edgeRing(cr, 1, 1, w - 1, h - 1, kEdgeHighlight, kEdgeShadow);
}

void bumpEdge(cairo_t* cr, ll w, ll h) {
    edgeRing(cr, 0, 0, w, h, kEdgeLight, kEdgeDarkShadow);
    edgeRing(cr, 1, 1, w - 1, h - 1, kEdgeDarkShadow, kEdgeLight);
}

void sunkenInnerEdge(cairo_t* cr, ll w, ll h) {
    edgeRing(cr, 0, 0, w, h, kEdgeDarkShadow, kEdgeLight);
}

// Whether pixel (x, y) of an 8 x 8 hatch cell carries the hatch colour.
bool hatchBit(int style, int x, int y) {
    bool horizontal = y == 7;
    bool vertical = x == 7;
    bool falling = x == y;
    bool rising = x + y == 7;
    switch (style) {
        case 0:
            return horizontal;
        case 1:
            return vertical;
        case 2:
            return falling;
        case 3:
            return rising;
        case 5:
            return falling || rising;
        default:  // 4, and any style the system does not have: the cross hatch
            return horizontal || vertical;
    }
}

// Fills the rectangle with a hatch in `fore` over `back`, the pattern aligned to the
// control's origin.
void hatchRect(cairo_t* cr, ll l, ll t, ll r, ll b, int style, Rgb fore, Rgb back) {
    if (r <= l || b <= t) return;
    cairo_surface_t* cell = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8);
    if (cairo_surface_status(cell) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(cell);
        fillRect(cr, l, t, r, b, back);
        return;
    }
    cairo_surface_flush(cell);
    unsigned char* data = cairo_image_surface_get_data(cell);
    int stride = cairo_image_surface_get_stride(cell);
    for (int y = 0; y < 8; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < 8; ++x) {
            Rgb c = hatchBit(style, x, y) ? fore : back;
            row[x] = 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
        }
    }
    cairo_surface_mark_dirty(cell);
    cairo_save(cr);
    cairo_set_source_surface(cr, cell, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    fillWithSource(cr, l, t, r, b);
    cairo_restore(cr);
    cairo_surface_destroy(cell);
}

// Fills the rectangle with the picture repeated from the control's origin.
void tileRect(cairo_t* cr, ll l, ll t, ll r, ll b, cairo_surface_t* picture) {
    if (r <= l || b <= t || picture == nullptr) return;
    if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) return;
    cairo_save(cr);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    fillWithSource(cr, l, t, r, b);
    cairo_restore(cr);
}

Rgb gradientColor(Rgb from, Rgb to, ll i, ll n) {
    if (n == 0) return from;
    auto mix = [&](int f, int t) {
        return channel(
            roundHalfEven(f + static_cast<double>(i) * (t - f) / static_cast<double>(n)));
    };
    return Rgb{mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

// The two glossy bands, body, moving blocks and separators of looks 0 to 2.
void drawDefaultBar(cairo_t* cr, const ProgressBarModel& m, int look, int percent, ll w, ll h) {
    const Rgb c = m.colorRgb();
    const Rgb gloss = Lighten(c, 150);
    const ll left = 3;  // the bar keeps clear of the frame's left side
    const ll blockWidth = look == ProgressBarModel::kSegmented ? 6 : 0;
    const ll step = blockWidth + 2;
    Visible v = visibleArea(cr);

    if (!m.vertical()) {
        double fraction = std::max(0.0, percent / 98.0);
        ll x = roundCoord(static_cast<double>(w - left) * fraction + static_cast<double>(left));
        ll right = std::max(x - ((x - left) % step), left);
        if (right <= 14) right = 12;
        ll bodyRight = w < right + 4 ? right - 4 : right;

        if (look == ProgressBarModel::kSearching) {
            for (int i = 0; i < 3; ++i) {
                ll start =
                    roundCoord(static_cast<double>(right + 12 * i) - (100 - percent) / 100.0 * 45);
                DrawGradient(cr, Lighten(c, 220 - 40 * i), Lighten(c, 200 - 40 * i), start, 3, 9,
                             h - 2, true);
            }
        } else {
            DrawGradient(cr, gloss, c, 4, 3, bodyRight, 6, false);
            fillRect(cr, 4, 8, bodyRight, h - 8, c);
            DrawGradient(cr, c, gloss, 4, h - 10, bodyRight, 6, false);
        }
        if (look == ProgressBarModel::kSegmented) {
            // White gaps at x + 1 and x + 2 for x = left + 6, left + 14, ... up to the fill's end.
            ll first = left + 6;
            if (v.x0 - 3 > first) first += (v.x0 - 3 - first) / 8 * 8;
            for (ll sx = first; sx <= right && sx + 1 < v.x1; sx += 8) {
                fillRect(cr, sx + 1, 0, sx + 3, h, kBarWhite);
            }
        }
    } else {
        // The fill rises from the bottom in whole steps.
        double fraction = std::clamp(1.0 - percent / 98.0, 0.0, 1.0);
        ll y = roundCoord(static_cast<double>(h) * fraction);
        ll top = std::min(y - ((y - h) % step), h);

        if (look == ProgressBarModel::kSearching) {
            for (int i = 0; i < 3; ++i) {
                ll bottom =
                    roundCoord(static_cast<double>(top - 12 * i) + (100 - percent) / 100.0 * 45);
                DrawGradient(cr, Lighten(c, 200 - 40 * i), Lighten(c, 220 - 40 * i), 3, bottom - 9,
                             w - 2, 9, false);
            }
        } else {
            DrawGradient(cr, gloss, c, 4, top, 4, h, true);
            DrawGradient(cr, c, gloss, w - 8, top, 4, h, true);
            fillRect(cr, 9, top, w - 8, h, c);
        }
        if (look == ProgressBarModel::kSegmented) {
            ll first = h - 6;
            if (first - 3 >= v.y1) first -= (first - 3 - v.y1) / 8 * 8 + 8;
            for (ll sy = first; sy >= top && sy - 1 > v.y0; sy -= 8) {
                fillRect(cr, left, sy - 3, w, sy - 1, kBarWhite);
            }
        }
    }
}

// The grey frame with its rounded corners, shared by looks 0, 1, 2 and 9.
void drawRoundedBorder(cairo_t* cr, ll w, ll h) {
    DrawLine(cr, w - 2, 2, w - 2, h - 2, kBarInnerRight);
    frameRect(cr, 0, 0, w, h, kBarBorder);
    struct Corner {
        ll x, y;
        Rgb c;
    };
    const Rgb white{255, 255, 255}, lightEdge{172, 171, 166}, lightEdge2{172, 171, 167},
        midEdge{127, 126, 125}, darkEdge{119, 119, 119}, paleEdge{190, 190, 190};
    const std::array<Corner, 24> corners{{
        {0, 0, white},
        {0, 1, lightEdge},
        {0, 2, midEdge},
        {1, 0, lightEdge2},
        {1, 1, darkEdge},
        {2, 0, midEdge},
        {2, 2, paleEdge},
        {0, h - 1, white},
        {1, h - 1, lightEdge},
        {2, h - 1, midEdge},
        {0, h - 3, midEdge},
        {0, h - 2, lightEdge2},
        {1, h - 2, darkEdge},
        {w - 1, 0, white},
        {w - 1, 1, paleEdge},
        {w - 1, 2, midEdge},
        {w - 2, 2, paleEdge},
        {w - 2, 1, kBarBorder},
        {w - 1, h - 1, white},
        {w - 1, h - 2, paleEdge},
        {w - 1, h - 3, midEdge},
        {w - 2, h - 2, darkEdge},
        {w - 2, h - 1, paleEdge},
        {w - 3, h - 1, midEdge},
    }};
    for (const Corner& k : corners) setPixel(cr, k.x, k.y, k.c);
}

void drawLook(cairo_t* cr, const ProgressBarModel& m, int look, int p, ll w, ll h) {
    const Rgb c = m.colorRgb();
    switch (look) {
        case ProgressBarModel::kPale: {
            frameRect(cr, 0, 0, w, h, Lighten(c, 100));
            fillRect(cr, 1, 1, fillRight(p, 100, w, 0), h - 1, Lighten(c, 180));
            break;
        }
        case ProgressBarModel::kEtched: {
            etchedEdge(cr, w, h);
            DrawGradient(cr, Lighten(c, 140), Lighten(c, 200), 2, 2, fillRight(p, 100, w, 4), h - 3,
                         true);
            break;
        }
        case ProgressBarModel::kTube: {
            ll right = fillRight(p, 101, w, 0);
            frameRect(cr, 0, 0, w, h, Lighten(c, 10));
            DrawGradient(cr, c, Lighten(c, 100), 2, 2, w - 2, h - 5, false);
            // Below a few per cent the fill would run backwards over the frame: no fill then.
            if (right > 3) DrawGradient(cr, Lighten(c, 250), c, 3, 3, right, h - 6, false);
            if (right >= 2) DrawLine(cr, right, 2, right, h - 2, Lighten(c, 25));
            break;
        }
        case ProgressBarModel::kDark: {
            frameRect(cr, 0, 0, w, h, Blend(c, kBarBlack, 200));
            DrawGradient(cr, kBarBlack, Lighten(Blend(c, kBarBlack, 100), 10), 2, 2,
                         fillRight(p, 100, w, 5), h - 2, true);
            break;
        }
        case ProgressBarModel::kHatched: {
            bumpEdge(cr, w, h);
            hatchRect(cr, 2, 2, fillRight(p, 101, w, 0), h - 2, m.brushStyle(), c, Lighten(c, 140));
            break;
        }
        case ProgressBarModel::kPicture: {
            sunkenInnerEdge(cr, w, h);
            if (m.image()) {
                ll right = fillRight(p, 101, w, 0);
                tileRect(cr, 2, 2, 2 + right, 2 + (h - 4), m.image()->cobj());
            }
            break;
        }
        case ProgressBarModel::kSilver: {
            // Track and fill each have a top half running into a bottom half; both span the
            // rows 2 to h - 3, the top half being (h - 3) / 2 rows.
            ll half = roundCoord(static_cast<double>(h - 3) / 2.0);
            ll bottomRows = h - 4 - half;
            ll right = fillRight(p, 100, w, 4);
            DrawGradient(cr, kBarWhite, kBarSilver, 2, 2, w - 3, half - 1, false);
            fillRect(cr, 2, 2 + half, w - 3, h - 2, kBarSilver);
            if (right > 2) {  // an empty fill must not run backwards over the frame
                DrawGradient(cr, Lighten(c, 150), Blend(c, kBarBlack, 180), 2, 2, right, half - 1,
                             false);
                DrawGradient(cr, Blend(c, kBarBlack, 190), c, 2, 2 + half, right, bottomRows - 1,
                             false);
            }
            drawRoundedBorder(cr, w, h);
            break;
        }
        default:  // looks 0, 1 and 2
            drawDefaultBar(cr, m, look, p, w, h);
            drawRoundedBorder(cr, w, h);
            break;
    }
}

void drawText(cairo_t* cr, const ProgressBarModel& m, int look, int p, ll w, ll h) {
    if (!m.showText()) return;
    std::string text = progressText(m);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    if (layout == nullptr) return;
    // Crisp, grid-fitted glyphs suit the small bar and look the same on every desktop.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);
    pango_layout_set_font_description(layout, m.font().gobj());
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    pango_layout_set_text(layout, text.c_str(), -1);
    int tw = 0, th = 0;
    pango_layout_get_pixel_size(layout, &tw, &th);
    // T: the measured text, centred in the control.
    ll tLeft = static_cast<ll>(std::floor(static_cast<double>(w - tw) / 2.0));
    ll tTop = static_cast<ll>(std::floor(static_cast<double>(h - th) / 2.0));
    ll tRight = tLeft + tw;
    Visible v = visibleArea(cr);
    if (tRight <= v.x0 || tLeft >= v.x1 || tTop + th <= v.y0 || tTop >= v.y1) {
        g_object_unref(layout);
        return;  // nothing of it would show
    }

    const bool overFillLook = look == ProgressBarModel::kDark || look == ProgressBarModel::kSilver;
    const double filled = p / 100.0 * static_cast<double>(w);

    if (!(overFillLook && filled > static_cast<double>(tRight))) {
        setSource(cr, look == ProgressBarModel::kDark ? kBarSilver : kBarBlack);
        cairo_move_to(cr, static_cast<double>(tLeft), static_cast<double>(tTop));
        pango_cairo_show_layout(cr, layout);
    }
    if (overFillLook && filled >= static_cast<double>(tLeft)) {
        // The same text in the fill's own text colour, cut off where the fill ends.
        ll clipRight = std::min(roundCoord(filled), tRight);
        if (clipRight > tLeft) {
            cairo_save(cr);
            cairo_rectangle(cr, static_cast<double>(tLeft), static_cast<double>(tTop),
                            static_cast<double>(clipRight - tLeft), static_cast<double>(th));
            cairo_clip(cr);
            setSource(cr, look == ProgressBarModel::kDark ? Lighten(m.colorRgb(), 80) : kBarWhite);
            cairo_move_to(cr, static_cast<double>(tLeft), static_cast<double>(tTop));
            pango_cairo_show_layout(cr, layout);
            cairo_restore(cr);
        }
    }
    g_object_unref(layout);
}

}  // namespace

Rgb Lighten(Rgb c, int k) {
    auto one = [k](int ch) {
        long long v = k + static_cast<long long>(ch) * (255 - static_cast<long long>(k)) / 255;
        return static_cast<std::uint8_t>(std::clamp<long long>(v, 0, 255));
    };
    return Rgb{one(c.r), one(c.g), one(c.b)};
}

ColorValue Lighten(ColorValue c, int k) {
    Rgb r = Lighten(resolveBarColor(c), k);
    return packRgb(r.r, r.g, r.b);
}

Rgb Blend(Rgb c1, Rgb c2, int k) {
    auto one = [k](int a, int b) {
        double v = (255.0 - k) * b / 255.0 + static_cast<double>(k) * a / 255.0;
        return channel(roundHalfEven(v));
    };
    return Rgb{one(c1.r, c2.r), one(c1.g, c2.g), one(c1.b, c2.b)};
}

ColorValue Blend(ColorValue c1, ColorValue c2, int k) {
    Rgb r = Blend(resolveBarColor(c1), resolveBarColor(c2), k);
    return packRgb(r.r, r.g, r.b);
}

void DrawLine(cairo_t* cr, ll x1, ll y1, ll x2, ll y2, Rgb color) {
    if (x1 == x2 && y1 == y2) return;
    setSource(cr, color);
    if (x1 == x2) {
        if (y2 > y1)
            fillWithSource(cr, x1, y1, x1 + 1, y2);
        else
            fillWithSource(cr, x1, y2 + 1, x1 + 1, y1 + 1);
        return;
    }
    if (y1 == y2) {
        if (x2 > x1)
            fillWithSource(cr, x1, y1, x2, y1 + 1);
        else
            fillWithSource(cr, x2 + 1, y1, x1 + 1, y1 + 1);
        return;
    }
    // A slanted line: one pixel per step along the longer axis, the other coordinate
    // rounded; only the steps that land inside the visible area are walked.
    Visible v = visibleArea(cr);
    ll dx = x2 - x1, dy = y2 - y1;
    bool alongX = std::llabs(dx) >= std::llabs(dy);
    ll major = alongX ? dx : dy, minor = alongX ? dy : dx;
    ll start = alongX ? x1 : y1, other = alongX ? y1 : x1;
    ll lo = alongX ? v.x0 : v.y0, hi = alongX ? v.x1 : v.y1;
    ll n = std::llabs(major), dir = major > 0 ? 1 : -1;
    ll kFrom = 0, kTo = n - 1;  // steps 0 .. n - 1: the end point is left out
    if (dir > 0) {
        kFrom = std::max(kFrom, lo - start);
        kTo = std::min(kTo, hi - 1 - start);
    } else {
        kFrom = std::max(kFrom, start - (hi - 1));
        kTo = std::min(kTo, start - lo);
    }
    for (ll k = kFrom; k <= kTo; ++k) {
        ll along = start + dir * k;
        ll across = other + roundCoord(static_cast<double>(k) * static_cast<double>(minor) /
                                       static_cast<double>(n));
        if (alongX)
            fillWithSource(cr, along, across, along + 1, across + 1);
        else
            fillWithSource(cr, across, along, across + 1, along + 1);
    }
}

void DrawLine(cairo_t* cr, ll x1, ll y1, ll x2, ll y2, ColorValue color) {
    DrawLine(cr, x1, y1, x2, y2, resolveBarColor(color));
}

void DrawGradient(cairo_t* cr, Rgb from, Rgb to, ll x, ll y, ll a, ll b, bool across) {
    Visible v = visibleArea(cr);
    if (across) {
        ll first = std::max<ll>(0, v.x0 - x), last = std::min(a, v.x1 - 1 - x);
        for (ll i = first; i <= last; ++i)
            DrawLine(cr, x + i, y, x + i, b, gradientColor(from, to, i, a));
    } else {
        ll first = std::max<ll>(0, v.y0 - y), last = std::min(b, v.y1 - 1 - y);
        for (ll i = first; i <= last; ++i)
            DrawLine(cr, x, y + i, a, y + i, gradientColor(from, to, i, b));
    }
}

void DrawGradient(cairo_t* cr, ColorValue from, ColorValue to, ll x, ll y, ll a, ll b,
                  bool across) {
    DrawGradient(cr, resolveBarColor(from), resolveBarColor(to), x, y, a, b, across);
}

long long fillRight(int percent, int divisor, ll width, ll reduction) {
    return roundCoord(static_cast<double>(percent) / divisor *
                      static_cast<double>(width - reduction));
}

std::string progressText(const ProgressBarModel& model) {
    if (model.look() == ProgressBarModel::kSearching) return "Searching..";
    return std::to_string(std::clamp(model.percent(), 0, 100)) + " %";
}

void DrawProgressBar(cairo_t* cr, const ProgressBarModel& model, int width, int height) {
    if (cr == nullptr || cairo_status(cr) != CAIRO_STATUS_SUCCESS) return;
    if (width <= 0 || height <= 0) return;
    const int look = model.look();
    const int p = std::clamp(model.percent(), 0, 100);
    const ll w = width, h = height;

    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    fillRect(cr, 0, 0, w, h, look == ProgressBarModel::kDark ? kBarBlack : kBarWhite);
    drawLook(cr, model, look, p, w, h);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    drawText(cr, model, look, p, w, h);
    cairo_restore(cr);
}

void DrawProgressBar(const Cairo::RefPtr<Cairo::Context>& cr, const ProgressBarModel& model,
                     int width, int height) {
    if (cr) DrawProgressBar(cr->cobj(), model, width, height);
}

Cairo::RefPtr<Cairo::ImageSurface> renderProgressBar(const ProgressBarModel& model, int width,
                                                     int height) {
    if (width <= 0 || height <= 0) return {};
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return {};
    }
    cairo_t* cr = cairo_create(surface);
    DrawProgressBar(cr, model, width, height);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return Cairo::RefPtr<Cairo::ImageSurface>(new Cairo::ImageSurface(surface, true));
}

void copyBackBuffer(cairo_t* target, const ProgressBarModel& model, int xSrc, int ySrc, int width,
                    int height, int xDst, int yDst) {
    const auto& buffer = model.backBuffer();
    if (target == nullptr || !buffer) return;
    if (width < 1) width = model.backBufferWidth();
    if (height < 1) height = model.backBufferHeight();
    cairo_surface_flush(buffer->cobj());
    cairo_save(target);
    cairo_set_operator(target, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(target, buffer->cobj(), static_cast<double>(xDst) - xSrc,
                             static_cast<double>(yDst) - ySrc);
    cairo_pattern_set_filter(cairo_get_source(target), CAIRO_FILTER_NEAREST);
    cairo_rectangle(target, xDst, yDst, width, height);
    cairo_fill(target);
    cairo_restore(target);
}

Rgb surfacePixel(cairo_surface_t* surface, int x, int y) {
    if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return {};
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    if (x < 0 || y < 0 || x >= w || y >= h) return {};
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (data == nullptr) return {};
    std::uint32_t px;
    const unsigned char* at =
        data + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface) + x * 4;
    std::copy(at, at + 4, reinterpret_cast<unsigned char*>(&px));
    std::uint32_t a =
        cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32 ? px >> 24 : 255;
    auto un = [a](std::uint32_t v) {
        return static_cast<std::uint8_t>(
            a == 0 ? 0 : std::min<std::uint32_t>(255, (v * 255 + a / 2) / a));
    };
    return Rgb{un((px >> 16) & 0xFF), un((px >> 8) & 0xFF), un(px & 0xFF)};
}

}  // namespace larkspan
