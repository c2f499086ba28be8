// Control gallery: draws every look of the styled button and of the progress bar, in every
// state, side by side into one PNG, so that a change to either painter can be checked by eye.
//
//     gallery [output.png]        (default gallery.png)
//
// With a display the theme look of the button (6) is drawn by the desktop theme; without
// one it shows the look that replaces it.

#include <cairo.h>
#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gtk/gtk.h>
#include <gtkmm/main.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/ButtonModel.hpp"
#include "controls/ButtonPainter.hpp"
#include "controls/ProgressBarModel.hpp"
#include "controls/ProgressBarPainter.hpp"

using namespace larkspan;

namespace {

constexpr int kMargin = 16;
constexpr int kLabelW = 170;
constexpr int kGap = 12;
constexpr int kButtonW = 112;
constexpr int kButtonH = 34;
constexpr int kBarW = 150;
constexpr int kBarH = 22;
constexpr int kRowGap = 10;
constexpr int kTitleH = 34;
constexpr int kHeaderH = 22;
constexpr int kVerticalH = 64;

const char* kButtonLookNames[] = {"Classic 3-D", "Boxed",   "Flat w/o Border", "Flat w/ Border",
                                  "Shaded",      "Rounded", "Windows Theme",   "Glossy",
                                  "Bevel",       "Tube",    "Round-cornered"};
const char* kBarLookNames[] = {"Segmented", "Glossy", "Searching", "Pale",    "Etched",
                               "Tube",      "Dark",   "Hatched",   "Picture", "Silver"};

void text(cairo_t* cr, double x, double y, const std::string& s, bool bold = false,
          double size = 9) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string(bold ? "Sans Bold" : "Sans");
    pango_font_description_set_size(font, static_cast<int>(size * PANGO_SCALE));
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, s.c_str(), -1);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

// A checkerboard behind each control shows the pixels a look leaves transparent.
void checker(cairo_t* cr, int x, int y, int w, int h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int yy = 0; yy < h; yy += 4) {
        for (int xx = 0; xx < w; xx += 4) {
            bool dark = ((xx / 4) + (yy / 4)) % 2 == 0;
            cairo_set_source_rgb(cr, dark ? 0.55 : 0.85, dark ? 0.35 : 0.6, dark ? 0.55 : 0.85);
            cairo_rectangle(cr, x + xx, y + yy, 4, 4);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void drawButton(cairo_t* cr, const ButtonModel& model, ButtonVisualState state, int x, int y,
                bool& themeFellBack) {
    checker(cr, x, y, kButtonW, kButtonH);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    ButtonPaintResult r = paintButton(cr, model, state, kButtonW, kButtonH);
    if (r.themeUnavailable) themeFellBack = true;
    cairo_restore(cr);
}

void setupButton(ButtonModel& m, int style, bool custom, const Glib::RefPtr<Gdk::Pixbuf>& icon) {
    m.setStyle(style);
    m.setCaption(custom ? "&Apply" : "E&xample");
    m.setUseCustomColors(custom);
    if (custom) {
        // The scheme the options dialog restores: black text, blue-grey highlight text,
        // beige face and a light grey highlight face.
        m.setFontColor(0);
        m.setFontHighlightColor(9654050);
        m.setBackColor(14215660);
        m.setHighlightColor(14737632);
    }
    m.setIcon(icon);
}

Glib::RefPtr<Gdk::Pixbuf> makeIcon() {
    auto pb = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, 16, 16);
    const int stride = pb->get_rowstride();
    guint8* px = pb->get_pixels();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            guint8* p = px + y * stride + x * 4;
            double dx = x - 7.5;
            double dy = y - 7.5;
            bool in = dx * dx + dy * dy <= 56;
            p[0] = static_cast<guint8>(40 + x * 12);
            p[1] = static_cast<guint8>(160 - y * 6);
            p[2] = 60;
            p[3] = in ? 255 : 0;
        }
    }
    return pb;
}

