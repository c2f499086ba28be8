#include "controls/ButtonPainter.hpp"

#include <gdk/gdk.h>
#include <gtk/gtk.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <numbers>
#include <utility>

#include "common/Failure.hpp"

namespace larkspan {

namespace {

// ---- Colour arithmetic ------------------------------------------------------------------

std::uint8_t clampByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
               clampByte(a.b + (b.b - a.b) * t)};
}
Rgb lighten(Rgb c, double t) {
    return mix(c, Rgb{255, 255, 255}, t);
}
Rgb darken(Rgb c, double t) {
    return mix(c, Rgb{0, 0, 0}, t);
}
Rgb shift(Rgb c, int d) {
    return Rgb{clampByte(c.r + d), clampByte(c.g + d), clampByte(c.b + d)};
}

void setSource(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// ---- Outlines ---------------------------------------------------------------------------

struct Pt {
    double x;
    double y;
};

// Fills a polygon the way window regions are made: pixels sampled at their integer
// coordinates, the left and top edges inside, the right and bottom edges outside, by the
// winding rule.
std::vector<ButtonSpan> polygonSpans(const std::vector<Pt>& pts, int w, int h) {
    std::vector<ButtonSpan> spans;
    const std::size_t n = pts.size();
    for (int y = 0; y < h; ++y) {
        std::vector<std::pair<double, int>> crossings;
        for (std::size_t i = 0; i < n; ++i) {
            Pt a = pts[i];
            Pt b = pts[(i + 1) % n];
            if (a.y == b.y) continue;
            double ymin = std::min(a.y, b.y);
            double ymax = std::max(a.y, b.y);
            if (y < ymin || y >= ymax) continue;
            double x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            crossings.emplace_back(x, b.y > a.y ? 1 : -1);
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].second;
            if (winding == 0) continue;
            int x0 = std::max(0, static_cast<int>(std::ceil(crossings[i].first)));
            int x1 = std::min(w, static_cast<int>(std::ceil(crossings[i + 1].first)));
            if (x1 <= x0) continue;
            if (!spans.empty() && spans.back().y == y && spans.back().x1 >= x0) {
                spans.back().x1 = std::max(spans.back().x1, x1);
            } else {
                spans.push_back(ButtonSpan{y, x0, x1});
            }
        }
    }
    return spans;
}

std::vector<ButtonSpan> roundRectSpans(int w, int h, double ellipse) {
    std::vector<ButtonSpan> spans;
    double r = std::min({ellipse / 2.0, w / 2.0, h / 2.0});
    for (int y = 0; y < h; ++y) {
        double cy = y + 0.5;
        double dy = 0;
        if (cy < r) dy = r - cy;
        if (cy > h - r) dy = cy - (h - r);
        int inset = 0;
        if (dy > 0) {
            double dx = std::sqrt(std::max(0.0, r * r - dy * dy));
            inset = static_cast<int>(std::floor(r - dx + 0.5));
        }
        if (w - 2 * inset > 0) spans.push_back(ButtonSpan{y, inset, w - inset});
    }
    return spans;
}

// The shape as a mask and, for each pixel inside, how many pixels it lies from the outside
// (0 for the outline ring, 1 for the ring inside it, ...), counted along rows and columns.
struct Shape {
    int w = 0;
    int h = 0;
    std::vector<std::int8_t> ring;  // -1 outside
    bool inside(int x, int y) const {
        return x >= 0 && y >= 0 && x < w && y < h && ring[static_cast<std::size_t>(y * w + x)] >= 0;
    }
    int at(int x, int y) const { return ring[static_cast<std::size_t>(y * w + x)]; }
};

