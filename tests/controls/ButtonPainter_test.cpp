// The styled button's drawing, read back pixel by pixel from image surfaces. No display is
// opened: every look but the theme look draws without one, and the theme look falls back.
#include <gdk/gdk.h>
#include <gtest/gtest.h>
#include <gtkmm/main.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "controls/ButtonModel.hpp"
#include "controls/ButtonPainter.hpp"
#include "controls/ButtonTooltip.hpp"

using namespace larkspan;

namespace {

struct Px {
    int a = 0;
    Rgb c;
};

int luma(Rgb c) {
    return c.r * 299 + c.g * 587 + c.b * 114;
}

// An ARGB32 image the painters draw into, cleared to transparent.
class Image {
  public:
    Image(int w, int h)
        : w_(w),
          h_(h),
          surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)),
          cr_(cairo_create(surface_)) {}
    ~Image() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    cairo_t* cr() { return cr_; }
    int w() const { return w_; }
    int h() const { return h_; }

    Px at(int x, int y) {
        cairo_surface_flush(surface_);
        const unsigned char* data = cairo_image_surface_get_data(surface_);
        const int stride = cairo_image_surface_get_stride(surface_);
        std::uint32_t v;
        std::memcpy(&v, data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, 4);
        Px p;
        p.a = static_cast<int>(v >> 24);
        auto un = [&](std::uint32_t ch) {
            return static_cast<std::uint8_t>(p.a == 0 ? 0 : (ch * 255 + p.a / 2) / p.a);
        };
        p.c = Rgb{un((v >> 16) & 0xFF), un((v >> 8) & 0xFF), un(v & 0xFF)};
        return p;
    }
    int countColor(Rgb c) {
        int n = 0;
        for (int y = 0; y < h_; ++y) {
            for (int x = 0; x < w_; ++x) {
                Px p = at(x, y);
                if (p.a == 255 && p.c == c) ++n;
            }
        }
        return n;
    }
    // Pixels clearly darker than the button face: caption ink, whatever its anti-aliasing.
    int countInk(int x0, int y0, int x1, int y1) {
        const int face = luma(resolveColor(kSysButtonFace));
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (luma(at(x, y).c) < face * 3 / 4) ++n;
            }
        }
        return n;
    }
    std::vector<unsigned char> bytes() {
        cairo_surface_flush(surface_);
        const unsigned char* d = cairo_image_surface_get_data(surface_);
        return {d, d + static_cast<std::ptrdiff_t>(cairo_image_surface_get_stride(surface_)) * h_};
    }

  private:
    int w_;
    int h_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

std::vector<unsigned char> render(const ButtonModel& m, ButtonVisualState s, int w = 90,
                                  int h = 30) {
    Image img(w, h);
    paintButton(img.cr(), m, s, w, h);
    return img.bytes();
}

Glib::RefPtr<Gdk::Pixbuf> solidIcon(Rgb c, int size = 16) {
    Gtk::Main::init_gtkmm_internals();  // C++ wrappers only; no display
    auto pb = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, size, size);
    pb->fill((static_cast<guint32>(c.r) << 24) | (static_cast<guint32>(c.g) << 16) |
             (static_cast<guint32>(c.b) << 8) | 0xFF);
    return pb;
}

const ButtonVisualState kStates[] = {ButtonVisualState::Normal, ButtonVisualState::Hot,
                                     ButtonVisualState::Pressed, ButtonVisualState::Disabled};

}  // namespace

// ---- Every look ---------------------------------------------------------------------------------

TEST(ButtonPainterLooks, EveryLookDrawsEveryStateWithoutADisplay) {
    ASSERT_EQ(gdk_screen_get_default(), nullptr);  // the unit tests never open one
    for (int style = 0; style <= 10; ++style) {
        for (auto s : kStates) {
            ButtonModel m("Example");
            m.setStyle(style);
            Image img(80, 26);
            ButtonPaintResult r = paintButton(img.cr(), m, s, 80, 26);
            EXPECT_TRUE(r.drawn) << style;
            EXPECT_EQ(img.at(40, 2).a, 255) << "style " << style;
            if (style == 6) {
                EXPECT_TRUE(r.themeUnavailable);
                EXPECT_EQ(r.styleDrawn, 5);
            } else {
                EXPECT_FALSE(r.themeUnavailable);
                EXPECT_EQ(r.styleDrawn, style);
            }
        }
    }
}

