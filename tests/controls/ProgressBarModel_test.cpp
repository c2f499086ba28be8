#include "controls/ProgressBarModel.hpp"

#include "controls/ProgressBarPainter.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

using namespace larkspan;

namespace {

// A model that counts the redraws it asks for.
struct CountedModel {
    ProgressBarModel model;
    int redraws = 0;
    CountedModel() {
        model.setRedrawHandler([this] { ++redraws; });
    }
};

const std::string* find(const ProgressBarModel::PropertyBag& bag, const std::string& name) {
    for (const auto& [n, v] : bag)
        if (n == name) return &v;
    return nullptr;
}

}  // namespace

TEST(ProgressBarModel, StartsWithTheDescribedDefaults) {
    ProgressBarModel m;
    EXPECT_EQ(m.value(), 0);
    EXPECT_EQ(m.percent(), 0);
    EXPECT_EQ(m.min(), 0);
    EXPECT_EQ(m.max(), 100);
    // The highlight code is kept as the colour it stands for.
    EXPECT_EQ(m.color(), packRgb(49, 106, 197));
    EXPECT_EQ(m.scrolling(), 0);
    EXPECT_EQ(m.orientation(), 0);
    EXPECT_FALSE(m.showText());
    EXPECT_EQ(m.brushStyle(), 4);
    EXPECT_FALSE(m.image());
    EXPECT_EQ(m.font().to_string(), defaultProgressBarFont().to_string());
    EXPECT_TRUE(m.changedProperties().empty());
    EXPECT_FALSE(m.backBuffer());

    ProgressBarModel themed(Rgb{1, 2, 3});
    EXPECT_EQ(themed.color(), packRgb(1, 2, 3));
}

TEST(ProgressBarConversion, ValueToPercentRoundsHalfToEven) {
    EXPECT_EQ(percentFromValue(50, 0, 100), 50);
    EXPECT_EQ(percentFromValue(1, 0, 8), 12);    // 12.5
    EXPECT_EQ(percentFromValue(3, 0, 8), 38);    // 37.5
    EXPECT_EQ(percentFromValue(1, 0, 200), 0);   // 0.5
    EXPECT_EQ(percentFromValue(3, 0, 200), 2);   // 1.5
    EXPECT_EQ(percentFromValue(-1, 0, 200), 0);  // -0.5
    EXPECT_EQ(percentFromValue(2, 0, 3), 67);    // 66.67
    // Min is added to the percentage, not taken off the value.
    EXPECT_EQ(percentFromValue(50, 10, 100), 60);
    EXPECT_EQ(percentFromValue(50, 0, -100), -50);
}

