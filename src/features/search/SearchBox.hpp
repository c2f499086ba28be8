#pragma once

namespace larkspan {

class ShellContext;
class frmBrowser;

namespace search {

// Wires a main window's search box `txtSearch` and its "Search" button `Command1`: the
// placeholder handlers and the search run by Enter and by the button.
void attachSearchBox(ShellContext& context, frmBrowser& window);

// Sends the box's text to the chosen engine (Google, after a message, when none is
// chosen) in `window`'s page engine, and stores the engine name as the last one used.
void runSearch(ShellContext& context, frmBrowser& window);

}  // namespace search
}  // namespace larkspan