// A small tile for the progress bar's picture look: blue and white diagonal stripes.
Cairo::RefPtr<Cairo::Surface> makeTile() {
    auto tile = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, 8, 8);
    auto cr = Cairo::Context::create(tile);
    cr->set_source_rgb(1, 1, 1);
    cr->paint();
    cr->set_source_rgb(0.2, 0.45, 0.85);
    cr->set_line_width(2.5);
    for (int k = -8; k <= 8; k += 8) {
        cr->move_to(k, 8);
        cr->line_to(k + 8, 0);
    }
    cr->stroke();
    return tile;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out = argc > 1 ? argv[1] : "gallery.png";
    bool haveDisplay = gtk_init_check(nullptr, nullptr) != FALSE;
    Gtk::Main::init_gtkmm_internals();  // C++ wrappers for the icon pictures

    const ButtonVisualState states[] = {ButtonVisualState::Normal, ButtonVisualState::Hot,
                                        ButtonVisualState::Pressed, ButtonVisualState::Disabled};
    const char* stateNames[] = {"Normal", "Hot", "Pressed", "Disabled"};
    const int percents[] = {0, 35, 70, 100};

    const int buttonCols = 8;  // four states with system colours, four with custom colours
    const int buttonBlockW = kLabelW + buttonCols * (kButtonW + kGap);
    const int barBlockW = kLabelW + 4 * (kBarW + kGap);
    const int width = 2 * kMargin + std::max(buttonBlockW, barBlockW);
    const int buttonRows = 11 + 2;  // the looks, then focus and icon variations
    const int buttonBlockH = kTitleH + kHeaderH + buttonRows * (kButtonH + kRowGap);
    const int barBlockH = kTitleH + kHeaderH + 10 * (kBarH + kRowGap) + kVerticalH;
    const int height = 2 * kMargin + buttonBlockH + 20 + barBlockH;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.96, 0.96, 0.95);
    cairo_paint(cr);

    auto icon = makeIcon();
    auto tile = makeTile();
    bool themeFellBack = false;

    // ---- Buttons
    int y = kMargin;
    text(cr, kMargin, y, "StyledButton: looks 0 to 10", true, 12);
    y += kTitleH;
    for (int c = 0; c < buttonCols; ++c) {
        std::string head = std::string(stateNames[c % 4]) + (c < 4 ? "" : " (custom)");
        text(cr, kMargin + kLabelW + c * (kButtonW + kGap), y, head, true);
    }
    y += kHeaderH;
    for (int style = 0; style <= 10; ++style) {
        text(cr, kMargin, y + 8, std::to_string(style) + "  " + kButtonLookNames[style]);
        for (int c = 0; c < buttonCols; ++c) {
            ButtonModel m("Example");
            setupButton(m, style, c >= 4, {});
            drawButton(cr, m, states[c % 4], kMargin + kLabelW + c * (kButtonW + kGap), y,
                       themeFellBack);
        }
        y += kButtonH + kRowGap;
    }
    // Focus mark, toggle pressed, icon placement and a wrapped caption.
    text(cr, kMargin, y + 8, "focus, toggle, icons");
    for (int c = 0; c < buttonCols; ++c) {
        ButtonModel m("Example");
        const int styles[] = {0, 3, 5, 8, 1, 10, 9, 7};
        setupButton(m, styles[c], c >= 4, c % 2 == 0 ? icon : Glib::RefPtr<Gdk::Pixbuf>());
        m.setShowFocus(true);
        m.focusIn();
        m.setIconAlign(c % 4 == 2 ? 2 : 1);
        ButtonVisualState s = ButtonVisualState::Normal;
        if (c == 3) {
            m.setButtonType(1);
            m.setValue(true);
            s = m.drawState();
        }
        drawButton(cr, m, s, kMargin + kLabelW + c * (kButtonW + kGap), y, themeFellBack);
    }
    y += kButtonH + kRowGap;
    text(cr, kMargin, y + 8, "icon top, wrapping");
    for (int c = 0; c < buttonCols; ++c) {
        ButtonModel m("Example");
        setupButton(m, c, c >= 4, c < 4 ? icon : Glib::RefPtr<Gdk::Pixbuf>());
        m.setIconAlign(c < 2 ? 0 : 3);
        m.setIconSize(12);
        if (c >= 4) m.setCaption("Wrapped && centred caption");
        drawButton(cr, m, states[c % 4], kMargin + kLabelW + c * (kButtonW + kGap), y,
                   themeFellBack);
    }
    y += kButtonH + kRowGap;
    if (themeFellBack) {
        text(cr, kMargin, y, "(look 6: no display, drawn as its non-theme look)");
    } else if (haveDisplay) {
        text(cr, kMargin, y, "(look 6 drawn by the desktop theme)");
    }
    y += 20;

    // ---- Progress bars
    y += 10;
    text(cr, kMargin, y, "StyledProgressBar: looks 0 to 9", true, 12);
    y += kTitleH;
    for (int c = 0; c < 4; ++c) {
        text(cr, kMargin + kLabelW + c * (kBarW + kGap), y, std::to_string(percents[c]) + " %",
             true);
    }
    y += kHeaderH;
    for (int look = 0; look <= 9; ++look) {
        text(cr, kMargin, y + 3, std::to_string(look) + "  " + kBarLookNames[look]);
        for (int c = 0; c < 4; ++c) {
            ProgressBarModel bar;
            bar.setScrolling(look);
            bar.setShowText(true);
            if (look == ProgressBarModel::kPicture) bar.setImage(tile);
            bar.setValue(percents[c]);
            int x = kMargin + kLabelW + c * (kBarW + kGap);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            paintProgressBar(cr, bar, kBarW, kBarH);
            cairo_restore(cr);
        }
        y += kBarH + kRowGap;
    }
    // Looks 0 to 2 also stand upright.
    text(cr, kMargin, y + 20, "0-2 vertical: 40 %, 100 %");
    for (int look = 0; look <= 2; ++look) {
        for (int v = 0; v < 2; ++v) {
            ProgressBarModel bar;
            bar.setScrolling(look);
            bar.setOrientation(1);
            bar.setValue(v == 0 ? 40 : 100);
            int x = kMargin + kLabelW + (look * 2 + v) * (kBarH + kGap) + look * kGap;
            cairo_save(cr);
            cairo_translate(cr, x, y);
            paintProgressBar(cr, bar, kBarH, kVerticalH);
            cairo_restore(cr);
        }
    }

    cairo_destroy(cr);
    cairo_status_t st = cairo_surface_write_to_png(surface, out.c_str());
    cairo_surface_destroy(surface);
    if (st != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "gallery: cannot write %s: %s\n", out.c_str(),
                     cairo_status_to_string(st));
        return 1;
    }
    std::printf("%s\n", out.c_str());
    return 0;
}