TEST(ProgressBarConversion, FaultsGiveNoPercentageButLargeValuesDoNotOverflow) {
    EXPECT_FALSE(percentFromValue(50, 0, 0).has_value());
    EXPECT_FALSE(percentFromValue(2'000'000'000, 0, 1).has_value());
    EXPECT_FALSE(percentFromValue(std::numeric_limits<std::int32_t>::min(), 0, 1).has_value());
    // value * 100 passes 32 bits, the percentage does not.
    EXPECT_EQ(percentFromValue(30'000'000, 0, 60'000'000), 50);
    EXPECT_EQ(percentFromValue(std::numeric_limits<std::int32_t>::max(), 0,
                               std::numeric_limits<std::int32_t>::max()),
              100);
}

TEST(ProgressBarConversion, PercentToValueRoundsHalfToEvenAndDividesByAPositiveMin) {
    EXPECT_EQ(valueFromPercent(50, 0, 100), 50);
    EXPECT_EQ(valueFromPercent(50, 0, 3), 2);     // 1.5
    EXPECT_EQ(valueFromPercent(50, 0, 5), 2);     // 2.5
    EXPECT_EQ(valueFromPercent(50, 0, 7), 4);     // 3.5
    EXPECT_EQ(valueFromPercent(50, 4, 100), 12);  // 50 / 4 = 12.5
    EXPECT_EQ(valueFromPercent(50, -5, 100), 50);
    EXPECT_EQ(valueFromPercent(100, 0, 0), 0);
    EXPECT_EQ(valueFromPercent(-2'000'000'000, 0, 2'000'000'000),
              std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(valueFromPercent(2'000'000'000, 0, 2'000'000'000),
              std::numeric_limits<std::int32_t>::max());
}

TEST(ProgressBarModel, ValueAboveMaxFillsTheBarAndReadsBackAsTheCutPercentage) {
    CountedModel c;
    c.model.setValue(150);
    EXPECT_EQ(c.model.percent(), 100);
    EXPECT_EQ(c.model.value(), 100);
    EXPECT_EQ(c.redraws, 1);

    c.model.setMax(200);
    c.model.setValue(300);  // 150 per cent
    EXPECT_EQ(c.model.percent(), 100);
    EXPECT_EQ(c.model.value(), 200);
}

TEST(ProgressBarModel, AFaultingValueLeavesThePercentageAndThePicture) {
    CountedModel c;
    c.model.setValue(40);
    ASSERT_EQ(c.redraws, 1);
    c.model.setMax(0);
    c.model.setValue(90);
    EXPECT_EQ(c.model.percent(), 40);
    EXPECT_EQ(c.redraws, 1);
    EXPECT_EQ(c.model.value(), 0);  // 40 % of 0

    c.model.setMax(1);
    c.model.setValue(2'000'000'000);
    EXPECT_EQ(c.model.percent(), 40);
    EXPECT_EQ(c.redraws, 1);
}

TEST(ProgressBarModel, NegativeValuesDrawAsAnEmptyBar) {
    ProgressBarModel m;
    m.setValue(-30);
    EXPECT_EQ(m.percent(), 0);
    EXPECT_EQ(m.value(), 0);
}

TEST(ProgressBarModel, OnlyTheDescribedSettersAskForARedraw) {
    CountedModel c;
    auto& m = c.model;
    auto redrawsAfter = [&c](auto&& change) {
        int before = c.redraws;
        change();
        return c.redraws - before;
    };
    EXPECT_EQ(redrawsAfter([&] { m.setValue(10); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setColor(packRgb(1, 2, 3)); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setScrolling(3); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setOrientation(1); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setShowText(true); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setImage({}); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setFont(Pango::FontDescription("Serif 10")); }), 1);
    EXPECT_EQ(redrawsAfter([&] { m.setMin(5); }), 0);
    EXPECT_EQ(redrawsAfter([&] { m.setMax(50); }), 0);
    EXPECT_EQ(redrawsAfter([&] { m.setBrushStyle(2); }), 0);
}

TEST(ProgressBarModel, MarksTheDescribedPropertiesChanged) {
    ProgressBarModel m;
    m.setValue(10);
    m.setColor(packRgb(1, 2, 3));
    m.setFont(Pango::FontDescription("Serif 10"));
    EXPECT_TRUE(m.changedProperties().empty());

    m.setBrushStyle(1);
    m.setMin(1);
    m.setMax(2);
    m.setOrientation(1);
    m.setScrolling(5);
    m.setShowText(true);
    m.setImage({});
    m.setScrolling(6);  // marked once
    EXPECT_EQ(m.changedProperties(),
              (std::vector<std::string>{"BrushStyle", "Min", "Max", "Orientation", "Scrolling",
                                        "ShowText", "Image"}));
    m.clearChanged();
    EXPECT_FALSE(m.isChanged("Scrolling"));
}

TEST(ProgressBarModel, ColorIsKeptAsRgb) {
    ProgressBarModel m(Rgb{10, 20, 30});
    m.setColor(packRgb(200, 100, 50));
    EXPECT_EQ(m.color(), packRgb(200, 100, 50));
    EXPECT_EQ(m.colorRgb(), (Rgb{200, 100, 50}));

    m.setColor(kProgressBarDefaultColor);
    EXPECT_EQ(m.color(), packRgb(10, 20, 30));
    // The code is not kept: a later theme change leaves the colour alone.
    m.setSystemHighlight(Rgb{40, 50, 60});
    EXPECT_EQ(m.color(), packRgb(10, 20, 30));

    m.setColor(kSysButtonFace);
    Rgb face = resolveColor(kSysButtonFace);
    EXPECT_EQ(m.color(), packRgb(face.r, face.g, face.b));
}

TEST(ProgressBarModel, LooksOutsideTheTableDrawAsTheGlossyBar) {
    ProgressBarModel m;
    for (int look = 0; look <= 9; ++look) {
        m.setScrolling(look);
        EXPECT_EQ(m.look(), look);
    }
    for (int look : {10, -1, 1000, std::numeric_limits<std::int32_t>::min()}) {
        m.setScrolling(look);
        EXPECT_EQ(m.scrolling(), look);
        EXPECT_EQ(m.look(), ProgressBarModel::kGlossy);
    }
    m.setOrientation(-7);
    EXPECT_TRUE(m.vertical());
}

TEST(ProgressBarBackBuffer, IsBuiltForPositiveSizesAndOnlyGrows) {
    ProgressBarModel m;
    EXPECT_FALSE(m.ensureBackBuffer(0, 10));
    EXPECT_FALSE(m.ensureBackBuffer(10, -1));
    EXPECT_FALSE(m.backBuffer());

    ASSERT_TRUE(m.ensureBackBuffer(100, 20));
    auto first = m.backBuffer();
    EXPECT_EQ(first->get_width(), 100);
    EXPECT_EQ(first->get_height(), 20);

    // Smaller: the same buffer is reused.
    EXPECT_TRUE(m.ensureBackBuffer(50, 10));
    EXPECT_EQ(m.backBuffer()->cobj(), first->cobj());
    EXPECT_EQ(m.backBufferWidth(), 100);

    // Wider but lower: rebuilt wider, and no lower than before.
    EXPECT_TRUE(m.ensureBackBuffer(120, 10));
    EXPECT_EQ(m.backBufferWidth(), 120);
    EXPECT_EQ(m.backBufferHeight(), 20);
    EXPECT_EQ(m.backBuffer()->get_width(), 120);
    EXPECT_EQ(m.backBuffer()->get_height(), 20);

    m.releaseBackBuffer();
    EXPECT_FALSE(m.backBuffer());
    EXPECT_EQ(m.backBufferWidth(), 0);
}

TEST(ProgressBarBackBuffer, HoldsTheWindowsScaleFactorInDevicePixels) {
    ProgressBarModel m;
    m.setValue(100);
    ASSERT_TRUE(m.ensureBackBuffer(100, 20, 2));
    EXPECT_EQ(m.backBufferWidth(), 100);
    EXPECT_EQ(m.backBuffer()->get_width(), 200);
    EXPECT_EQ(m.backBuffer()->get_height(), 40);
    // A bar drawn in pixels covers the whole buffer, down to its last device pixel.
    cairo_t* cr = cairo_create(m.backBuffer()->cobj());
    DrawProgressBar(cr, m, 100, 20);
    cairo_destroy(cr);
    cairo_surface_flush(m.backBuffer()->cobj());
    auto alpha = [&](int x, int y) {
        const unsigned char* data = m.backBuffer()->get_data();
        std::uint32_t px = 0;
        std::memcpy(&px, data + y * m.backBuffer()->get_stride() + 4 * x, 4);
        return px >> 24;
    };
    for (auto [x, y] : {std::pair{0, 0}, {199, 39}, {150, 30}, {199, 0}, {0, 39}}) {
        EXPECT_EQ(alpha(x, y), 255u) << x << "," << y;
    }
    // Back on an ordinary screen the buffer is made again, one device pixel to a pixel.
    ASSERT_TRUE(m.ensureBackBuffer(100, 20, 1));
    EXPECT_EQ(m.backBuffer()->get_width(), 100);
}

TEST(ProgressBarBackBuffer, ATooLargeControlKeepsTheBufferItHasAndDrawsWithoutOne) {
    ProgressBarModel m;
    ASSERT_TRUE(m.ensureBackBuffer(100, 20));
    EXPECT_FALSE(m.ensureBackBuffer(ProgressBarModel::kMaxBufferSide + 1, 20));
    EXPECT_FALSE(m.ensureBackBuffer(10000, 10000));
    EXPECT_EQ(m.backBufferWidth(), 100);
    EXPECT_EQ(m.backBufferHeight(), 20);
    EXPECT_TRUE(m.ensureBackBuffer(100, 20));
}

TEST(ProgressBarProperties, WritesChangedValuesUnderTheirNames) {
    ProgressBarModel defaults;
    auto bag = defaults.writeProperties();
    ASSERT_EQ(bag.size(), 2u);
    EXPECT_EQ(bag[0].first, "Color");
    EXPECT_EQ(bag[1].first, "Font");

    ProgressBarModel m;
    m.setValue(37);
    m.setMax(200);
    m.setScrolling(7);
    m.setShowText(true);
    m.setBrushStyle(5);
    m.setColor(packRgb(1, 2, 3));
    bag = m.writeProperties();
    ASSERT_NE(find(bag, "Value"), nullptr);
    EXPECT_EQ(*find(bag, "Value"), "37");  // the percentage itself
    EXPECT_EQ(*find(bag, "Max"), "200");
    EXPECT_EQ(*find(bag, "Scrolling"), "7");
    EXPECT_EQ(*find(bag, "ShowText"), "True");
    EXPECT_EQ(*find(bag, "BrushStyle"), "5");
    EXPECT_EQ(*find(bag, "Color"), std::to_string(packRgb(1, 2, 3)));
    EXPECT_EQ(find(bag, "Min"), nullptr);
    EXPECT_EQ(find(bag, "Orientation"), nullptr);
}

TEST(ProgressBarProperties, ReadsNamesInAnyCaseAndSkipsBadValues) {
    CountedModel c;
    c.model.readProperties({{"value", "150"},
                            {"MAX", "200"},
                            {"scrolling", "six"},
                            {"showtext", "True"},
                            {"brushstyle", "2"},
                            {"color", std::to_string(packRgb(9, 8, 7))},
                            {"orientation", "99999999999"},
                            {"font", "Serif 12"},
                            {"unknown", "1"}});
    EXPECT_EQ(c.model.percent(), 100);  // cut by the redraw that follows
    EXPECT_EQ(c.model.max(), 200);
    EXPECT_EQ(c.model.scrolling(), 0);
    EXPECT_TRUE(c.model.showText());
    EXPECT_EQ(c.model.brushStyle(), 2);
    EXPECT_EQ(c.model.color(), packRgb(9, 8, 7));
    EXPECT_EQ(c.model.orientation(), 0);
    EXPECT_EQ(c.model.font().get_family(), "Serif");
    EXPECT_EQ(c.redraws, 1);
    EXPECT_TRUE(c.model.changedProperties().empty());

    ProgressBarModel copy;
    copy.readProperties(c.model.writeProperties());
    EXPECT_EQ(copy.writeProperties(), c.model.writeProperties());
}
