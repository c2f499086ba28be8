#include "features/popups/DefaultBrowser.hpp"

#include <giomm/appinfo.h>

namespace larkspan::popups {

namespace {

BrowserLauncher& launcher() {
    static BrowserLauncher current;
    return current;
}

}  // namespace

bool openInDefaultBrowser(const std::string& address) {
    if (address.empty()) return false;
    if (launcher()) return launcher()(address);
    try {
        return Gio::AppInfo::launch_default_for_uri(address);
    } catch (const Glib::Error&) {
        return false;
    }
}

void setBrowserLauncher(BrowserLauncher replacement) {
    launcher() = std::move(replacement);
}

}  // namespace larkspan::popups
