#include "app/SharedWindows.hpp"

#include "app/WindowRegistry.hpp"

namespace larkspan {

void defineSharedWindows(WindowRegistry& registry) {
    // One line per shared window: registry.define("frmName", &makeTheWindow);
    (void)registry;
}

}  // namespace larkspan
