#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The Downloads window (shared, opened by Tools > Downloads and by each download that
// starts) and the list of the run's downloads, which every main window's page feeds.
void registerDownloads(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
