#include "shell/ShellContext.hpp"

#include "common/ListFile.hpp"
#include "shell/AddressList.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

Gtk::Window* ShellContext::ownerWindow() const {
    return firstWindow();
}

std::string ShellContext::currentAddress() const {
    frmBrowser* first = firstWindow();
    return first ? first->WebBrowser1().locationURL() : std::string();
}

bool ShellContext::mayClose(frmBrowser& closing) const {
    const std::vector<frmBrowser*>& open = browsers();
    if (open.size() != 1 || open.front() != &closing) return true;
    for (const LastWindowGuard& guard : lastWindowGuards_) {
        if (!guard(closing)) return false;
    }
    return true;
}

void ShellContext::reloadAddressLists() {
    // One list serves every window; what each window's box holds stays.
    addressList().load(listfile::historyFilePath());
}

}  // namespace larkspan
