#include "controls/ProgressBarPainter.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

using namespace larkspan;

namespace {

constexpr Rgb kColor{40, 80, 200};
constexpr Rgb kWhite{255, 255, 255};

ProgressBarModel bar(int look, int value, bool text = false) {
    ProgressBarModel m;
    m.setColor(packRgb(kColor.r, kColor.g, kColor.b));
    m.setScrolling(look);
    m.setShowText(text);
    m.setValue(value);
    return m;
}

using Surface = Cairo::RefPtr<Cairo::ImageSurface>;

Surface render(const ProgressBarModel& m, int w = 200, int h = 20) {
    Surface s = renderProgressBar(m, w, h);
    EXPECT_TRUE(s);
    return s;
}

Rgb px(const Surface& s, int x, int y) {
    return surfacePixel(s, x, y);
}

// A white surface and a context on it, for the drawing primitives.
struct Canvas {
    Surface surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, 10, 6);
    cairo_t* cr = cairo_create(surface->cobj());
    Canvas() {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    ~Canvas() { cairo_destroy(cr); }
    Rgb at(int x, int y) { return surfacePixel(surface, x, y); }
};

bool samePixels(const Surface& a, const Surface& b) {
    if (a->get_width() != b->get_width() || a->get_height() != b->get_height()) return false;
    for (int y = 0; y < a->get_height(); ++y)
        for (int x = 0; x < a->get_width(); ++x)
            if (!(px(a, x, y) == px(b, x, y))) return false;
    return true;
}

// The pixels where the text changed the picture, reduced by `pick`.
Rgb textPixel(const Surface& with, const Surface& without, int fromX, int toX,
              const std::function<bool(Rgb, Rgb)>& better) {
    bool found = false;
    Rgb best{};
    for (int y = 0; y < with->get_height(); ++y)
        for (int x = fromX; x < toX; ++x) {
            Rgb p = px(with, x, y);
            if (p == px(without, x, y)) continue;
            if (!found || better(p, best)) best = p;
            found = true;
        }
    EXPECT_TRUE(found) << "no text pixels in " << fromX << ".." << toX;
    return best;
}

int brightness(Rgb c) {
    return c.r + c.g + c.b;
}

}  // namespace

TEST(ProgressBarColors, LightenKeepsAtZeroAndWhitensAt255) {
    EXPECT_EQ(Lighten(kColor, 0), kColor);
    EXPECT_EQ(Lighten(kColor, 255), kWhite);
    // 100 + channel * 155 / 255, the division truncating.
    EXPECT_EQ(Lighten(Rgb{0, 100, 255}, 100), (Rgb{100, 160, 255}));
    // Out-of-range strengths stay within the channel range.
    EXPECT_EQ(Lighten(Rgb{0, 128, 255}, 300), kWhite);
    EXPECT_EQ(Lighten(Rgb{0, 10, 255}, -50), (Rgb{0, 0, 255}));
    EXPECT_EQ(Lighten(kProgressBarDefaultColor, 0), packRgb(49, 106, 197));
}

TEST(ProgressBarColors, BlendGivesTheSecondColourAtZeroAndTheFirstAt255) {
    Rgb a{200, 10, 90}, b{0, 250, 30};
    EXPECT_EQ(Blend(a, b, 0), b);
    EXPECT_EQ(Blend(a, b, 255), a);
    // CInt(55 * 0 / 255 + 200 * 200 / 255) = CInt(156.86)
    EXPECT_EQ(Blend(Rgb{200, 0, 0}, Rgb{0, 0, 0}, 200).r, 157);
    EXPECT_EQ(Blend(a, b, 400), (Rgb{255, 0, 124}));
    EXPECT_EQ(Blend(packRgb(255, 0, 0), packRgb(0, 0, 255), 0), packRgb(0, 0, 255));
}

