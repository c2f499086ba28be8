#include "controls/StyledProgressBar.hpp"

#include <gtkmm/stylecontext.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "common/Failure.hpp"
#include "controls/ProgressBarPainter.hpp"

namespace larkspan {

namespace {

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::fmin(1.0, std::fmax(0.0, v)) * 255.0));
}

}  // namespace

StyledProgressBar::StyledProgressBar() {
    init();
}

StyledProgressBar::StyledProgressBar(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>&)
    : Gtk::DrawingArea(cobject) {
    init();
}

StyledProgressBar::~StyledProgressBar() {
    model_.setRedrawHandler({});
    model_.releaseBackBuffer();
}

void StyledProgressBar::init() {
    // The highlight colour of the desktop theme is the bar's default colour.
    Gdk::RGBA selected;
    if (get_style_context()->lookup_color("theme_selected_bg_color", selected)) {
        model_.setSystemHighlight(Rgb{toByte(selected.get_red()), toByte(selected.get_green()),
                                      toByte(selected.get_blue())});
        model_.setColor(kProgressBarDefaultColor);
    }
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(gobj()))) {
        atk_object_set_role(accessible, ATK_ROLE_PROGRESS_BAR);
        atk_object_set_name(accessible, "Progress");
    }
    updateAccessibleValue();
    model_.setRedrawHandler([this] {
        queue_draw();
        updateAccessibleValue();
    });
    queue_draw();
}

void StyledProgressBar::updateAccessibleValue() {
    const std::int32_t shown = std::clamp<std::int32_t>(model_.percent(), 0, 100);
    if (shown == describedPercent_) return;
    describedPercent_ = shown;
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(gobj()))) {
        atk_object_set_description(accessible, (std::to_string(shown) + " %").c_str());
    }
}

bool StyledProgressBar::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    try {
        const int w = get_allocated_width();
        const int h = get_allocated_height();
        model_.clampPercent();
        // The buffer holds the window's scale factor in device pixels: sharp on a dense
        // screen.
        if (model_.ensureBackBuffer(w, h, get_scale_factor())) {
            cairo_t* bcr = cairo_create(model_.backBuffer()->cobj());
            DrawProgressBar(bcr, model_, w, h);
            cairo_destroy(bcr);
            copyBackBuffer(cr->cobj(), model_, 0, 0, w, h, 0, 0);
        } else {
            DrawProgressBar(cr->cobj(), model_, w, h);
        }
    } catch (...) {
        reportFailure("drawing the progress bar");
        // A failed paint leaves the old picture; the next one tries again.
    }
    return true;
}

void StyledProgressBar::on_size_allocate(Gtk::Allocation& allocation) {
    Gtk::DrawingArea::on_size_allocate(allocation);
    // Grown now rather than at the next paint; it never shrinks.
    model_.ensureBackBuffer(allocation.get_width(), allocation.get_height(), get_scale_factor());
}

}  // namespace larkspan
