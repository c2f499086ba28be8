#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Ad and tracker blocking: the filter made from the lists once the first main window is up,
// and each main window's "Allow Ads on This Site".
void registerContentFilter(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
