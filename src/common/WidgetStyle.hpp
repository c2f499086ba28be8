#pragma once

#include <optional>
#include <string>

#include "common/Color.hpp"

namespace Gtk {
class Widget;
}

namespace larkspan::style {

// Per-widget looks through a CSS provider of the widget's own (never a global theme
// change). Each setter replaces only its own part of that widget's style.
void setForeground(Gtk::Widget& w, ColorValue c);
void setBackground(Gtk::Widget& w, ColorValue c);
void setFontFamily(Gtk::Widget& w, const std::string& family);

// What was last set on the widget through the setters above (tests read it back).
std::optional<ColorValue> foreground(Gtk::Widget& w);
std::optional<ColorValue> background(Gtk::Widget& w);
std::optional<std::string> fontFamily(Gtk::Widget& w);

// Gives every widget styled with a system colour that colour as the theme now resolves
// it (after the system colours were read again).
void refreshSystemColors();

// "#rrggbb" of a colour value (system colours resolved).
std::string cssColor(ColorValue c);

}  // namespace larkspan::style
