#pragma once

// The colour scheme of the program's own windows: one look for every styled button (the
// options' sample look), a back colour and a text colour for the windows and their
// captions. The values live in the live options model; this unit carries them to the
// windows.
//
// The program colours reach widgets through CSS classes that the .ui files give them, and
// one style provider per colour on the screen: a window made later takes the colours by
// carrying the class. The styled buttons draw themselves, so each follows the model
// through a small observer instead.

#include <functional>
#include <string>

#include "common/Color.hpp"

namespace Gtk {
class Widget;
}  // namespace Gtk

namespace larkspan {

class ShellContext;
class StyledButton;

namespace scheme {

// The classes: the program back colour; the program text colour on one widget; the
// program text colour on every caption, label and check box inside a window.
inline constexpr const char* kProgramBackClass = "larkspan-program-back";
inline constexpr const char* kProgramTextClass = "larkspan-program-text";
inline constexpr const char* kProgramCaptionsClass = "larkspan-program-captions";

// The style sheets of the two program colours.
std::string programBackCss(ColorValue back);
std::string programTextCss(ColorValue text);

// ---- GTK side.

// Takes the desktop theme's button face, button text, grey-text and text-box colours as
// the system colours (kSysButtonFace, kSysButtonText, kSysGrayText, kSysWindow,
// kSysWindowText).
void readSystemColors();
// From now on, reads them again whenever the desktop theme or its dark variant changes,
// and gives every widget and style sheet drawn in a system colour the new colour.
void followDesktopTheme();

// Gives the program colours of the options to every widget that carries their classes
// (the options "Apply" and each activation of a main window).
void applyProgramColors(ShellContext& context);

// A styled button of one of the program's windows as it loads: custom colours on and the
// sample's five looks. From then on each "Apply" gives it the four button colours and,
// when `takesStyle`, the sample's style.
void followButtonLook(ShellContext& context, StyledButton& button, bool takesStyle);
// The same without following (the sample button itself, and tests).
void takeSampleLook(ShellContext& context, StyledButton& button);

// Runs `fn` on a widget and everything inside it, internal parts included (a drop-down
// list draws its text in inner widgets that do not take the list's own style).
void forWidgetAndParts(Gtk::Widget& w, const std::function<void(Gtk::Widget&)>& fn);

}  // namespace scheme
}  // namespace larkspan
