#include "controls/StyledProgressBar.hpp"

#include <gtest/gtest.h>
#include <gtkmm/builder.h>
#include <gtkmm/window.h>

#include <memory>

#include "controls/ProgressBarPainter.hpp"
#include "support/Display.hpp"

using namespace larkspan;
using larkspan::testing::initGtk;
using larkspan::testing::runUntil;

namespace {

// What the widget paints, taken through its own draw handler.
Cairo::RefPtr<Cairo::ImageSurface> snapshot(Gtk::Widget& w) {
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, w.get_allocated_width(),
                                               w.get_allocated_height());
    auto cr = Cairo::Context::create(surface);
    gtk_widget_draw(w.gobj(), cr->cobj());
    surface->flush();
    return surface;
}

// Number of pixels where the widget's picture and the model's own drawing differ.
int differingPixels(StyledProgressBar& bar) {
    auto shot = snapshot(bar);
    int w = bar.get_allocated_width(), h = bar.get_allocated_height();
    auto expected = renderProgressBar(bar.model(), w, h);
    if (!expected) return -1;
    int differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!(surfacePixel(shot, x, y) == surfacePixel(expected, x, y))) ++differ;
    return differ;
}

}  // namespace

TEST(StyledProgressBarGui, RedrawsAfterASetterAndShowsTheModelsDrawing) {
    initGtk();
    Gtk::Window win;
    StyledProgressBar bar;
    bar.set_size_request(150, 20);
    win.add(bar);
    int draws = 0;
    bar.signal_draw().connect(
        [&draws](const Cairo::RefPtr<Cairo::Context>&) {
            ++draws;
            return false;
        },
        false);  // before the widget's own handler, which ends the emission
    win.show_all();
    ASSERT_TRUE(runUntil([&] { return draws > 0; }));

    int before = draws;
    bar.setColor(packRgb(200, 40, 40));
    bar.setShowText(true);
    bar.setValue(60);
    ASSERT_TRUE(runUntil([&] { return draws > before; }));
    EXPECT_EQ(bar.value(), 60);
    EXPECT_GE(bar.model().backBufferWidth(), bar.get_allocated_width());
    EXPECT_GE(bar.model().backBufferHeight(), bar.get_allocated_height());
    EXPECT_EQ(differingPixels(bar), 0);
    EXPECT_EQ(surfacePixel(snapshot(bar), 20, 9), (Rgb{200, 40, 40}));

    before = draws;
    bar.setScrolling(6);
    ASSERT_TRUE(runUntil([&] { return draws > before; }));
    EXPECT_EQ(differingPixels(bar), 0);
    EXPECT_EQ(surfacePixel(snapshot(bar), 120, 10), (Rgb{0, 0, 0}));
}

TEST(StyledProgressBarGui, ComesFromABuilderPlaceholderAsAProgressBarTellingItsValue) {
    initGtk();
    auto builder = Gtk::Builder::create_from_string(R"(<interface>
  <object class="GtkWindow" id="win">
    <child>
      <object class="GtkDrawingArea" id="PB">
        <property name="visible">True</property>
        <property name="width-request">120</property>
        <property name="height-request">18</property>
      </object>
    </child>
  </object>
</interface>)");
    Gtk::Window* rawWin = nullptr;
    builder->get_widget("win", rawWin);
    ASSERT_NE(rawWin, nullptr);
    std::unique_ptr<Gtk::Window> win(rawWin);
    StyledProgressBar* pb = nullptr;
    builder->get_widget_derived("PB", pb);
    ASSERT_NE(pb, nullptr);

    int draws = 0;
    pb->signal_draw().connect(
        [&draws](const Cairo::RefPtr<Cairo::Context>&) {
            ++draws;
            return false;
        },
        false);  // before the widget's own handler, which ends the emission
    win->show();
    ASSERT_TRUE(runUntil([&] { return draws > 0; }));
    int before = draws;
    pb->setScrolling(9);
    pb->setValue(50);
    ASSERT_TRUE(runUntil([&] { return draws > before; }));
    EXPECT_EQ(pb->get_allocated_width(), 120);
    EXPECT_EQ(differingPixels(*pb), 0);

    AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(pb->gobj()));
    EXPECT_EQ(atk_object_get_role(accessible), ATK_ROLE_PROGRESS_BAR);
    EXPECT_STREQ(atk_object_get_name(accessible), "Progress");
    EXPECT_STREQ(atk_object_get_description(accessible), "50 %");
    pb->setValue(250);
    EXPECT_STREQ(atk_object_get_description(accessible), "100 %");
}
