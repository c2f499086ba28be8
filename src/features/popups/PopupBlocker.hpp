#pragma once

// The popup blocker: every main window's handler of its engine's new-window requests. It
// keeps no state of its own: the mode, the log switch, the popup target and the counter
// come from the live options model at the moment each request is handled, so a choice
// changed in the open options dialog governs the next popup before it is applied.

#include "engine/PageEngine.hpp"

namespace larkspan {

class Page;
class ShellContext;
class frmBrowser;

namespace popups {

// Handles every new-window request of `page` (one of `window`'s) from now on.
void attach(ShellContext& context, frmBrowser& window, Page& page);

// One request of `page`, shown in `window`. Lets pending events run first (further requests may be
// handled in full meanwhile), then refuses it (`cancel`), or allows it into a new main
// window hosting an engine related to the requesting one (`ppDisp`), or hands its address
// to the default browser and refuses it here. Errors in one step skip that step.
void WebBrowser1_NewWindow2(ShellContext& context, frmBrowser& window, Page& page,
                            NewWindowRequest& request);

}  // namespace popups
}  // namespace larkspan
