#pragma once

#include <string>

namespace larkspan {

class SettingsStore;

// The base address of the update server: the "Settings" key "UpdateServer" when it is set,
// otherwise the address the build configured. Empty means no update server: the start-up
// check then asks nothing, and a check the user asks for says that updates come through
// the system's package manager. Only "https" addresses (or loopback ones) are fetched from. A
// trailing "/" is dropped so paths can be appended.
std::string updateServerBase(const SettingsStore& store);

}  // namespace larkspan
