#include "features/update/UpdateServer.hpp"

#include "BuildConfig.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan {

std::string updateServerBase(const SettingsStore& store) {
    std::string base = store.read(keys::kSettings, keys::kUpdateServer, build::kUpdateServer);
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

}  // namespace larkspan
