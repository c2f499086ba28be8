#pragma once

#include <string>

namespace larkspan {

class SettingsStore;

// The base address of the update server: the "Settings" key "UpdateServer" when it is set,
// otherwise the address the build configured. Empty means no update server, and then no
// update check is made. A trailing "/" is dropped so paths can be appended.
std::string updateServerBase(const SettingsStore& store);

}  // namespace larkspan
