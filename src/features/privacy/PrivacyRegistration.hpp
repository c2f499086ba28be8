#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// Tools > Clear Browsing Data... (Ctrl+Shift+Delete) with the data this feature clears
// itself (cookies and site data, cached files, typed addresses), and the Site Data window
// the options' Privacy page opens ("app.manage-site-data").
void registerPrivacy(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
