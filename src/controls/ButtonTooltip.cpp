#include "controls/ButtonTooltip.hpp"

#include <gdk/gdk.h>
#include <gdkmm/display.h>
#include <gdkmm/monitor.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace larkspan {

namespace {

constexpr int kMaxTextWidth = 280;
constexpr int kIconSize = 16;
constexpr int kStemHeight = 10;
constexpr int kStemWidth = 14;
constexpr double kBalloonRadius = 8.0;

int padding(const ButtonTooltipContent& c) {
    return c.balloon ? 8 : 4;
}
int bodyTop(const ButtonTooltipContent& c) {
    return c.balloon ? kStemHeight : 0;
}

std::string validText(const std::string& s) {
    gchar* v = g_utf8_make_valid(s.data(), static_cast<gssize>(s.size()));
    std::string out(v);
    g_free(v);
    return out;
}

void setSource(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

PangoLayout* makeLayout(cairo_t* cr, const std::string& text, bool bold) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font =
        pango_font_description_from_string(bold ? "Sans Bold 9" : "Sans 9");
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    pango_layout_set_width(layout, kMaxTextWidth * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    return layout;
}

struct Parts {
    int titleW = 0;
    int titleH = 0;
    int textW = 0;
    int textH = 0;
    bool hasTitleRow = false;
};

Parts measureParts(cairo_t* cr, const ButtonTooltipContent& c) {
    Parts p;
    p.hasTitleRow = !c.title.empty() || (c.icon >= 1 && c.icon <= 3);
    if (p.hasTitleRow) {
        int tw = 0;
        int th = 0;
        if (!c.title.empty()) {
            PangoLayout* l = makeLayout(cr, c.title, true);
            pango_layout_get_pixel_size(l, &tw, &th);
            g_object_unref(l);
        }
        bool icon = c.icon >= 1 && c.icon <= 3;
        p.titleW = tw + (icon ? kIconSize + (tw > 0 ? 6 : 0) : 0);
        p.titleH = std::max(th, icon ? kIconSize : 0);
    }
    if (!c.text.empty()) {
        PangoLayout* l = makeLayout(cr, c.text, false);
        pango_layout_get_pixel_size(l, &p.textW, &p.textH);
        g_object_unref(l);
    }
    return p;
}

void balloonPath(cairo_t* cr, const ButtonTooltipContent& c, int w, int h) {
    const double x0 = 0.5;
    const double y0 = bodyTop(c) + 0.5;
    const double x1 = w - 0.5;
    const double y1 = h - 0.5;
    const double r = kBalloonRadius;
    const double pi = std::numbers::pi;
    const double stem =
        std::clamp<double>(c.stemX, r + 1, std::max(r + 1, x1 - r - kStemWidth - 1));
    cairo_new_path(cr);
    cairo_move_to(cr, x0 + r, y0);
    cairo_line_to(cr, stem, y0);
    cairo_line_to(cr, stem, 0.5);  // the stem points up at the pointer
    cairo_line_to(cr, stem + kStemWidth, y0);
    cairo_arc(cr, x1 - r, y0 + r, r, -pi / 2, 0);
    cairo_arc(cr, x1 - r, y1 - r, r, 0, pi / 2);
    cairo_arc(cr, x0 + r, y1 - r, r, pi / 2, pi);
    cairo_arc(cr, x0 + r, y0 + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void paintTitleIcon(cairo_t* cr, int kind, double x, double y) {
    const double s = kIconSize;
    const double pi = std::numbers::pi;
    cairo_save(cr);
    cairo_set_line_width(cr, 2.0);
    switch (kind) {
        case 1:  // information: a blue disc with an "i"
            cairo_set_source_rgb(cr, 0.15, 0.4, 0.85);
            cairo_arc(cr, x + s / 2, y + s / 2, s / 2, 0, 2 * pi);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_rectangle(cr, x + s / 2 - 1, y + 3, 2, 2);
            cairo_rectangle(cr, x + s / 2 - 1, y + 6.5, 2, 6.5);
            cairo_fill(cr);
            break;
        case 2:  // warning: a yellow triangle with a "!"
            cairo_set_source_rgb(cr, 0.95, 0.75, 0.1);
            cairo_move_to(cr, x + s / 2, y);
            cairo_line_to(cr, x + s, y + s);
            cairo_line_to(cr, x, y + s);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_rectangle(cr, x + s / 2 - 1, y + 5, 2, 6);
            cairo_rectangle(cr, x + s / 2 - 1, y + 12.5, 2, 2);
            cairo_fill(cr);
            break;
        case 3:  // error: a red disc with a cross
            cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
            cairo_arc(cr, x + s / 2, y + s / 2, s / 2, 0, 2 * pi);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_move_to(cr, x + 5, y + 5);
            cairo_line_to(cr, x + s - 5, y + s - 5);
            cairo_move_to(cr, x + s - 5, y + 5);
            cairo_line_to(cr, x + 5, y + s - 5);
            cairo_stroke(cr);
            break;
        default:
            break;
    }
    cairo_restore(cr);
}

}  // namespace

ButtonTooltipContent tooltipContent(const ButtonModel& model, const std::string& takenOverText) {
    ButtonTooltipContent c;
    c.text = validText(model.toolTipText().empty() ? takenOverText : model.toolTipText());
    c.title = validText(model.toolTipTitle());
    c.icon = (model.toolTipIcon() >= 1 && model.toolTipIcon() <= 3) ? model.toolTipIcon() : 0;
    c.balloon = model.toolTipIsBalloon();
    if (model.toolTipBackColor() != 0) c.back = model.resolve(model.toolTipBackColor());
    if (model.toolTipForeColor() != 0) c.fore = model.resolve(model.toolTipForeColor());
    return c;
}

TooltipSize measureTooltip(const ButtonTooltipContent& content) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(s);
    Parts p = measureParts(cr, content);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    const int pad = padding(content);
    int w = std::max(p.titleW, p.textW) + 2 * pad;
    int h = p.titleH + p.textH + (p.hasTitleRow && p.textH > 0 ? 4 : 0) + 2 * pad;
    if (content.balloon) {
        w = std::max(w, static_cast<int>(2 * kBalloonRadius) + kStemWidth + 24);
        h += kStemHeight;
    }
    return TooltipSize{w, h};
}

void paintTooltip(cairo_t* cr, const ButtonTooltipContent& content, int w, int h) {
    if (cr == nullptr || w <= 0 || h <= 0) return;
    cairo_save(cr);
    cairo_set_line_width(cr, 1.0);
    if (content.balloon) {
        balloonPath(cr, content, w, h);
        setSource(cr, content.back);
        cairo_fill_preserve(cr);
        setSource(cr, content.fore);
        cairo_stroke(cr);
    } else {
        setSource(cr, content.back);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_fill(cr);
        setSource(cr, content.fore);
        cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
        cairo_stroke(cr);
    }

    Parts p = measureParts(cr, content);
    const int pad = padding(content);
    double y = bodyTop(content) + pad;
    if (p.hasTitleRow) {
        double x = pad;
        if (content.icon >= 1 && content.icon <= 3) {
            paintTitleIcon(cr, content.icon, x, y + (p.titleH - kIconSize) / 2.0);
            x += kIconSize + 6;
        }
        if (!content.title.empty()) {
            PangoLayout* l = makeLayout(cr, content.title, true);
            int tw = 0;
            int th = 0;
            pango_layout_get_pixel_size(l, &tw, &th);
            setSource(cr, content.fore);
            cairo_move_to(cr, x, y + (p.titleH - th) / 2.0);
            pango_cairo_show_layout(cr, l);
            g_object_unref(l);
        }
        y += p.titleH + (p.textH > 0 ? 4 : 0);
    }
    if (!content.text.empty()) {
        PangoLayout* l = makeLayout(cr, content.text, false);
        setSource(cr, content.fore);
        cairo_move_to(cr, pad, y);
        pango_cairo_show_layout(cr, l);
        g_object_unref(l);
    }
    cairo_restore(cr);
}

// ---- The popup window ---------------------------------------------------------------------------

ButtonTooltipWindow::ButtonTooltipWindow(ButtonTooltipContent content)
    : Gtk::Window(Gtk::WINDOW_POPUP), content_(std::move(content)) {
    set_name("StyledButtonTooltip");
    set_type_hint(Gdk::WINDOW_TYPE_HINT_TOOLTIP);
    set_app_paintable(true);
    set_decorated(false);
    set_resizable(false);
    size_ = measureTooltip(content_);
    auto screen = get_screen();
    if (screen && screen->is_composited()) {
        if (auto visual = screen->get_rgba_visual())
            gtk_widget_set_visual(GTK_WIDGET(gobj()), visual->gobj());
    }
    set_size_request(size_.w, size_.h);
    resize(size_.w, size_.h);
}

void ButtonTooltipWindow::showAt(int rootX, int rootY) {
    int x = content_.balloon ? rootX - content_.stemX : rootX;
    int y = content_.balloon ? rootY + 4 : rootY + 20;
    auto display = get_display();
    if (display) {
        if (auto monitor = display->get_monitor_at_point(rootX, rootY)) {
            Gdk::Rectangle area;
            monitor->get_workarea(area);
            x = std::clamp(x, area.get_x(),
                           std::max(area.get_x(), area.get_x() + area.get_width() - size_.w));
            y = std::clamp(y, area.get_y(),
                           std::max(area.get_y(), area.get_y() + area.get_height() - size_.h));
        }
    }
    move(x, y);
    show();
    // Without a compositor the balloon's outside cannot be transparent: shape the window.
    auto screen = get_screen();
    if (content_.balloon && get_window() && !(screen && screen->is_composited())) {
        cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size_.w, size_.h);
        cairo_t* cr = cairo_create(img);
        paintTooltip(cr, content_, size_.w, size_.h);
        cairo_destroy(cr);
        cairo_region_t* region = gdk_cairo_region_create_from_surface(img);
        gdk_window_shape_combine_region(get_window()->gobj(), region, 0, 0);
        cairo_region_destroy(region);
        cairo_surface_destroy(img);
    }
}

bool ButtonTooltipWindow::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    cairo_t* c = cr->cobj();
    cairo_save(c);
    cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(c, 0, 0, 0, 0);
    cairo_paint(c);
    cairo_restore(c);
    paintTooltip(c, content_, get_allocated_width(), get_allocated_height());
    return true;
}

}  // namespace larkspan