TEST(ProgressBarPrimitives, LinesLeaveOutTheirEndPoint) {
    Canvas c;
    DrawLine(c.cr, 1, 1, 4, 1, kColor);
    EXPECT_EQ(c.at(1, 1), kColor);
    EXPECT_EQ(c.at(3, 1), kColor);
    EXPECT_EQ(c.at(4, 1), kWhite);

    DrawLine(c.cr, 8, 5, 8, 2, kColor);  // upward: the start is drawn, the end is not
    EXPECT_EQ(c.at(8, 5), kColor);
    EXPECT_EQ(c.at(8, 3), kColor);
    EXPECT_EQ(c.at(8, 2), kWhite);

    DrawLine(c.cr, 0, 2, 3, 5, kColor);
    EXPECT_EQ(c.at(0, 2), kColor);
    EXPECT_EQ(c.at(2, 4), kColor);
    EXPECT_EQ(c.at(3, 5), kWhite);

    // Far-away ends draw what is visible at once.
    DrawLine(c.cr, -1'000'000'000'000LL, 0, 1'000'000'000'000LL, 0, kColor);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(c.at(x, 0), kColor);
}

TEST(ProgressBarPrimitives, GradientStepsAreRoundedHalfToEven) {
    Canvas c;
    // Five columns from 0 to 10 in four steps: 0, 2.5, 5, 7.5, 10.
    DrawGradient(c.cr, Rgb{0, 0, 0}, Rgb{10, 10, 10}, 1, 0, 4, 3, true);
    EXPECT_EQ(c.at(1, 0).r, 0);
    EXPECT_EQ(c.at(2, 0).r, 2);
    EXPECT_EQ(c.at(3, 0).r, 5);
    EXPECT_EQ(c.at(4, 0).r, 8);
    EXPECT_EQ(c.at(5, 2).r, 10);
    EXPECT_EQ(c.at(5, 3), kWhite);  // each line stops before b
    EXPECT_EQ(c.at(6, 0), kWhite);

    // b + 1 rows from x to a.
    DrawGradient(c.cr, Rgb{100, 0, 0}, Rgb{0, 0, 100}, 7, 3, 9, 2, false);
    EXPECT_EQ(c.at(7, 3), (Rgb{100, 0, 0}));
    EXPECT_EQ(c.at(8, 4), (Rgb{50, 0, 50}));
    EXPECT_EQ(c.at(7, 5), (Rgb{0, 0, 100}));
    EXPECT_EQ(c.at(9, 4), kWhite);

    // One line (n = 0) takes the first colour instead of dividing by zero.
    DrawGradient(c.cr, Rgb{7, 7, 7}, Rgb{9, 9, 9}, 0, 5, 0, 9, true);
    EXPECT_EQ(c.at(0, 5), (Rgb{7, 7, 7}));

    // Huge extents only walk the visible lines.
    DrawGradient(c.cr, Rgb{1, 1, 1}, Rgb{1, 1, 1}, -2'000'000'000'000LL, 0, 4'000'000'000'000LL, 1,
                 true);
    EXPECT_EQ(c.at(9, 0), (Rgb{1, 1, 1}));
}

TEST(ProgressBarBorder, SetsEveryCornerPixel) {
    for (int look : {0, 1, 2, 9}) {
        Surface s = render(bar(look, 50), 40, 20);
        const int w = 40, h = 20;
        struct Corner {
            int x, y;
            Rgb c;
        } corners[] = {
            {0, 0, {255, 255, 255}},         {0, 1, {172, 171, 166}},
            {0, 2, {127, 126, 125}},         {1, 0, {172, 171, 167}},
            {1, 1, {119, 119, 119}},         {2, 0, {127, 126, 125}},
            {2, 2, {190, 190, 190}},         {0, h - 1, {255, 255, 255}},
            {1, h - 1, {172, 171, 166}},     {2, h - 1, {127, 126, 125}},
            {0, h - 3, {127, 126, 125}},     {0, h - 2, {172, 171, 167}},
            {1, h - 2, {119, 119, 119}},     {w - 1, 0, {255, 255, 255}},
            {w - 1, 1, {190, 190, 190}},     {w - 1, 2, {127, 126, 125}},
            {w - 2, 2, {190, 190, 190}},     {w - 2, 1, {104, 104, 104}},
            {w - 1, h - 1, {255, 255, 255}}, {w - 1, h - 2, {190, 190, 190}},
            {w - 1, h - 3, {127, 126, 125}}, {w - 2, h - 2, {119, 119, 119}},
            {w - 2, h - 1, {190, 190, 190}}, {w - 3, h - 1, {127, 126, 125}},
        };
        for (const Corner& k : corners)
            EXPECT_EQ(px(s, k.x, k.y), k.c) << "look " << look << " at " << k.x << "," << k.y;
        EXPECT_EQ(px(s, 20, 0), kBarBorder);
        EXPECT_EQ(px(s, 0, 10), kBarBorder);
        EXPECT_EQ(px(s, w - 2, 10), kBarInnerRight);
    }
}