Shape makeShape(const std::vector<ButtonSpan>& spans, int w, int h) {
    constexpr std::int8_t kFar = 8;
    Shape s;
    s.w = w;
    s.h = h;
    s.ring.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), -1);
    for (const auto& sp : spans) {
        for (int x = sp.x0; x < sp.x1; ++x) s.ring[static_cast<std::size_t>(sp.y * w + x)] = kFar;
    }
    std::deque<std::pair<int, int>> queue;
    const std::array<std::pair<int, int>, 4> steps{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!s.inside(x, y)) continue;
            for (auto [dx, dy] : steps) {
                if (!s.inside(x + dx, y + dy)) {
                    s.ring[static_cast<std::size_t>(y * w + x)] = 0;
                    queue.emplace_back(x, y);
                    break;
                }
            }
        }
    }
    while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        std::int8_t next = static_cast<std::int8_t>(s.at(x, y) + 1);
        if (next >= kFar) continue;
        for (auto [dx, dy] : steps) {
            int nx = x + dx;
            int ny = y + dy;
            if (s.inside(nx, ny) && s.at(nx, ny) > next) {
                s.ring[static_cast<std::size_t>(ny * w + nx)] = next;
                queue.emplace_back(nx, ny);
            }
        }
    }
    return s;
}

// ---- The pixel-drawn looks ------------------------------------------------------------------

struct Look {
    int style;
    ButtonVisualState state;
    Rgb face;
    Rgb highlight;  // the highlight colour of the flat border
    const Shape* shape;
};

// Raised or sunken edges of one ring: top and left take `light`, bottom and right `dark`.
bool darkSide(const Shape& s, int x, int y, int ring) {
    return !s.inside(x, y + ring + 1) || !s.inside(x + ring + 1, y);
}

Rgb verticalGradient(Rgb top, Rgb bottom, int y, int h) {
    double t = h > 1 ? static_cast<double>(y) / (h - 1) : 0.0;
    return mix(top, bottom, t);
}

Rgb pixelColor(const Look& l, int x, int y, int ring) {
    const Rgb f = l.face;
    const int w = l.shape->w;
    const int h = l.shape->h;
    const bool pressed = l.state == ButtonVisualState::Pressed;
    const bool hot = l.state == ButtonVisualState::Hot;
    const bool dark = ring <= 3 && darkSide(*l.shape, x, y, ring);
    const Rgb hi = lighten(f, 0.85);
    const Rgb light = lighten(f, 0.3);
    const Rgb shadow = darken(f, 0.4);
    const Rgb dkShadow = darken(f, 0.72);

    switch (l.style) {
        case 0:  // classic raised, sunken while pressed
            if (ring == 0) return pressed ? (dark ? hi : shadow) : (dark ? dkShadow : hi);
            if (ring == 1) return pressed ? (dark ? light : dkShadow) : (dark ? shadow : light);
            return f;
        case 1:  // boxed: thin raised, thin sunken while pressed
            if (ring == 0) return pressed ? (dark ? hi : shadow) : (dark ? shadow : hi);
            return f;
        case 2:  // flat: an edge only while hot or pressed
            if (ring == 0 && hot) return dark ? shadow : hi;
            if (ring == 0 && pressed) return dark ? hi : shadow;
            return f;
        case 3: {  // flat in a one-pixel border mixed from face and highlight colours
            const Rgb border = mix(darken(f, 0.5), l.highlight, 0.5);
            if (ring == 0) {
                bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
                return corner ? mix(border, f, 0.5) : border;
            }
            if (ring == 1 && pressed && !dark) return darken(f, 0.12);
            return f;
        }
        case 4: {  // shades of the face shifted by fixed amounts
            if (ring == 0) return shift(f, -128);
            if (ring == 1) {
                if (pressed) return dark ? f : shift(f, -32);
                return dark ? shift(f, -32) : shift(f, 176);
            }
            return pressed ? verticalGradient(f, shift(f, 32), y, h)
                           : verticalGradient(shift(f, 32), f, y, h);
        }
        case 5:  // rounded, softly shaded
            if (ring == 0) return darken(f, 0.55);
            if (ring == 1) {
                if (pressed) return dark ? lighten(f, 0.3) : darken(f, 0.2);
                return dark ? darken(f, 0.18) : lighten(f, 0.7);
            }
            return pressed ? verticalGradient(darken(f, 0.08), lighten(f, 0.1), y, h)
                           : verticalGradient(lighten(f, 0.3), darken(f, 0.06), y, h);
        case 7: {  // glossy: a bright upper half over the face
            if (ring == 0) return darken(f, 0.6);
            if (ring == 1) return pressed ? darken(f, 0.12) : lighten(f, 0.6);
            int mid = h / 2;
            if (y < mid) {
                return pressed ? verticalGradient(lighten(f, 0.25), lighten(f, 0.1), y, mid)
                               : verticalGradient(lighten(f, 0.6), lighten(f, 0.3), y, mid);
            }
            return pressed ? verticalGradient(darken(f, 0.1), f, y - mid, h - mid)
                           : verticalGradient(f, lighten(f, 0.3), y - mid, h - mid);
        }
        case 8:  // bevel: a two-pixel bevel inside the cut-corner outline
            if (ring == 0) return darken(f, 0.65);
            if (ring == 1 || ring == 2) {
                Rgb up = ring == 1 ? lighten(f, 0.75) : lighten(f, 0.45);
                Rgb down = ring == 1 ? darken(f, 0.4) : darken(f, 0.2);
                if (pressed) std::swap(up, down);
                return dark ? down : up;
            }
            return f;
        case 9: {  // tube: shaded like a lying cylinder
            if (ring == 0) return darken(f, 0.6);
            double t = (y + 0.5) / h;
            double k = std::sin(t * std::numbers::pi);
            if (pressed) return mix(darken(f, 0.35), lighten(f, 0.2), k);
            return mix(darken(f, 0.3), lighten(f, 0.6), std::pow(k, 0.8));
        }
        case 10:  // round-cornered, smooth gradient
            if (ring == 0) return darken(f, 0.5);
            if (ring == 1 && !dark && !pressed) return lighten(f, 0.65);
            return pressed ? verticalGradient(darken(f, 0.15), lighten(f, 0.3), y, h)
                           : verticalGradient(lighten(f, 0.5), darken(f, 0.12), y, h);
        default:
            return f;
    }
}

