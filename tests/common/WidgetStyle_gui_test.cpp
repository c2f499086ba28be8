// Per-widget colours: a text box in the program's colours still shows its selected text.
#include <gtest/gtest.h>
#include <gtkmm/entry.h>
#include <gtkmm/offscreenwindow.h>

#include "common/Color.hpp"
#include "common/WidgetStyle.hpp"
#include "support/Display.hpp"

namespace larkspan {
namespace {

// How many pixels of the drawn window have exactly the colour r, g, b.
int pixelsOf(Gtk::OffscreenWindow& window, int r, int g, int b) {
    Glib::RefPtr<Gdk::Pixbuf> shot = window.get_pixbuf();
    if (!shot) return -1;
    const int channels = shot->get_n_channels();
    int count = 0;
    for (int y = 0; y < shot->get_height(); ++y) {
        const guint8* row = shot->get_pixels() + y * shot->get_rowstride();
        for (int x = 0; x < shot->get_width(); ++x) {
            const guint8* p = row + x * channels;
            if (p[0] == r && p[1] == g && p[2] == b) ++count;
        }
    }
    return count;
}

TEST(WidgetStyleTest, SelectedTextStaysVisibleInTheBoxsOwnColours) {
    testing::initGtk();
    Gtk::OffscreenWindow window;
    Gtk::Entry entry;
    entry.set_text("MMMMMMMMMMMMMMMMMMMM");
    window.add(entry);
    window.show_all();
    style::setBackground(entry, packRgb(0, 200, 0));
    style::setForeground(entry, packRgb(0, 0, 0));
    // Shown, the box took the focus and with it selected its text: nothing is selected now.
    entry.select_region(0, 0);
    // Most of the box wears its back colour.
    const int area = entry.get_allocated_width() * entry.get_allocated_height();
    ASSERT_TRUE(testing::runUntil([&] { return pixelsOf(window, 0, 200, 0) > area / 2; }))
        << pixelsOf(window, 0, 200, 0) << " of " << area;
    const int unselected = pixelsOf(window, 0, 200, 0);

    // The selection is drawn in a colour of its own over much of the box.
    entry.select_region(0, -1);
    EXPECT_TRUE(testing::runUntil([&] { return pixelsOf(window, 0, 200, 0) < unselected * 3 / 4; }))
        << pixelsOf(window, 0, 200, 0) << " of " << unselected;
}

}  // namespace
}  // namespace larkspan