TEST(ButtonPainterLooks, StatesLookDifferentWhereTheLookSaysSo) {
    for (int style : {0, 1, 3, 4, 5, 7, 8, 9, 10}) {
        ButtonModel m("Example");
        m.setStyle(style);
        EXPECT_NE(render(m, ButtonVisualState::Normal), render(m, ButtonVisualState::Pressed))
            << style;
    }
    ButtonModel flat("Example");
    flat.setStyle(2);  // flat: an edge only while hot or pressed
    EXPECT_NE(render(flat, ButtonVisualState::Normal), render(flat, ButtonVisualState::Hot));
    EXPECT_NE(render(flat, ButtonVisualState::Hot), render(flat, ButtonVisualState::Pressed));
}

TEST(ButtonPainterLooks, ClassicLookIsRaisedAndSunkenWhilePressed) {
    ButtonModel m("");
    m.setStyle(0);
    Image up(40, 20);
    paintButton(up.cr(), m, ButtonVisualState::Normal, 40, 20);
    Image down(40, 20);
    paintButton(down.cr(), m, ButtonVisualState::Pressed, 40, 20);
    // Raised: light top-left, dark bottom-right; sunken: the other way round.
    EXPECT_GT(luma(up.at(5, 0).c), luma(up.at(5, 19).c));
    EXPECT_GT(luma(up.at(0, 5).c), luma(up.at(39, 5).c));
    EXPECT_LT(luma(down.at(5, 0).c), luma(down.at(5, 19).c));
    EXPECT_LT(luma(down.at(0, 5).c), luma(down.at(39, 5).c));
}

// ---- Outlines and transparent corners ---------------------------------------------------------

TEST(ButtonPainterShapes, RoundedLooksLeaveTheCornersTransparent) {
    for (int style : {5, 7, 8, 9, 10}) {
        ButtonModel m("Example");
        m.setStyle(style);
        Image img(60, 24);
        paintButton(img.cr(), m, ButtonVisualState::Normal, 60, 24);
        EXPECT_EQ(img.at(0, 0).a, 0) << style;
        EXPECT_EQ(img.at(59, 0).a, 0) << style;
        EXPECT_EQ(img.at(0, 23).a, 0) << style;
        EXPECT_EQ(img.at(59, 23).a, 0) << style;
        EXPECT_EQ(img.at(30, 0).a, 255) << style;
        EXPECT_EQ(img.at(0, 12).a, 255) << style;
        EXPECT_EQ(img.at(30, 12).a, 255) << style;
    }
    for (int style : {0, 1, 2, 3, 4}) {
        ButtonModel m("Example");
        m.setStyle(style);
        Image img(60, 24);
        paintButton(img.cr(), m, ButtonVisualState::Normal, 60, 24);
        EXPECT_EQ(img.at(0, 0).a, 255) << style;
        EXPECT_EQ(img.at(59, 23).a, 255) << style;
    }
}

