#pragma once

// What the benchmarks that time main windows share: the tests' fake page engine behind every
// window, fresh settings and data folders for the run, and the main loop driven by hand.

namespace larkspan {
class frmBrowser;
}

namespace larkspan::bench {

// Lets the main loop run until nothing is pending.
void drain();
// Creates, shows and lays out a main window of the running application.
frmBrowser& openWindow();
// Shuts the application down (every window closes) and lets the loop settle.
void endApplication();

// The benchmark program's whole run: a temporary folder for the program's settings and data,
// GTK started, fake page engines, then the registered benchmarks with the command line's
// options. Gives the exit status.
int runWindowBenchmarks(int argc, char** argv);

}  // namespace larkspan::bench
