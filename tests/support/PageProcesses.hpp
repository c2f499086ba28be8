#pragma once

// The web engine's page processes that this test process has started, found in /proc.

#include <sys/types.h>

#include <set>

namespace larkspan::test {

// The running page processes among this process's descendants. A sandboxed page process
// is not a child of ours: it runs below the sandbox tool's processes.
std::set<pid_t> pageProcesses();

}  // namespace larkspan::test