TEST(ButtonPainterShapes, OctagonsFollowTheirCorners) {
    // Look 5: one pixel off each corner.
    auto s5 = buttonShapeSpans(5, 20, 10);
    ASSERT_EQ(s5.size(), 10u);
    EXPECT_EQ(s5[0].x0, 1);
    EXPECT_EQ(s5[0].x1, 19);
    EXPECT_EQ(s5[1].x0, 0);
    EXPECT_EQ(s5[1].x1, 20);
    EXPECT_EQ(s5[8].x1, 20);
    EXPECT_EQ(s5[9].x0, 1);
    EXPECT_EQ(s5[9].x1, 19);

    // Look 8: (0,2) (2,0) (W-3,0) (W,3) (W,H-3) (W-3,H) (4,H) (0,H-4).
    auto s8 = buttonShapeSpans(8, 20, 12);
    ASSERT_EQ(s8.size(), 12u);
    const int expected[12][2] = {{2, 17}, {1, 18}, {0, 19}, {0, 20}, {0, 20}, {0, 20},
                                 {0, 20}, {0, 20}, {0, 20}, {1, 20}, {2, 19}, {3, 18}};
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(s8[y].y, y);
        EXPECT_EQ(s8[y].x0, expected[y][0]) << "row " << y;
        EXPECT_EQ(s8[y].x1, expected[y][1]) << "row " << y;
    }

    // The painted pixels are exactly the outline's.
    ButtonModel m("");
    m.setStyle(8);
    Image img(20, 12);
    paintButton(img.cr(), m, ButtonVisualState::Hot, 20, 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 20; ++x) {
            bool inside = x >= expected[y][0] && x < expected[y][1];
            EXPECT_EQ(img.at(x, y).a, inside ? 255 : 0) << x << "," << y;
        }
    }
}

TEST(ButtonPainterShapes, RoundedRectangleUsesEighteenPixelCorners) {
    auto spans = buttonShapeSpans(10, 60, 30);
    ASSERT_EQ(spans.size(), 30u);
    EXPECT_GE(spans[0].x0, 5);  // a 9-pixel radius cuts deep into the first row
    EXPECT_EQ(spans[0].x1, 60 - spans[0].x0);
    EXPECT_EQ(spans[15].x0, 0);
    EXPECT_EQ(spans[29].x0, spans[0].x0);
    // Tiny buttons keep a shape and do not crash.
    EXPECT_FALSE(buttonShapeSpans(10, 4, 3).empty());
    EXPECT_TRUE(buttonShapeSpans(10, 0, 3).empty());
}

// ---- Colours
// --------------------------------------------------------------------------------------

TEST(ButtonPainterColours, FaceColourPerStateWithAndWithoutCustomColours) {
    ButtonModel m("");  // no caption over the face
    m.setStyle(2);
    const Rgb back{200, 10, 10};
    const Rgb hi{10, 200, 10};
    m.setBackColor(packRgb(back.r, back.g, back.b));
    m.setHighlightColor(packRgb(hi.r, hi.g, hi.b));
    for (auto s : kStates) {
        Image img(40, 20);
        paintButton(img.cr(), m, s, 40, 20);
        EXPECT_EQ(img.at(20, 10).c, resolveColor(kSysButtonFace));
    }
    m.setUseCustomColors(true);
    const Rgb expected[] = {back, hi, hi, back};
    for (int i = 0; i < 4; ++i) {
        Image img(40, 20);
        paintButton(img.cr(), m, kStates[i], 40, 20);
        EXPECT_EQ(img.at(20, 10).c, expected[i]) << i;
    }
}

TEST(ButtonPainterColours, DisabledCaptionIsDrawnInTheGreyTextColour) {
    ButtonModel m("MMMM");
    m.setStyle(2);
    m.setFont("Sans Bold 22");
    const Rgb grey = resolveColor(kSysGrayText);
    const Rgb text = resolveColor(kSysButtonText);
    Image normal(200, 50);
    paintButton(normal.cr(), m, ButtonVisualState::Normal, 200, 50);
    EXPECT_GT(normal.countColor(text), 20);
    EXPECT_EQ(normal.countColor(grey), 0);

    m.setEnabled(false);
    Image disabled(200, 50);
    paintButton(disabled.cr(), m, m.drawState(), 200, 50);
    EXPECT_GT(disabled.countColor(grey), 20);
    EXPECT_EQ(disabled.countColor(text), 0);

    // Custom colours do not change the disabled caption.
    m.setUseCustomColors(true);
    m.setFontColor(packRgb(0, 0, 255));
    Image custom(200, 50);
    paintButton(custom.cr(), m, m.drawState(), 200, 50);
    EXPECT_GT(custom.countColor(grey), 20);
    EXPECT_EQ(custom.countColor(Rgb{0, 0, 255}), 0);
}

