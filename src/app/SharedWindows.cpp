#include "app/SharedWindows.hpp"

#include "shell/WindowRegistry.hpp"
#include "shell/frmFont.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

void defineSharedWindows(WindowRegistry& registry, ShellContext& context) {
    registry.define("frmOptions", [&context] { return makeOptionsDialog(context); });
    registry.define("frmFont", [&context] { return makeFontChooser(context); });
}

}  // namespace larkspan
