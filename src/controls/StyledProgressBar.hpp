#pragma once

// The program's own progress bar: a drawing area that shows a ProgressBarModel through
// DrawProgressBar. Property changes that ask for a redraw queue one; every paint draws the
// whole control into the model's back buffer and copies that in one go (straight onto the
// screen when no buffer can be had). The bar has no animation of its own: look 2 moves its
// blocks only as the value changes.
//
// Windows declare it as a GtkDrawingArea placeholder in their .ui file and fetch it with
// Gtk::Builder::get_widget_derived.
//
// To assistive technology it is a progress bar named "Progress" whose description tells
// the percentage shown ("37 %"), kept up to date as the value changes.

#include <gtkmm/builder.h>
#include <gtkmm/drawingarea.h>

#include <cstdint>

#include "controls/ProgressBarModel.hpp"

namespace larkspan {

class StyledProgressBar : public Gtk::DrawingArea {
  public:
    StyledProgressBar();
    StyledProgressBar(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder);
    ~StyledProgressBar() override;

    StyledProgressBar(const StyledProgressBar&) = delete;
    StyledProgressBar& operator=(const StyledProgressBar&) = delete;

    ProgressBarModel& model() { return model_; }
    const ProgressBarModel& model() const { return model_; }

    // The control's properties (see ProgressBarModel for their rules).
    std::int32_t value() const { return model_.value(); }
    void setValue(std::int32_t value) { model_.setValue(value); }
    std::int32_t min() const { return model_.min(); }
    void setMin(std::int32_t min) { model_.setMin(min); }
    std::int32_t max() const { return model_.max(); }
    void setMax(std::int32_t max) { model_.setMax(max); }
    ColorValue color() const { return model_.color(); }
    void setColor(ColorValue color) { model_.setColor(color); }
    std::int32_t scrolling() const { return model_.scrolling(); }
    void setScrolling(std::int32_t look) { model_.setScrolling(look); }
    std::int32_t orientation() const { return model_.orientation(); }
    void setOrientation(std::int32_t orientation) { model_.setOrientation(orientation); }
    bool showText() const { return model_.showText(); }
    void setShowText(bool show) { model_.setShowText(show); }
    std::int32_t brushStyle() const { return model_.brushStyle(); }
    void setBrushStyle(std::int32_t style) { model_.setBrushStyle(style); }
    const Cairo::RefPtr<Cairo::Surface>& image() const { return model_.image(); }
    void setImage(const Cairo::RefPtr<Cairo::Surface>& image) { model_.setImage(image); }
    const Pango::FontDescription& font() const { return model_.font(); }
    void setFont(const Pango::FontDescription& font) { model_.setFont(font); }

    // The internal percentage, 0 to 100 once drawn.
    std::int32_t percent() const { return model_.percent(); }

  protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    void on_size_allocate(Gtk::Allocation& allocation) override;

  private:
    void init();
    void updateAccessibleValue();

    ProgressBarModel model_;
    std::int32_t describedPercent_ = -1;
};

}  // namespace larkspan