TEST(ButtonPainterColours, CustomCaptionColoursPerState) {
    ButtonModel m("MMMM");
    m.setStyle(2);
    m.setFont("Sans Bold 22");
    m.setUseCustomColors(true);
    m.setFontColor(packRgb(0, 0, 255));
    m.setFontHighlightColor(packRgb(255, 0, 0));
    Image normal(200, 50);
    paintButton(normal.cr(), m, ButtonVisualState::Normal, 200, 50);
    EXPECT_GT(normal.countColor(Rgb{0, 0, 255}), 20);
    EXPECT_EQ(normal.countColor(Rgb{255, 0, 0}), 0);
    for (auto s : {ButtonVisualState::Hot, ButtonVisualState::Pressed}) {
        Image img(200, 50);
        paintButton(img.cr(), m, s, 200, 50);
        EXPECT_GT(img.countColor(Rgb{255, 0, 0}), 20);
        EXPECT_EQ(img.countColor(Rgb{0, 0, 255}), 0);
    }
}

// ---- The live button's redraw
// --------------------------------------------------------------------

TEST(ButtonPainterRefresh, ToggleWithValueTrueIsDrawnPressed) {
    ButtonModel m("Toggle");
    m.setStyle(0);
    m.setButtonType(1);
    m.setValue(true);
    m.mouseMove(true);  // hot, but Value True wins
    Image img(90, 30);
    refreshButton(img.cr(), m, 90, 30);
    EXPECT_EQ(img.bytes(), render(m, ButtonVisualState::Pressed));
    EXPECT_NE(img.bytes(), render(m, ButtonVisualState::Hot));
}

TEST(ButtonPainterRefresh, ThemeLookWithoutADisplayTakesNonThemeStyleForGood) {
    ButtonModel m("Theme");
    m.setStyle(6);
    Image first(60, 24);
    ButtonPaintResult r = refreshButton(first.cr(), m, 60, 24);
    EXPECT_TRUE(r.themeUnavailable);
    EXPECT_EQ(r.styleDrawn, 5);
    EXPECT_EQ(m.style(), 5);
    EXPECT_TRUE(m.themeFellBack());
    EXPECT_EQ(first.at(0, 0).a, 0);  // drawn as the rounded look already

    Image second(60, 24);
    r = refreshButton(second.cr(), m, 60, 24);
    EXPECT_FALSE(r.themeUnavailable);
    EXPECT_EQ(r.styleDrawn, 5);
    EXPECT_EQ(m.style(), 5);
    EXPECT_EQ(first.bytes(), second.bytes());

    ButtonModel boxed("Theme");
    boxed.setStyle(6);
    boxed.setNonThemeStyle(1);
    Image third(60, 24);
    refreshButton(third.cr(), boxed, 60, 24);
    EXPECT_EQ(boxed.style(), 1);
    EXPECT_EQ(third.at(0, 0).a, 255);
}

// ---- Icon
// ----------------------------------------------------------------------------------------