TEST(ProgressBarDefaultBar, GlossyFillEndsOnTwoPixelSteps) {
    // x = CLng(197 * P / 98 + 3), cut back to an even distance from 3.
    struct Case {
        int p, lastFilled;
    } cases[] = {{10, 22}, {33, 68}, {50, 102}, {75, 152}};
    for (const Case& k : cases) {
        Surface s = render(bar(1, k.p));
        EXPECT_EQ(px(s, k.lastFilled, 9), kColor) << k.p;
        EXPECT_EQ(px(s, k.lastFilled + 1, 9), kWhite) << k.p;
        EXPECT_EQ(px(s, 4, 9), kColor) << k.p;
        EXPECT_EQ(px(s, 3, 9), kWhite) << k.p;
    }
}

TEST(ProgressBarDefaultBar, GlossyBandsRunIntoTheColour) {
    Surface s = render(bar(1, 50));
    EXPECT_EQ(px(s, 50, 3), Lighten(kColor, 150));  // top band, first row
    EXPECT_EQ(px(s, 50, 2), kWhite);
    EXPECT_EQ(px(s, 50, 8), kColor);                 // body over the band's last rows
    EXPECT_EQ(px(s, 50, 16), Lighten(kColor, 150));  // bottom band, last row (H - 4)
    EXPECT_EQ(px(s, 50, 17), kWhite);
}

TEST(ProgressBarDefaultBar, SegmentsAreSixPixelBlocksOnEightPixelSteps) {
    // P = 50: x = 104, cut to 99; gaps at 10-11, 18-19, ..., 98-99.
    Surface s = render(bar(0, 50));
    EXPECT_EQ(px(s, 4, 9), kColor);
    EXPECT_EQ(px(s, 9, 9), kColor);
    EXPECT_EQ(px(s, 10, 9), kWhite);
    EXPECT_EQ(px(s, 11, 9), kWhite);
    EXPECT_EQ(px(s, 12, 9), kColor);
    EXPECT_EQ(px(s, 91, 9), kWhite);
    EXPECT_EQ(px(s, 92, 9), kColor);
    EXPECT_EQ(px(s, 97, 9), kColor);
    EXPECT_EQ(px(s, 98, 9), kWhite);
    EXPECT_EQ(px(s, 100, 9), kWhite);
    EXPECT_EQ(px(s, 10, 0), kBarBorder);  // the frame is drawn over the gaps
}

TEST(ProgressBarDefaultBar, NinetyEightPerCentReachesTheRightEnd) {
    // Divided by 98 the fill reaches the last step before the border; by 100 it would
    // stop a block short.
    Surface s = render(bar(0, 98), 403, 20);
    EXPECT_EQ(px(s, 396, 9), kColor);
    EXPECT_EQ(px(s, 398, 9), kColor);
    EXPECT_EQ(px(s, 399, 9), kWhite);
    EXPECT_EQ(px(s, 401, 9), kBarInnerRight);

    Surface full = render(bar(1, 100));
    EXPECT_EQ(px(full, 197, 9), kColor);
}

TEST(ProgressBarDefaultBar, ASmallPercentageStillShowsTheMinimumBody) {
    for (int p : {0, 1, 5}) {
        Surface s = render(bar(1, p));
        EXPECT_EQ(px(s, 11, 9), kColor) << p;
        EXPECT_EQ(px(s, 12, 9), kWhite) << p;
    }
    Surface six = render(bar(1, 6));  // x = 15: past the minimum
    EXPECT_EQ(px(six, 14, 9), kColor);
    EXPECT_EQ(px(six, 15, 9), kWhite);
}

