// Writes a saved session into the data folder the program will read
// ($XDG_DATA_HOME/larkspan/session.dat), so that a timed start restores it:
//
//   bench_seed_session WINDOWS TABS ADDRESS
//
// TABS tabs spread over WINDOWS windows, each tab with a Back history of one page. The
// first window shows ADDRESS; every other tab names an address of its own under it and is
// never shown, so it must not load. The run record says the last run ended cleanly.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/ListFile.hpp"
#include "common/Paths.hpp"
#include "features/session/RunRecord.hpp"
#include "features/session/SessionFile.hpp"

int main(int argc, char** argv) {
    using namespace larkspan;
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WINDOWS TABS ADDRESS\n", argv[0]);
        return 2;
    }
    const int windows = std::atoi(argv[1]);
    const int tabs = std::atoi(argv[2]);
    const std::string address = argv[3];
    if (windows < 1 || tabs < windows) {
        std::fprintf(stderr, "need at least one window and one tab for each\n");
        return 2;
    }
    Session session;
    session.windows.resize(static_cast<std::size_t>(windows));
    for (int t = 0; t < tabs; ++t) {
        SessionWindow& window = session.windows[static_cast<std::size_t>(t % windows)];
        const bool shown = t == 0;
        const std::string at = shown ? address : address + "?tab=" + std::to_string(t);
        // No history: the engine's own serialised form is not made here, and a tab without
        // one loads its address, as a restored tab does that never finished a load.
        window.tabs.push_back({at, "Tab " + std::to_string(t), ""});
    }
    if (!paths::ensureDir(paths::dataDir())) {
        std::fprintf(stderr, "cannot create %s\n", paths::dataDir().c_str());
        return 1;
    }
    if (!session::writeSessionFile(session, session::sessionFilePath())) {
        std::fprintf(stderr, "could not write %s\n", session::sessionFilePath().c_str());
        return 1;
    }
    if (!replaceFileAtomically(runrecord::runRecordPath(), runrecord::encode(RunRecord{}))) {
        std::fprintf(stderr, "could not write %s\n", runrecord::runRecordPath().c_str());
        return 1;
    }
    return 0;
}