// Draws the face of a pixel-drawn look into an image and paints it onto cr.
void paintPixelFace(cairo_t* cr, const Look& look) {
    const Shape& s = *look.shape;
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s.w, s.h);
    if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(img);
        return;
    }
    cairo_surface_flush(img);
    unsigned char* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    for (int y = 0; y < s.h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < s.w; ++x) {
            int ring = s.at(x, y);
            if (ring < 0) {
                row[x] = 0;  // outside the outline: transparent
                continue;
            }
            Rgb c = pixelColor(look, x, y, ring);
            row[x] = 0xFF000000u | (static_cast<std::uint32_t>(c.r) << 16) |
                     (static_cast<std::uint32_t>(c.g) << 8) | c.b;
        }
    }
    cairo_surface_mark_dirty(img);
    cairo_save(cr);
    cairo_set_source_surface(cr, img, 0, 0);
    // On a scaled surface each pixel of the face becomes a sharp block of device pixels,
    // not a blurred enlargement; the caption is drawn at the full resolution.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(img);
}

void clipToSpans(cairo_t* cr, const std::vector<ButtonSpan>& spans) {
    cairo_new_path(cr);
    for (const auto& sp : spans) cairo_rectangle(cr, sp.x0, sp.y, sp.x1 - sp.x0, 1);
    cairo_clip(cr);
}

// ---- The theme look -------------------------------------------------------------------------