TEST(ProgressBarDefaultBar, SearchingBlocksTrailThePercentage) {
    // P = 50: F.right = 103; blocks at CLng(103 + 12 i - 22.5) = 80 (80.5), 92 (92.5),
    // 104 (104.5).
    Surface s = render(bar(2, 50));
    EXPECT_EQ(px(s, 79, 10), kWhite);
    EXPECT_EQ(px(s, 80, 10), Lighten(kColor, 220));
    EXPECT_EQ(px(s, 89, 10), Lighten(kColor, 200));
    EXPECT_EQ(px(s, 90, 10), kWhite);
    EXPECT_EQ(px(s, 91, 10), kWhite);
    EXPECT_EQ(px(s, 92, 10), Lighten(kColor, 180));
    EXPECT_EQ(px(s, 101, 10), Lighten(kColor, 160));
    EXPECT_EQ(px(s, 104, 10), Lighten(kColor, 140));
    EXPECT_EQ(px(s, 113, 10), Lighten(kColor, 120));
    EXPECT_EQ(px(s, 114, 10), kWhite);
    EXPECT_EQ(px(s, 104, 3), Lighten(kColor, 140));
    EXPECT_EQ(px(s, 104, 2), kWhite);
    EXPECT_EQ(px(s, 104, 17), Lighten(kColor, 140));
    EXPECT_EQ(px(s, 104, 18), kWhite);
}

TEST(ProgressBarDefaultBar, VerticalFillRisesFromTheBottom) {
    auto upright = [](int look, int value) {
        ProgressBarModel m = bar(look, value);
        m.setOrientation(1);
        return m;
    };
    Surface glossy = render(upright(1, 49), 30, 100);  // y = 50
    EXPECT_EQ(px(glossy, 15, 50), kColor);
    EXPECT_EQ(px(glossy, 15, 49), kWhite);
    EXPECT_EQ(px(glossy, 4, 60), Lighten(kColor, 150));
    EXPECT_EQ(px(glossy, 8, 60), kColor);
    EXPECT_EQ(px(glossy, 22, 60), kColor);
    EXPECT_EQ(px(glossy, 26, 60), Lighten(kColor, 150));

    Surface segmented = render(upright(0, 49), 30, 100);  // top on an 8-step: 52
    EXPECT_EQ(px(segmented, 15, 51), kWhite);
    EXPECT_EQ(px(segmented, 15, 52), kWhite);
    EXPECT_EQ(px(segmented, 15, 53), kColor);
    EXPECT_EQ(px(segmented, 15, 58), kColor);
    EXPECT_EQ(px(segmented, 15, 59), kWhite);
    EXPECT_EQ(px(segmented, 15, 50), kWhite);
}

TEST(ProgressBarDefaultBar, OrientationChangesOnlyTheFirstThreeLooks) {
    for (int look = 0; look <= 9; ++look) {
        ProgressBarModel across = bar(look, 60, true), upright = bar(look, 60, true);
        upright.setOrientation(1);
        bool same = samePixels(render(across, 60, 40), render(upright, 60, 40));
        EXPECT_EQ(same, look > 2) << "look " << look;
    }
}

TEST(ProgressBarLooks, PaleBarFillsToPOfTheWidth) {
    for (auto [p, right] : {std::pair{50, 100}, {33, 66}, {1, 2}, {100, 200}}) {
        Surface s = render(bar(3, p));
        EXPECT_EQ(px(s, 1, 10), Lighten(kColor, 180)) << p;
        EXPECT_EQ(px(s, right - 1, 10), Lighten(kColor, 180)) << p;
        if (right < 200) {
            EXPECT_EQ(px(s, right, 10), kWhite) << p;
        }
        EXPECT_EQ(px(s, right - 1, 19), Lighten(kColor, 100)) << p;
    }
    Surface empty = render(bar(3, 0));
    EXPECT_EQ(px(empty, 1, 10), kWhite);
    EXPECT_EQ(px(empty, 0, 10), Lighten(kColor, 100));
}

TEST(ProgressBarLooks, EtchedBarGradientCoversFillRightPlusOneColumns) {
    // fillRight = CLng(P / 100 * 196); columns 2 .. 2 + fillRight.
    for (auto [p, right] : {std::pair{50, 98}, {25, 49}, {75, 147}}) {
        Surface s = render(bar(4, p));
        EXPECT_EQ(px(s, 2, 10), Lighten(kColor, 140)) << p;
        EXPECT_EQ(px(s, 2 + right, 10), Lighten(kColor, 200)) << p;
        EXPECT_EQ(px(s, 3 + right, 10), kWhite) << p;
        EXPECT_EQ(px(s, 2 + right, 16), Lighten(kColor, 200)) << p;
        EXPECT_EQ(px(s, 2 + right, 17), kWhite) << p;
    }
}

