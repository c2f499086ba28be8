#include "features/search/SearchRegistration.hpp"

#include "features/search/SearchBox.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

void registerSearch(ShellContext& context, Gtk::Application&) {
    context.signalBrowserMade().connect(
        [&context](frmBrowser& window) { search::attachSearchBox(context, window); });
}

}  // namespace larkspan
