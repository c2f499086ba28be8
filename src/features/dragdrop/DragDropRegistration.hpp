#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Drops onto every main window: a link, an address or a file dropped on the window or its
// address box opens in the window's page (the web lock holding it back as it holds back a
// typed address); text dropped on the search box is searched for.
void registerDragDrop(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
