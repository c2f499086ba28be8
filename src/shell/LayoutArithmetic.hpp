#pragma once

// The main window's layout in twips: where the page engine, the address box, the search
// box, the search button and the decorative shape go for a given inner size, what the tray
// step of the layout pass does, and the state changes of the status-bar toggle. The window
// converts the twips to pixels (Twips.hpp) and moves its widgets.

#include <string>

#include "shell/ProgressDisplay.hpp"

namespace larkspan {

struct LayoutInput {
    double innerWidth = 0;      // the client area, twips
    double innerHeight = 0;     // the client area, twips
    double outerWidth = 0;      // the whole window with its frame, twips
    bool statusBarTick = true;  // the "&Statusbar" menu tick
};

// The places one layout pass gives. Fields the pass leaves alone are not here: the address
// box keeps its height, the search box and button their top, width and height, the shape
// everything but its width. Sizes that would come out negative in a very small window are
// 0.
struct LayoutPlaces {
    TwipsRect webBrowser1;       // 0, 1080, inner width, inner height - 1315 (or - 1060
                                 // while the status bar is hidden)
    double cboAddressLeft = 0;   // 7
    double cboAddressTop = 0;    // 730
    double cboAddressWidth = 0;  // inner width - 3150
    double command1Left = 0;     // inner width - 980 (the search button)
    double txtSearchLeft = 0;    // inner width - 3050 (the search box)
    double shape1Width = 0;      // the outer width
};

LayoutPlaces layoutPlaces(const LayoutInput& in);

// The tray step of the layout pass. With "Minimize To Systray" ticked, a minimised window
// puts its icon in the notification area and hides; any other state removes the icon
// (removing an absent icon is harmless) and shows the window. Unticked: nothing.
// `inTray` is the window's own record that it is hidden in the tray: a window there stays
// there until it is restored, whatever passes run meanwhile.
enum class TrayStep { None, AddIconAndHide, RemoveIconAndShow };
TrayStep trayStep(bool minimizeToTray, bool minimized, bool inTray);

// Tools > Statusbar. The window runs, in this order:
//   1. the menu tick := toggled.tick;           2. status bar visible := toggled.tick;
//   3. PB moved to progressBarPlace(...);       4. PB visible := toggled.tick;
//   5. "StatusBarVisible" := toggled.storedValue;   6. the layout pass;
//   7. the options check box "Show &Statusbar" := toggled.check1.
struct StatusBarToggle {
    bool tick = false;        // the new tick, also the status bar's and PB's visibility
    std::string storedValue;  // "True" or "False"
    int check1 = 0;           // 1 ticked, 0 clear
};
StatusBarToggle toggleStatusBar(bool tickBefore);

}  // namespace larkspan
