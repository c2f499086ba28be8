#pragma once

namespace larkspan {

// Once per run, when the main loop is idle after the first main window: removes the
// temporary files that rewrites of the program's files left behind when a run was killed
// midway, from the data folder and the favorites folder.
void removeLeftoverRewritesWhenIdle();

}  // namespace larkspan