TEST(ProgressBarLooks, TubeBarEndsInALineAtFillRight) {
    // fillRight = CLng(P / 101 * 200).
    for (auto [p, right] : {std::pair{50, 99}, {100, 198}, {20, 40}}) {
        Surface s = render(bar(5, p));
        EXPECT_EQ(px(s, right, 2), Lighten(kColor, 25)) << p;
        EXPECT_EQ(px(s, right, 17), Lighten(kColor, 25)) << p;
        EXPECT_EQ(px(s, right - 1, 3), Lighten(kColor, 250)) << p;
        EXPECT_EQ(px(s, right - 1, 17), kColor) << p;
    }
    Surface s = render(bar(5, 50));
    EXPECT_EQ(px(s, 150, 2), kColor);                 // track top
    EXPECT_EQ(px(s, 150, 17), Lighten(kColor, 100));  // track bottom
    EXPECT_EQ(px(s, 150, 18), kWhite);
    EXPECT_EQ(px(s, 197, 10).b, px(s, 150, 10).b);  // track ends at W - 3
    EXPECT_EQ(px(s, 198, 10), kWhite);
    EXPECT_EQ(px(s, 0, 0), Lighten(kColor, 10));
}

TEST(ProgressBarLooks, DarkBarGradientEndsAtFillRight) {
    const Rgb end = Lighten(Blend(kColor, kBarBlack, 100), 10);
    // W = 190: fillRight = CLng(P / 100 * 185); 50 % is 92.5, rounded to 92.
    for (auto [p, right] : {std::pair{50, 92}, {20, 37}, {100, 185}}) {
        Surface s = render(bar(6, p), 190, 20);
        EXPECT_EQ(px(s, 2 + right, 10), end) << p;
        EXPECT_EQ(px(s, 3 + right, 10), kBarBlack) << p;
        EXPECT_EQ(px(s, 2, 10), kBarBlack) << p;
    }
    Surface s = render(bar(6, 50), 190, 20);
    EXPECT_EQ(px(s, 0, 0), Blend(kColor, kBarBlack, 200));
    EXPECT_EQ(px(s, 120, 10), kBarBlack);
}

TEST(ProgressBarLooks, HatchedBarCrossHatchesUpToFillRight) {
    // fillRight = CLng(50 / 101 * 200) = 99: columns 2 .. 98.
    Surface s = render(bar(7, 50));
    EXPECT_EQ(px(s, 98, 3), Lighten(kColor, 140));
    EXPECT_EQ(px(s, 99, 3), kWhite);
    EXPECT_EQ(px(s, 95, 3), kColor);  // vertical stroke
    EXPECT_EQ(px(s, 50, 7), kColor);  // horizontal stroke
    EXPECT_EQ(px(s, 50, 17), Lighten(kColor, 140));

    ProgressBarModel other = bar(7, 50);
    other.setBrushStyle(0);  // horizontal lines only
    Surface h = render(other);
    EXPECT_EQ(px(h, 95, 3), Lighten(kColor, 140));
    EXPECT_EQ(px(h, 50, 7), kColor);
}

TEST(ProgressBarLooks, PictureBarTilesTheImageOrShowsOnlyItsEdge) {
    ProgressBarModel m = bar(8, 50);
    Surface plain = render(m);
    for (int x = 2; x < 198; ++x) ASSERT_EQ(px(plain, x, 10), kWhite) << x;

    Surface tile = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, 2, 1);
    auto tcr = Cairo::Context::create(tile);
    tcr->set_source_rgb(1, 0, 0);
    tcr->rectangle(0, 0, 1, 1);
    tcr->fill();
    tcr->set_source_rgb(0, 1, 0);
    tcr->rectangle(1, 0, 1, 1);
    tcr->fill();
    m.setImage(tile);
    Surface s = render(m);
    // Rectangle from (2, 2), fillRight = 99 wide: columns 2 .. 100, tiles from the origin.
    EXPECT_EQ(px(s, 2, 10), (Rgb{255, 0, 0}));
    EXPECT_EQ(px(s, 3, 10), (Rgb{0, 255, 0}));
    EXPECT_EQ(px(s, 100, 10), (Rgb{255, 0, 0}));
    EXPECT_EQ(px(s, 101, 10), kWhite);
    EXPECT_EQ(px(s, 50, 17), (Rgb{255, 0, 0}));
    EXPECT_EQ(px(s, 50, 18), kWhite);
}