TEST(ButtonPainterIcon, IconIsPlacedByIconAlignAndMovesWhilePressed) {
    const Rgb red{255, 0, 0};
    ButtonModel m("");
    m.setStyle(2);
    m.setIcon(solidIcon(red));
    // Left: at the edge margin, centred vertically.
    Image left(100, 30);
    paintButton(left.cr(), m, ButtonVisualState::Normal, 100, 30);
    EXPECT_EQ(left.at(3, 7).c, red);
    EXPECT_EQ(left.at(18, 22).c, red);
    EXPECT_NE(left.at(2, 7).c, red);
    EXPECT_NE(left.at(19, 7).c, red);
    Image pressed(100, 30);
    paintButton(pressed.cr(), m, ButtonVisualState::Pressed, 100, 30);
    EXPECT_NE(pressed.at(3, 7).c, red);
    EXPECT_EQ(pressed.at(4, 8).c, red);
    EXPECT_EQ(pressed.at(19, 23).c, red);

    m.setIconAlign(2);
    Image right(100, 30);
    paintButton(right.cr(), m, ButtonVisualState::Normal, 100, 30);
    EXPECT_EQ(right.at(96, 7).c, red);
    EXPECT_NE(right.at(97, 7).c, red);
    EXPECT_NE(right.at(80, 7).c, red);

    m.setIconAlign(3);
    m.setIconSize(10);
    Image top(100, 30);
    paintButton(top.cr(), m, ButtonVisualState::Normal, 100, 30);
    EXPECT_EQ(top.at(45, 3).c, red);
    EXPECT_NE(top.at(45, 2).c, red);
    EXPECT_NE(top.at(45, 13).c, red);

    m.setIconAlign(0);
    auto r = buttonIconRect(m, 2, ButtonVisualState::Normal, 100, 30);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->x, 45);
    EXPECT_EQ(r->y, 10);
    m.setIconSize(0);
    EXPECT_FALSE(buttonIconRect(m, 2, ButtonVisualState::Normal, 100, 30).has_value());
}

TEST(ButtonPainterIcon, MaskColourBecomesTransparentOnlyWhenAsked) {
    const Rgb magenta{255, 0, 255};
    ButtonModel m("");
    m.setStyle(2);
    m.setIcon(solidIcon(magenta));
    m.setMaskColor(packRgb(255, 0, 255));
    Image plain(60, 30);
    paintButton(plain.cr(), m, ButtonVisualState::Normal, 60, 30);
    EXPECT_EQ(plain.at(8, 12).c, magenta);
    m.setUseMaskColor(true);
    Image masked(60, 30);
    paintButton(masked.cr(), m, ButtonVisualState::Normal, 60, 30);
    EXPECT_EQ(masked.at(8, 12).c, resolveColor(kSysButtonFace));
}

TEST(ButtonPainterIcon, DisabledButtonDrawsItsIconGrey) {
    ButtonModel m("");
    m.setStyle(2);
    m.setIcon(solidIcon(Rgb{200, 40, 40}));
    Image img(60, 30);
    paintButton(img.cr(), m, ButtonVisualState::Disabled, 60, 30);
    Rgb c = img.at(8, 12).c;
    EXPECT_EQ(c.r, c.g);
    EXPECT_EQ(c.g, c.b);
    EXPECT_NEAR(c.r, 0.299 * 200 + 0.587 * 40 + 0.114 * 40, 1.0);
}

TEST(ButtonPainterIcon, PaintIconGrayscaleNeedsATargetAndAnIcon) {
    auto icon = solidIcon(Rgb{0, 255, 0}, 8);
    Image img(20, 20);
    EXPECT_FALSE(paintIconGrayscale(nullptr, icon, 0, 0, 8, 8));
    EXPECT_FALSE(paintIconGrayscale(img.cr(), {}, 0, 0, 8, 8));
    EXPECT_FALSE(paintIconGrayscale(img.cr(), icon, 0, 0, 0, 8));
    ASSERT_TRUE(paintIconGrayscale(img.cr(), icon, 2, 3, 10, 12));  // height 10, width 12
    Px p = img.at(2, 3);
    EXPECT_EQ(p.a, 255);
    EXPECT_EQ(p.c.r, p.c.g);
    EXPECT_EQ(p.c.g, p.c.b);
    EXPECT_NEAR(p.c.r, 0.587 * 255, 1.0);
    EXPECT_EQ(img.at(13, 12).a, 255);  // 12 wide, 10 high
    EXPECT_EQ(img.at(14, 12).a, 0);
    EXPECT_EQ(img.at(13, 13).a, 0);

    // Transparent pixels of the icon stay transparent.
    auto clear = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, 4, 4);
    clear->fill(0xFF000000);  // red, alpha 0
    Image img2(10, 10);
    ASSERT_TRUE(paintIconGrayscale(img2.cr(), clear, 0, 0, 4, 4));
    EXPECT_EQ(img2.at(1, 1).a, 0);
}

// ---- Caption
// --------------------------------------------------------------------------------------

