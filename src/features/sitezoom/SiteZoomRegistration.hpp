#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Text size per site: the size the user chooses for a page is kept for its host and taken up
// by every page of that host that loads, in any window; the ordinary size (Ctrl+0) forgets
// it. Pages of private windows (Page::isPrivate) change nothing that is kept.
void registerSiteZoom(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
