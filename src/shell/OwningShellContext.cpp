#include "shell/OwningShellContext.hpp"

#include "common/Dialogs.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {

OwningShellContext::OwningShellContext() {
    addSuggestionSource(typedSuggestions_);
}

OwningShellContext::~OwningShellContext() = default;

SettingsStore& OwningShellContext::settings() {
    if (!store_) store_ = std::make_unique<SettingsStore>(SettingsStore::defaultFile());
    return *store_;
}

OptionsModel& OwningShellContext::options() {
    if (!options_) {
        options_ = std::make_unique<OptionsModel>();
        options_->load(settings());
    } else {
        options_->reloadIfStale(settings());
    }
    return *options_;
}

Dialogs& OwningShellContext::dialogs() {
    return larkspan::dialogs();
}

frmBrowser& OwningShellContext::createBrowserWindow(std::unique_ptr<PageEngine> engine) {
    return mainWindows_.create(*this, application(), std::move(engine),
                               [this] { return makeEngine(); });
}

void OwningShellContext::closeEverything() {
    windows_.closeAll();
    mainWindows_.clear();
}

}  // namespace larkspan