TEST(ButtonPainterCaption, AccessKeyIsUnderlinedAndDoubledAmpersandIsPlain) {
    ButtonModel a("&W");
    ButtonModel b("W");
    ButtonModel c("&&W");
    for (ButtonModel* m : {&a, &b, &c}) {
        m->setStyle(2);
        m->setFont("Sans 14");
    }
    auto ua = render(a, ButtonVisualState::Normal, 80, 40);
    auto ub = render(b, ButtonVisualState::Normal, 80, 40);
    auto uc = render(c, ButtonVisualState::Normal, 80, 40);
    EXPECT_NE(ua, ub);  // the underline
    EXPECT_NE(uc, ub);  // "&W" is drawn, not "W"
    Image ia(80, 40);
    paintButton(ia.cr(), a, ButtonVisualState::Normal, 80, 40);
    Image ib(80, 40);
    paintButton(ib.cr(), b, ButtonVisualState::Normal, 80, 40);
    EXPECT_GT(ia.countInk(0, 0, 80, 40), ib.countInk(0, 0, 80, 40));
}

TEST(ButtonPainterCaption, LongCaptionsWrapInsideTheButton) {
    ButtonModel m("one two three four five six");
    m.setStyle(2);
    Image img(60, 80);
    paintButton(img.cr(), m, ButtonVisualState::Normal, 60, 80);
    // Several lines: caption ink both above and below the middle band.
    EXPECT_GT(img.countInk(0, 0, 60, 34), 0);
    EXPECT_GT(img.countInk(0, 46, 60, 80), 0);
    // Nothing is drawn outside the margins.
    EXPECT_EQ(img.countInk(0, 0, 3, 80), 0);
    EXPECT_EQ(img.countInk(57, 0, 60, 80), 0);
}

TEST(ButtonPainterCaption, FocusMarkWithFocusAndShowFocusOrAKeyboardUser) {
    ButtonModel m("Go");
    m.setStyle(1);
    auto plain = render(m, ButtonVisualState::Normal);
    m.setKeyboardFocusVisible(true);
    EXPECT_EQ(render(m, ButtonVisualState::Normal), plain) << "no mark without the focus";
    m.focusIn();
    auto marked = render(m, ButtonVisualState::Normal);
    EXPECT_NE(marked, plain) << "the window shows the keyboard focus";
    m.setKeyboardFocusVisible(false);
    EXPECT_EQ(render(m, ButtonVisualState::Normal), plain);
    m.setShowFocus(true);
    EXPECT_EQ(render(m, ButtonVisualState::Normal), marked);
}

TEST(ButtonPainterScale, DrawsEveryDevicePixelAtTheWindowsScaleFactor) {
    // Straight edges only (no caption, a square look): at scale 2 each pixel of the plain
    // image becomes a sharp 2 x 2 block, not a blurred enlargement.
    for (int style : {1, 3}) {
        ButtonModel m("");
        m.setStyle(style);
        ButtonPaintResult plainResult, sharpResult;
        cairo_surface_t* plain =
            renderButtonImage(m, ButtonVisualState::Normal, 40, 20, 1, plainResult);
        cairo_surface_t* sharp =
            renderButtonImage(m, ButtonVisualState::Normal, 40, 20, 2, sharpResult);
        ASSERT_TRUE(plain && sharp);
        EXPECT_TRUE(sharpResult.drawn);
        ASSERT_EQ(cairo_image_surface_get_width(sharp), 80);
        ASSERT_EQ(cairo_image_surface_get_height(sharp), 40);
        auto pixel = [](cairo_surface_t* img, int x, int y) {
            const unsigned char* row =
                cairo_image_surface_get_data(img) + y * cairo_image_surface_get_stride(img);
            std::uint32_t v = 0;
            std::memcpy(&v, row + 4 * x, 4);
            return v;
        };
        int differing = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 80; ++x) {
                if (pixel(sharp, x, y) != pixel(plain, x / 2, y / 2)) ++differing;
            }
        }
        EXPECT_EQ(differing, 0) << "style " << style;
        cairo_surface_destroy(plain);
        cairo_surface_destroy(sharp);
    }
}

