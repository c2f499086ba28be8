#include "shell/ShellContext.hpp"

#include <algorithm>

#include "common/Dialogs.hpp"
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

frmBrowser* ShellContext::windowHolding(const Page& page) const {
    for (frmBrowser* window : browsers()) {
        for (const auto& held : window->pages()) {
            if (held.get() == &page) return window;
        }
    }
    return nullptr;
}

namespace {

void askGuards(std::vector<ShellContext::LastWindowGuard> guards, std::size_t next,
               frmBrowser& closing, std::function<void()> close) {
    if (next >= guards.size()) return close();
    const ShellContext::LastWindowGuard& guard = guards[next];
    guard(closing, whileAlive<bool>(closing, [guards = std::move(guards), next, &closing,
                                              close = std::move(close)](bool agreed) {
              if (agreed) askGuards(guards, next + 1, closing, close);
          }));
}

}  // namespace

void ShellContext::whenMayClose(frmBrowser& closing, std::function<void()> close) const {
    const std::vector<frmBrowser*>& open = browsers();
    if (open.size() != 1 || open.front() != &closing) return close();
    askGuards(lastWindowGuards_, 0, closing, whileAlive<>(closing, std::move(close)));
}

void ShellContext::reloadAddressLists() {
    // One list serves every window; what each window's box holds stays.
    addressList().load(listfile::historyFilePath());
}

}  // namespace larkspan
