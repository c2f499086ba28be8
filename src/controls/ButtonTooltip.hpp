#pragma once

// The styled button's own tooltip: what it shows (text, title, title icon, colours, plain or
// balloon), its measuring and drawing (no display needed), and the small popup window that
// puts it on screen.

#include <cairo.h>
#include <gtkmm/window.h>

#include <string>

#include "controls/ButtonModel.hpp"

namespace larkspan {

// The colours a tooltip keeps when the button sets none (a colour of 0 means "keep").
inline constexpr Rgb kTooltipSystemBack{255, 255, 225};
inline constexpr Rgb kTooltipSystemFore{0, 0, 0};

struct ButtonTooltipContent {
    std::string title;
    std::string text;
    int icon = 0;  // 0 none, 1 information, 2 warning, 3 error
    bool balloon = true;
    Rgb back = kTooltipSystemBack;
    Rgb fore = kTooltipSystemFore;
    int stemX = 18;  // balloon only: where the stem points, from the left edge

    bool empty() const { return title.empty() && text.empty(); }
};

// The tooltip of a button: its ToolTipText (or, when that is empty, the text taken over from
// the container), title and icon, balloon when ToolTipType is 1, and the two colours when
// they are not 0. Invalid UTF-8 is repaired.
ButtonTooltipContent tooltipContent(const ButtonModel& model, const std::string& takenOverText);

// Size in pixels of the drawn tooltip (text wrapped at a fixed maximum width).
struct TooltipSize {
    int w = 0;
    int h = 0;
};
TooltipSize measureTooltip(const ButtonTooltipContent& content);

// Draws the tooltip into (0, 0, w, h); the balloon leaves its outside transparent.
void paintTooltip(cairo_t* cr, const ButtonTooltipContent& content, int w, int h);

// A popup window showing one tooltip, shaped to the balloon outline.
class ButtonTooltipWindow : public Gtk::Window {
  public:
    explicit ButtonTooltipWindow(ButtonTooltipContent content);
    const ButtonTooltipContent& content() const { return content_; }
    // Places the tooltip so that it points at (x, y) on the screen, kept on the monitor.
    void showAt(int rootX, int rootY);

  protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

  private:
    ButtonTooltipContent content_;
    TooltipSize size_;
};

}  // namespace larkspan