// Draws the desktop theme's push button; false when no theme can be drawn (no screen, so no
// style context).
bool paintThemeFace(cairo_t* cr, const ButtonModel& model, ButtonVisualState state, int w, int h) {
    GdkScreen* screen = gdk_screen_get_default();
    if (screen == nullptr) return false;

    GtkWidgetPath* path = gtk_widget_path_new();
    gtk_widget_path_append_type(path, GTK_TYPE_WINDOW);
    gtk_widget_path_iter_set_object_name(path, -1, "window");
    gtk_widget_path_append_type(path, GTK_TYPE_BUTTON);
    gtk_widget_path_iter_set_object_name(path, -1, "button");
    gtk_widget_path_iter_add_class(path, -1, "text-button");
    // The theme's default-button look while the button has the focus and rests.
    if (model.hasFocus() && state == ButtonVisualState::Normal) {
        gtk_widget_path_iter_add_class(path, -1, "default");
    }
    GtkStyleContext* ctx = gtk_style_context_new();
    gtk_style_context_set_screen(ctx, screen);
    gtk_style_context_set_path(ctx, path);
    gtk_widget_path_unref(path);

    int flags = GTK_STATE_FLAG_NORMAL;
    switch (state) {
        case ButtonVisualState::Hot:
            flags = GTK_STATE_FLAG_PRELIGHT;
            break;
        case ButtonVisualState::Pressed:
            flags = GTK_STATE_FLAG_ACTIVE | GTK_STATE_FLAG_PRELIGHT;
            break;
        case ButtonVisualState::Disabled:
            flags = GTK_STATE_FLAG_INSENSITIVE;
            break;
        default:
            break;
    }
    if (model.hasFocus() && state != ButtonVisualState::Disabled) flags |= GTK_STATE_FLAG_FOCUSED;
    gtk_style_context_set_state(ctx, static_cast<GtkStateFlags>(flags));

    cairo_save(cr);
    if (!model.roundedBordersByTheme()) {
        // The window stays rectangular: the corners outside the theme's outline show the face.
        setSource(cr, model.faceColor(state));
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_fill(cr);
    }
    gtk_render_background(ctx, cr, 0, 0, w, h);
    gtk_render_frame(ctx, cr, 0, 0, w, h);
    if (model.focusMarked() && state != ButtonVisualState::Disabled) {
        int m = ButtonModel::edgeMargin(kThemeButtonStyle);
        if (w > 2 * m && h > 2 * m) gtk_render_focus(ctx, cr, m, m, w - 2 * m, h - 2 * m);
    }
    cairo_restore(cr);
    g_object_unref(ctx);
    return true;
}

// ---- Icon and caption -------------------------------------------------------------------------

Glib::RefPtr<Gdk::Pixbuf> preparedIcon(const ButtonModel& model, int size) {
    Glib::RefPtr<Gdk::Pixbuf> icon = model.icon();
    if (!icon || size <= 0) return {};
    try {
        if (model.useMaskColor()) {
            Rgb m = model.resolve(model.maskColor());
            icon = icon->add_alpha(true, m.r, m.g, m.b);
        }
        if (icon->get_width() != size || icon->get_height() != size) {
            icon = icon->scale_simple(size, size, Gdk::INTERP_BILINEAR);
        }
    } catch (...) {
        reportFailure("scaling a styled button's icon");
        return {};
    }
    return icon;
}

Glib::RefPtr<Gdk::Pixbuf> grayscaleCopy(const Glib::RefPtr<Gdk::Pixbuf>& src) {
    Glib::RefPtr<Gdk::Pixbuf> grey = src->add_alpha(false, 0, 0, 0);  // an RGBA copy
    const int w = grey->get_width();
    const int h = grey->get_height();
    const int stride = grey->get_rowstride();
    guint8* pixels = grey->get_pixels();
    for (int y = 0; y < h; ++y) {
        guint8* p = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < w; ++x, p += 4) {
            auto v = clampByte(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]);
            p[0] = p[1] = p[2] = v;
        }
    }
    return grey;
}

