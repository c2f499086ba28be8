#include "shell/LayoutArithmetic.hpp"

#include <algorithm>

namespace larkspan {

namespace {

// The fixed offsets, twips.
constexpr double kEngineTop = 1080;
constexpr double kEngineHeightLossWithStatusBar = 1315;
constexpr double kEngineHeightLossWithoutStatusBar = 1060;
constexpr double kAddressLeft = 7;
constexpr double kAddressTop = 730;
constexpr double kAddressWidthLoss = 3150;
constexpr double kSearchButtonFromRight = 980;
constexpr double kSearchBoxFromRight = 3050;

double nonNegative(double v) {
    return std::max(0.0, v);
}

}  // namespace

LayoutPlaces layoutPlaces(const LayoutInput& in) {
    LayoutPlaces p;
    const double heightLoss =
        in.statusBarTick ? kEngineHeightLossWithStatusBar : kEngineHeightLossWithoutStatusBar;
    p.webBrowser1 = TwipsRect{0, kEngineTop, nonNegative(in.innerWidth),
                              nonNegative(in.innerHeight - heightLoss)};
    p.cboAddressLeft = kAddressLeft;
    p.cboAddressTop = kAddressTop;
    p.cboAddressWidth = nonNegative(in.innerWidth - kAddressWidthLoss);
    p.command1Left = in.innerWidth - kSearchButtonFromRight;
    p.txtSearchLeft = in.innerWidth - kSearchBoxFromRight;
    p.shape1Width = nonNegative(in.outerWidth);
    return p;
}

TrayStep trayStep(bool minimizeToTray, bool minimized, bool inTray) {
    if (!minimizeToTray) return TrayStep::None;
    if (minimized) return inTray ? TrayStep::None : TrayStep::AddIconAndHide;
    return TrayStep::RemoveIconAndShow;
}

StatusBarToggle toggleStatusBar(bool tickBefore) {
    StatusBarToggle t;
    t.tick = !tickBefore;
    t.storedValue = t.tick ? "True" : "False";
    t.check1 = t.tick ? 1 : 0;
    return t;
}

}  // namespace larkspan
