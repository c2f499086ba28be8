#include "shell/ShellContext.hpp"

#include "shell/frmBrowser.hpp"

namespace larkspan {

Gtk::Window* ShellContext::ownerWindow() const {
    return firstWindow();
}

std::string ShellContext::currentAddress() const {
    frmBrowser* first = firstWindow();
    return first ? first->WebBrowser1().locationURL() : std::string();
}

void ShellContext::reloadAddressLists() {
    for (frmBrowser* b : browsers()) b->clearAddressList();
    for (frmBrowser* b : browsers()) b->LoadAddressList();
}

}  // namespace larkspan
