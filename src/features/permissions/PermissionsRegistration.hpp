#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Site permissions: pages' requests answered in a bar above the pages (or from the answers
// remembered per site in "site-permissions.sqlite"), the notifications allowed shown on the
// desktop, and the window of remembered answers ("frmSitePermissions", app.site-permissions).
void registerPermissions(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