TEST(ButtonPainterCaption, OddInputDrawsSafely) {
    ButtonModel m(std::string("\xff\xfe broken & bytes &&& ") + std::string(2000, 'x'));
    m.setFont("NoSuchFont 0");
    Image img(50, 20);
    EXPECT_TRUE(paintButton(img.cr(), m, ButtonVisualState::Normal, 50, 20).drawn);
    EXPECT_FALSE(paintButton(img.cr(), m, ButtonVisualState::Normal, 0, 20).drawn);
    EXPECT_FALSE(paintButton(img.cr(), m, ButtonVisualState::Normal, 20, -5).drawn);
    EXPECT_FALSE(paintButton(nullptr, m, ButtonVisualState::Normal, 20, 20).drawn);
    Image tiny(1, 1);
    for (int style = 0; style <= 10; ++style) {
        m.setStyle(style);
        EXPECT_TRUE(paintButton(tiny.cr(), m, ButtonVisualState::Pressed, 1, 1).drawn);
    }
}

// ---- Tooltip
// --------------------------------------------------------------------------------------

TEST(ButtonTooltipPainter, ContentFollowsTheButtonsTooltipProperties) {
    ButtonModel m;
    ButtonTooltipContent c = tooltipContent(m, "From the container");
    EXPECT_EQ(c.text, "From the container");  // taken over while the button has none
    EXPECT_TRUE(c.balloon);
    EXPECT_EQ(c.back, kTooltipSystemBack);
    EXPECT_EQ(c.fore, kTooltipSystemFore);

    m.setToolTipText("Own text");
    m.setToolTipTitle("Title");
    m.setToolTipIcon(3);
    m.setToolTipType(0);
    m.setToolTipBackColor(packRgb(0, 0, 128));
    m.setToolTipForeColor(packRgb(255, 255, 0));
    c = tooltipContent(m, "From the container");
    EXPECT_EQ(c.text, "Own text");
    EXPECT_EQ(c.title, "Title");
    EXPECT_EQ(c.icon, 3);
    EXPECT_FALSE(c.balloon);
    EXPECT_EQ(c.back, (Rgb{0, 0, 128}));
    EXPECT_EQ(c.fore, (Rgb{255, 255, 0}));

    m.setToolTipIcon(9);  // no such icon
    EXPECT_EQ(tooltipContent(m, "").icon, 0);
    ButtonModel none;
    EXPECT_TRUE(tooltipContent(none, "").empty());
}

TEST(ButtonTooltipPainter, BalloonIsRoundedWithAStemAndPlainIsARectangle) {
    ButtonTooltipContent c;
    c.text = "Some helpful words";
    c.title = "Title";
    c.icon = 1;
    c.back = Rgb{0, 0, 128};
    TooltipSize balloon = measureTooltip(c);
    Image b(balloon.w, balloon.h);
    paintTooltip(b.cr(), c, balloon.w, balloon.h);
    EXPECT_EQ(b.at(0, 0).a, 0);                               // above the body, beside the stem
    EXPECT_EQ(b.at(0, balloon.h - 1).a, 0);                   // a rounded corner
    EXPECT_EQ(b.at(balloon.w / 2, balloon.h - 3).c, c.back);  // the body

    c.balloon = false;
    TooltipSize plain = measureTooltip(c);
    EXPECT_LT(plain.h, balloon.h);
    Image p(plain.w, plain.h);
    paintTooltip(p.cr(), c, plain.w, plain.h);
    EXPECT_EQ(p.at(0, 0).a, 255);
    EXPECT_EQ(p.at(plain.w - 3, plain.h - 3).c, c.back);

    ButtonTooltipContent longer = c;
    longer.text = std::string(400, 'w') + " end";
    TooltipSize big = measureTooltip(longer);
    EXPECT_LE(big.w, 300);  // wrapped at a fixed width
    EXPECT_GT(big.h, plain.h);
}
