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

// Handles every new-window request of `page` from now on, on behalf of the window that
// holds the page at the time (a tab may move between windows).
void attach(ShellContext& context, Page& page);

// One request of `page`, shown in `window`, answered at once: refused (`cancel`), or allowed into a
// new main window hosting an engine related to the requesting one (`ppDisp`), or its
// address handed to the default browser and refused here. Under "Ask Me" the request is
// refused at once and the user asked without waiting; a Yes then opens the address in a new
// main window of its own or in the default browser, and a No counts and logs it as before.
// What a Yes loses is the opener: the page gets no handle on the window it asked for and the
// popup's `window.opener` is empty. The engine needs its answer before the user can give
// one, and holding the request open would mean waiting in a nested main loop; a popup the
// user had to approve is one whose page was not trusted to script it anyway, and what it
// shows (its address) arrives intact. Errors in one step skip that step.
void WebBrowser1_NewWindow2(ShellContext& context, frmBrowser& window, Page& page,
                            NewWindowRequest& request);

}  // namespace popups
}  // namespace larkspan