void paintCaption(cairo_t* cr, const ButtonModel& model, const ButtonRect& rect, Rgb color) {
    CaptionText caption = parseCaption(model.caption());
    if (caption.text.empty() || rect.w <= 0 || rect.h <= 0) return;

    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoContext* pctx = pango_layout_get_context(layout);
    pango_context_set_base_dir(pctx,
                               model.rightToLeft() ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_LTR);
    pango_layout_context_changed(layout);
    pango_layout_set_auto_dir(layout, FALSE);

    PangoFontDescription* font = pango_font_description_from_string(model.font().c_str());
    if (pango_font_description_get_size(font) <= 0)
        pango_font_description_set_size(font, 9 * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);

    pango_layout_set_text(layout, caption.text.c_str(), static_cast<int>(caption.text.size()));
    if (caption.underlineStart >= 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        PangoAttribute* u = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        u->start_index = static_cast<guint>(caption.underlineStart);
        u->end_index = static_cast<guint>(caption.underlineEnd);
        pango_attr_list_insert(attrs, u);
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_width(layout, rect.w * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    PangoAlignment align = PANGO_ALIGN_CENTER;
    if (model.captionAlign() == static_cast<int>(CaptionAlign::Left)) align = PANGO_ALIGN_LEFT;
    if (model.captionAlign() == static_cast<int>(CaptionAlign::Right)) align = PANGO_ALIGN_RIGHT;
    pango_layout_set_alignment(layout, align);

    int lw = 0;
    int lh = 0;
    pango_layout_get_pixel_size(layout, &lw, &lh);
    cairo_save(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.w, rect.h);
    cairo_clip(cr);
    setSource(cr, color);
    cairo_move_to(cr, rect.x, rect.y + (rect.h - lh) / 2);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

void paintFocusMark(cairo_t* cr, int style, int w, int h, Rgb color) {
    int m = std::max(1, ButtonModel::edgeMargin(style) - 1);
    if (w - 2 * m < 2 || h - 2 * m < 2) return;
    cairo_save(cr);
    setSource(cr, color);
    cairo_set_line_width(cr, 1.0);
    const double dash[] = {1.0, 1.0};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, m + 0.5, m + 0.5, w - 2 * m - 1, h - 2 * m - 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace

// ---- Public ---------------------------------------------------------------------------------

bool buttonShapeIsRectangular(int style) {
    return style < 5 || style == kThemeButtonStyle || style > kButtonStyleMax;
}

std::vector<ButtonSpan> buttonShapeSpans(int style, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    const double W = w;
    const double H = h;
    switch (style) {
        case 5:
        case 7:
            return polygonSpans(
                {{0, 1}, {1, 0}, {W - 1, 0}, {W, 1}, {W, H - 2}, {W - 2, H}, {2, H}, {0, H - 2}}, w,
                h);
        case 8:
        case 9:
            return polygonSpans(
                {{0, 2}, {2, 0}, {W - 3, 0}, {W, 3}, {W, H - 3}, {W - 3, H}, {4, H}, {0, H - 4}}, w,
                h);
        case 10:
            return roundRectSpans(w, h, 18);
        default: {
            std::vector<ButtonSpan> spans;
            spans.reserve(static_cast<std::size_t>(h));
            for (int y = 0; y < h; ++y) spans.push_back(ButtonSpan{y, 0, w});
            return spans;
        }
    }
}

std::optional<ButtonRect> buttonIconRect(const ButtonModel& model, int style,
                                         ButtonVisualState state, int w, int h) {
    const int size = model.iconSize();
    if (!model.icon() || size <= 0) return std::nullopt;
    const int m = ButtonModel::edgeMargin(style);
    ButtonRect r{(w - size) / 2, (h - size) / 2, size, size};
    switch (model.iconAlign()) {
        case static_cast<int>(IconAlign::Left):
            r.x = m;
            break;
        case static_cast<int>(IconAlign::Right):
            r.x = w - m - size;
            break;
        case static_cast<int>(IconAlign::Top):
            r.y = m;
            break;
        case static_cast<int>(IconAlign::Bottom):
            r.y = h - m - size;
            break;
        default:
            break;
    }
    if (state == ButtonVisualState::Pressed) {
        r.x += 1;
        r.y += 1;
    }
    return r;
}

ButtonRect buttonCaptionRect(const ButtonModel& model, int style, ButtonVisualState state, int w,
                             int h) {
    const int m = ButtonModel::edgeMargin(style);
    ButtonRect r{m, m, w - 2 * m, h - 2 * m};
    if (model.icon() && model.iconSize() > 0) {
        const int room = model.iconSize() + 2;
        switch (model.iconAlign()) {
            case static_cast<int>(IconAlign::Left):
                r.x += room;
                r.w -= room;
                break;
            case static_cast<int>(IconAlign::Right):
                r.w -= room;
                break;
            case static_cast<int>(IconAlign::Top):
                r.y += room;
                r.h -= room;
                break;
            case static_cast<int>(IconAlign::Bottom):
                r.h -= room;
                break;
            default:
                break;
        }
    }
    if (state == ButtonVisualState::Pressed) {
        r.x += 1;
        r.y += 1;
    }
    r.w = std::max(0, r.w);
    r.h = std::max(0, r.h);
    return r;
}

bool paintIconGrayscale(cairo_t* cr, const Glib::RefPtr<Gdk::Pixbuf>& icon, int x, int y,
                        int height, int width) {
    if (cr == nullptr || !icon || width <= 0 || height <= 0) return false;
    try {
        Glib::RefPtr<Gdk::Pixbuf> grey = grayscaleCopy(icon);
        if (grey->get_width() != width || grey->get_height() != height) {
            grey = grey->scale_simple(width, height, Gdk::INTERP_BILINEAR);
        }
        cairo_save(cr);
        gdk_cairo_set_source_pixbuf(cr, grey->gobj(), x, y);
        cairo_rectangle(cr, x, y, width, height);
        cairo_fill(cr);
        cairo_restore(cr);
        return true;
    } catch (...) {
        reportFailure("drawing an icon in grey");
        return false;
    }
}

ButtonPaintResult paintButton(cairo_t* cr, const ButtonModel& model, ButtonVisualState state, int w,
                              int h) {
    ButtonPaintResult result;
    if (cr == nullptr || w <= 0 || h <= 0 || cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return result;

    int style = std::clamp(model.style(), kButtonStyleMin, kButtonStyleMax);
    cairo_save(cr);
    if (style == kThemeButtonStyle) {
        if (!paintThemeFace(cr, model, state, w, h)) {
            result.themeUnavailable = true;
            style = model.fallbackStyle();
        }
    }
    const std::vector<ButtonSpan> spans = buttonShapeSpans(style, w, h);
    if (style != kThemeButtonStyle) {
        Shape shape = makeShape(spans, w, h);
        Look look{style, state, model.faceColor(state), model.highlightShade(), &shape};
        paintPixelFace(cr, look);
        // Icon and caption stay inside the outline.
        if (!buttonShapeIsRectangular(style)) clipToSpans(cr, spans);
    }

    if (auto r = buttonIconRect(model, style, state, w, h)) {
        if (auto icon = preparedIcon(model, r->w)) {
            if (state == ButtonVisualState::Disabled) {
                paintIconGrayscale(cr, icon, r->x, r->y, r->h, r->w);
            } else {
                gdk_cairo_set_source_pixbuf(cr, icon->gobj(), r->x, r->y);
                cairo_rectangle(cr, r->x, r->y, r->w, r->h);
                cairo_fill(cr);
            }
        }
    }
    paintCaption(cr, model, buttonCaptionRect(model, style, state, w, h),
                 model.captionColor(state));
    if (style != kThemeButtonStyle && model.focusMarked() && state != ButtonVisualState::Disabled) {
        paintFocusMark(cr, style, w, h, model.captionColor(state));
    }
    cairo_restore(cr);
    result.drawn = true;
    result.styleDrawn = style;
    return result;
}

cairo_surface_t* renderButtonImage(const ButtonModel& model, ButtonVisualState state, int w, int h,
                                   int scale, ButtonPaintResult& result) {
    if (w <= 0 || h <= 0) return nullptr;
    scale = std::max(scale, 1);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * scale, h * scale);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    cairo_surface_set_device_scale(image, scale, scale);
    cairo_t* cr = cairo_create(image);
    result = paintButton(cr, model, state, w, h);
    cairo_destroy(cr);
    cairo_surface_flush(image);
    return image;
}

ButtonPaintResult refreshButton(cairo_t* cr, ButtonModel& model, int w, int h) {
    ButtonPaintResult result = paintButton(cr, model, model.drawState(), w, h);
    if (result.themeUnavailable) model.themeUnavailable();
    return result;
}

}  // namespace larkspan
