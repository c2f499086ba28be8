#include "features/locks/PasswordStore.hpp"

#include "features/locks/EncDec.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"

namespace larkspan::locks {

namespace {

std::string section() {
    return EncDec(keys::kSettings, {});
}

std::string valueName() {
    return EncDec(keys::kPass, {});
}

}  // namespace

bool CheckPassword(const SettingsStore& store, const std::string& typed) {
    std::string stored = store.read(section(), valueName(), EncDec(typed, {}));
    return EncDec(stored, {}) == typed;
}

bool passwordIsSet(const SettingsStore& store) {
    return !EncDec(store.read(section(), valueName(), {}), {}).empty();
}

bool storeNewPassword(SettingsStore& store, const std::string& password) {
    return store.write(section(), valueName(), EncDec(password, {}));
}

}  // namespace larkspan::locks
