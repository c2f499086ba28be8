#pragma once

// The colour and font scheme of the program's own windows: one look for every styled
// button (copied from the options dialog's sample button `Example`), a back colour and a
// text colour for the windows and their captions. The values live in the live options
// model (its Layout swatches); this unit carries them to the windows.
//
// The tables below say which control of which window each pass reaches, in pass order;
// they need no display. The passes walk them over the windows that exist (every main
// window, and the shared windows of the registry) and recolour through per-widget styles.

#include <functional>
#include <string_view>
#include <vector>

#include "common/Color.hpp"

namespace Gtk {
class Widget;
class Window;
}  // namespace Gtk

namespace larkspan {

class ShellContext;
class StyledButton;

namespace scheme {

// The name the tables use for "every main window".
inline constexpr std::string_view kMainWindow = "frmBrowser";

// One control of one window; an empty control stands for the window itself.
struct Target {
    std::string_view window;
    std::string_view control;
};

// The styled buttons the four button-colour passes reach, in order.
const std::vector<Target>& buttonColorTargets();
// The dialog's styled buttons that take the sample's style on "Apply", in order (the main
// windows' search buttons follow them).
const std::vector<std::string_view>& optionsStyleTargets();
// The controls and windows the program back colour reaches, in order.
const std::vector<Target>& backColorTargets();
// The named controls of other windows the program font colour reaches, in order. In the
// options dialog it reaches every caption, label and check box (never a swatch).
const std::vector<Target>& fontColorTargets();

// Whether a pass may create `window` (hidden) when it does not exist yet. The update
// window is never created by a pass: its load asks the update server and reports a failed
// request in message boxes, which must not happen on every activation of a main window.
bool passMayCreate(std::string_view window);

// ---- GTK side.

// Takes the desktop theme's button face, button text and grey-text colours as the system
// colours (kSysButtonFace, kSysButtonText, kSysGrayText).
void readSystemColors();

// A styled button of one of the program's windows as it loads: custom colours on, and the
// sample button's five looks.
void takeSampleLook(ShellContext& context, StyledButton& button);

// The passes of "Apply" and of a main window's activation.
void applyButtonColors(ShellContext& context);
void applyProgramBackColor(ShellContext& context);
void applyProgramFontColor(ShellContext& context);

// Runs `fn` on a widget and everything inside it, internal parts included (a drop-down
// list draws its text in inner widgets that do not take the list's own style).
void forWidgetAndParts(Gtk::Widget& w, const std::function<void(Gtk::Widget&)>& fn);

// The widget called `name` inside `root` (root included), or null.
Gtk::Widget* findNamed(Gtk::Widget& root, std::string_view name);

}  // namespace scheme
}  // namespace larkspan
