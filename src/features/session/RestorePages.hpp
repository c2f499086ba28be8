#pragma once

// Moves pages between the running windows and their saved form: a page as a saved tab, a
// window as a saved window, and back, each restored page loading only when first shown.

#include <vector>

#include "features/session/Session.hpp"

namespace larkspan {

class Page;
class ShellContext;
class frmBrowser;

namespace session {

SessionTab savedTab(const Page& page);
WindowPlaces savedPlace(const frmBrowser& window);
SessionWindow savedWindow(const frmBrowser& window);

// Adds `tab` to `window` as a page that waits to load until it is first shown.
Page& addRestoredTab(ShellContext& context, frmBrowser& window, const SessionTab& tab);

// Gives `window` the place of `saved` and its tabs after its own, then shows the saved
// current tab. The window's first page gives way when it only opened on the home page.
void fillWindow(ShellContext& context, frmBrowser& window, const SessionWindow& saved);

// While a window's own first page gives way to restored pages: such a page was never the
// user's, so it is not counted as closed.
bool placeholderClosing();

// A new main window holding `saved`'s tabs, shown. Its own first page loads nothing.
frmBrowser& openWindow(ShellContext& context, const SessionWindow& saved);

// Opens `windows` as openWindow does once `first` has finished loading, or a few seconds
// on at the latest.
void openWindowsAfter(ShellContext& context, Page& first, std::vector<SessionWindow> windows);

}  // namespace session
}  // namespace larkspan