TEST(ProgressBarLooks, SilverBarHalvesTrackAndFill) {
    // fillRight = CLng(P / 100 * 196); top half CLng(17 / 2) = 8 rows (2 to 9).
    for (auto [p, right] : {std::pair{50, 98}, {30, 59}, {100, 196}}) {
        Surface s = render(bar(9, p));
        EXPECT_EQ(px(s, right - 1, 2), Lighten(kColor, 150)) << p;
        EXPECT_EQ(px(s, right - 1, 9), Blend(kColor, kBarBlack, 180)) << p;
        EXPECT_EQ(px(s, right - 1, 10), Blend(kColor, kBarBlack, 190)) << p;
        EXPECT_EQ(px(s, right - 1, 17), kColor) << p;
        EXPECT_EQ(px(s, right, 2), kWhite) << p;  // the track's first row
        EXPECT_EQ(px(s, right, 12), kBarSilver) << p;
    }
    Surface s = render(bar(9, 0));
    EXPECT_EQ(px(s, 2, 12), kBarSilver);
    EXPECT_EQ(px(s, 100, 9), kBarSilver);
    EXPECT_EQ(px(s, 100, 17), kBarSilver);
    EXPECT_EQ(px(s, 100, 18), kWhite);
    EXPECT_EQ(px(s, 197, 12), kWhite);  // the track stops before W - 3
}

TEST(ProgressBarValue, AValueAboveMaxDrawsTheFullBar) {
    for (int look : {1, 3, 9}) {
        EXPECT_TRUE(samePixels(render(bar(look, 150, true)), render(bar(look, 100, true)))) << look;
    }
}

TEST(ProgressBarValue, MaxZeroLeavesThePictureUnchanged) {
    ProgressBarModel m = bar(3, 40, true);
    Surface before = render(m);
    m.setMax(0);
    m.setValue(90);
    EXPECT_TRUE(samePixels(before, render(m)));
}

TEST(ProgressBarText, ReadsThePercentageOrSearching) {
    EXPECT_EQ(progressText(bar(1, 42)), "42 %");
    EXPECT_EQ(progressText(bar(6, 150)), "100 %");
    EXPECT_EQ(progressText(bar(9, -5)), "0 %");
    for (int v : {0, 50, 100}) EXPECT_EQ(progressText(bar(2, v)), "Searching..");
    EXPECT_EQ(progressText(bar(12, 7)), "7 %");
}

TEST(ProgressBarText, IsDrawnOnlyWhenShown) {
    Surface hidden = render(bar(3, 0, false));
    for (int x = 1; x < 199; ++x)
        for (int y = 1; y < 19; ++y) ASSERT_EQ(px(hidden, x, y), kWhite) << x << "," << y;
    Surface shown = render(bar(3, 0, true));
    Rgb darkest = textPixel(shown, hidden, 0, 200,
                            [](Rgb a, Rgb b) { return brightness(a) < brightness(b); });
    EXPECT_LT(brightness(darkest), 150);
}

TEST(ProgressBarText, SearchingTextIsCentred) {
    Surface with = render(bar(2, 0, true));
    Surface without = render(bar(2, 0, false));
    int minX = 200, maxX = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
            if (!(px(with, x, y) == px(without, x, y))) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    ASSERT_GE(maxX, 0);
    EXPECT_GT(maxX - minX, 20);  // more than "0 %" would take
    EXPECT_LE(std::abs((minX + maxX) - 199), 4);
}

TEST(ProgressBarText, DarkBarTextIsSilverOffTheFillAndLightenedOverIt) {
    Surface emptyText = render(bar(6, 0, true)), empty = render(bar(6, 0, false));
    Rgb off = textPixel(emptyText, empty, 0, 190,
                        [](Rgb a, Rgb b) { return brightness(a) > brightness(b); });
    // Grey, as bright as silver where a glyph covers a pixel (nearly) whole.
    EXPECT_TRUE(off.r == off.g && off.g == off.b);
    EXPECT_GE(off.r, 176);
    EXPECT_LE(off.r, 192);

    // Full: the fill passes the text, so only the fill's text colour is drawn.
    Surface fullText = render(bar(6, 100, true)), full = render(bar(6, 100, false));
    const Rgb over = Lighten(kColor, 80);
    Rgb strongest = textPixel(fullText, full, 0, 200, [&](Rgb a, Rgb b) {
        return std::abs(a.r - over.r) + std::abs(a.g - over.g) + std::abs(a.b - over.b) <
               std::abs(b.r - over.r) + std::abs(b.g - over.g) + std::abs(b.b - over.b);
    });
    EXPECT_EQ(strongest, over);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x) {
            Rgb p = px(fullText, x, y);
            ASSERT_FALSE(p.r > over.r + 10 && p.r == p.g && p.g == p.b) << x << "," << y;
        }
}

