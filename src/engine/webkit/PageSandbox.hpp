#pragma once

// The sandbox the engine's page processes run in. Each page process starts inside
// namespaces of its own (through the bubblewrap tool): it sees the system's files read-only,
// of the user's only what drawing a page needs (fonts, themes) and no other process, so a
// page that takes over its process cannot reach the user's files. Downloads, local files
// and the site data are read and written by the engine's other processes, outside.

#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace larkspan::engine {

// The tool the engine starts its sandboxed page processes with.
inline constexpr const char* kSandboxTool = "/usr/bin/bwrap";

// The engine's own switch that runs every page process without its sandbox, whatever the
// program asks; only the user sets it, in the environment.
inline constexpr const char* kUnsandboxedVariable = "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS";

// What went wrong when `tool` was asked to make namespaces like the engine's and run a
// program inside them; empty when it worked. Runs the tool once and waits for it.
std::string sandboxTrialProblem(const char* tool);

// Starts the trial with the engine's tool in the background, so that its answer is ready
// when the first page needs it instead of delaying that page. Optional; once per process.
void startSandboxTrial();

// Whether the engine can make its sandbox on this machine: the trial above with the
// engine's tool, made once per process (none when the user has switched the sandbox off);
// waits for the trial startSandboxTrial began. A failure is written to stderr, once.
bool sandboxWorks();

// Puts the page processes of `context` into the sandbox when `works` (the machine can make
// it). Must come before the context starts its first page process; only the first call for
// a context acts. A context whose sandbox cannot be made is left without it, since asking
// for it would end the program at the first page, and the engine shows no page in it.
void sandboxPageProcesses(WebKitWebContext* context, bool works);

// Whether the engine may show pages in `context`: its page processes run in the sandbox,
// or the user has switched the sandbox off on purpose. False for a context that
// sandboxPageProcesses has not seen.
bool mayShowPages(WebKitWebContext* context);

}  // namespace larkspan::engine
