#pragma once

namespace larkspan {

class ShellContext;
class WindowRegistry;

// Tells the registry how to make each of the program's shared secondary windows.
void defineSharedWindows(WindowRegistry& registry, ShellContext& context);

}  // namespace larkspan