TEST(ProgressBarText, SilverBarTextTurnsWhiteOverTheFill) {
    // 50 % of 200: the text's left part lies over the fill (up to x = 100), the rest not.
    Surface withText = render(bar(9, 50, true)), without = render(bar(9, 50, false));
    Rgb lightest = textPixel(withText, without, 0, 100,
                             [](Rgb a, Rgb b) { return brightness(a) > brightness(b); });
    EXPECT_EQ(lightest, kWhite);
    Rgb darkestRight = textPixel(withText, without, 100, 200,
                                 [](Rgb a, Rgb b) { return brightness(a) < brightness(b); });
    EXPECT_LT(brightness(darkestRight), 200);

    // Full: all of it is white, so every text pixel lightens the fill under it.
    Surface fullText = render(bar(9, 100, true)), full = render(bar(9, 100, false));
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x) {
            Rgb p = px(fullText, x, y), under = px(full, x, y);
            if (p == under) continue;
            ++changed;
            EXPECT_GT(brightness(p), brightness(under)) << x << "," << y;
        }
    EXPECT_GT(changed, 20);
}

TEST(ProgressBarRobustness, OddSizesDrawWithoutFault) {
    EXPECT_FALSE(renderProgressBar(bar(1, 50), 0, 20));
    EXPECT_FALSE(renderProgressBar(bar(1, 50), 20, -3));
    EXPECT_FALSE(renderProgressBar(bar(1, 50), 100000, 100000));
    for (int look = 0; look <= 10; ++look)
        for (int orientation : {0, 1})
            for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {5, 40}, {40, 5}, {12, 12}}) {
                ProgressBarModel m = bar(look, 70, true);
                m.setOrientation(orientation);
                Surface s = renderProgressBar(m, w, h);
                ASSERT_TRUE(s) << look << " " << w << "x" << h;
                EXPECT_EQ(s->get_width(), w);
            }
    // On a single pixel the frame is drawn and the corner table has the last word.
    Surface one = render(bar(1, 50), 1, 1);
    EXPECT_EQ(px(one, 0, 0), kWhite);
}

TEST(ProgressBarRobustness, AHugeControlOnASmallTargetDrawsOnlyWhatShows) {
    Canvas c;
    for (int look = 0; look <= 9; ++look) {
        ProgressBarModel m = bar(look, 60, true);
        DrawProgressBar(c.cr, m, 2'000'000'000, 1'500'000'000);
        m.setOrientation(1);
        DrawProgressBar(c.cr, m, 2'000'000'000, 1'500'000'000);
    }
    EXPECT_EQ(c.at(0, 0), (Rgb{255, 255, 255}));  // the corner pixel
    EXPECT_EQ(c.at(5, 0), kBarBorder);
}

TEST(ProgressBarBackBuffer, CopiesOneBlockOrTheWholeBuffer) {
    ProgressBarModel m = bar(3, 50);
    ASSERT_TRUE(m.ensureBackBuffer(10, 6));
    cairo_t* bcr = cairo_create(m.backBuffer()->cobj());
    DrawProgressBar(bcr, m, 10, 6);
    cairo_destroy(bcr);

    Canvas part;
    copyBackBuffer(part.cr, m, 4, 1, 2, 3, 1, 1);
    EXPECT_EQ(part.at(1, 1), Lighten(kColor, 180));  // buffer (4, 1): the fill
    EXPECT_EQ(part.at(2, 1), kWhite);                // buffer (5, 1): past it
    EXPECT_EQ(part.at(1, 0), kWhite);                // outside the block
    EXPECT_EQ(part.at(3, 1), kWhite);

    Canvas whole;
    copyBackBuffer(whole.cr, m, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(whole.at(9, 5), Lighten(kColor, 100));
    EXPECT_EQ(whole.at(4, 3), Lighten(kColor, 180));

    ProgressBarModel none;
    copyBackBuffer(whole.cr, none, 0, 0, 0, 0, 0, 0);  // no buffer: nothing happens
    EXPECT_EQ(whole.at(4, 3), Lighten(kColor, 180));
}
