#include "shell/ShellContext.hpp"

#include <algorithm>

#include "common/ListFile.hpp"
#include "shell/AddressList.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

Gtk::Window* ShellContext::ownerWindow() const {
    return firstWindow();
}

std::string ShellContext::currentAddress() const {
    frmBrowser* first = firstWindow();
    return first ? first->page().engine().locationURL() : std::string();
}

frmBrowser* ShellContext::currentWindow() const {
    const std::vector<frmBrowser*>& open = browsers();
    if (std::find(open.begin(), open.end(), lastActive_) != open.end()) return lastActive_;
    return firstWindow();
}

Page* ShellContext::currentPage() const {
    frmBrowser* window = currentWindow();
    return window ? &window->page() : nullptr;
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
