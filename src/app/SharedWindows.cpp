#include "app/SharedWindows.hpp"

#include "app/WindowRegistry.hpp"
#include "settings/frmFont.hpp"
#include "settings/frmOptions.hpp"

namespace larkspan {

void defineSharedWindows(WindowRegistry& registry) {
    // One line per shared window: registry.define("frmName", &makeTheWindow);
    (void)registry;
    registry.define("frmOptions", &makeOptionsDialog);
    registry.define("frmFont", &makeFontChooser);
}

}  // namespace larkspan
