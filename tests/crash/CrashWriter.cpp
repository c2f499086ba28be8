// A test-only program that rewrites the program's files over and over, to be killed at any
// moment by the crash-safety tests.
//
//   crash_writer cycle <dir> <first generation>
//     Writes a byte to stdout once the files are open, then writes generation after
//     generation of every file until it is killed.
//   crash_writer append <dir> <name> <count>
//     Waits for a byte on stdin, then writes <count> values under its own keys, the shared
//     key and in batches, and appends <count> lines to the history (as a main window does)
//     and the blocked log.
//     Exits 0 when every write succeeded.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/ListFile.hpp"
#include "crash/WriterFiles.hpp"
#include "features/favorites/FavoriteFile.hpp"
#include "features/popups/BlockedLog.hpp"
#include "features/visits/VisitStore.hpp"
#include "settings/SettingsStore.hpp"

namespace fs = std::filesystem;
using namespace larkspan;

namespace {

int cycle(const fs::path& dir, std::uint64_t first) {
    SettingsStore store(dir / crashwriter::kStore);
    popups::BlockedLog blocked(dir / crashwriter::kBlockedLog);
    blocked.load();
    visits::VisitStore visited(dir / crashwriter::kVisits);
    if (::write(STDOUT_FILENO, "R", 1) != 1) return 2;
    // Each run starts at another of the five files, so kills land in all of them.
    for (std::uint64_t g = first;; ++g) {
        for (std::uint64_t step = 0; step < 5; ++step) {
            switch ((first + step) % 5) {
                case 0:
                    if (g % 2 == 0) {
                        SaveListToFile(crashwriter::historyGeneration(g),
                                       dir / crashwriter::kHistory);
                    } else {
                        RewriteListFile(crashwriter::historyGeneration(g),
                                        dir / crashwriter::kHistory);
                    }
                    break;
                case 1:
                    blocked.append(crashwriter::blockedEntry(g));
                    if (blocked.entries().size() > crashwriter::kBlockedKeep) blocked.removeAt(0);
                    break;
                case 2:
                    favorites::writeFavorite(dir / crashwriter::kFavorite,
                                             crashwriter::favoriteGeneration(g));
                    break;
                case 3:
                    visited.apply(crashwriter::visitBatch(g));
                    break;
                default:
                    store.writeAll(crashwriter::batchGeneration(g));
                    store.write(crashwriter::kSection, "single", std::to_string(g));
                    break;
            }
        }
    }
}

int append(const fs::path& dir, const std::string& name, int count) {
    SettingsStore store(dir / crashwriter::kStore);
    // The blocked-popup log as a main window keeps it: read once, then added to.
    popups::BlockedLog blocked(dir / crashwriter::kBlockedLog);
    blocked.load();
    char go = 0;
    if (::read(STDIN_FILENO, &go, 1) != 1) return 2;
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        const std::string value = name + ":" + std::to_string(i);
        ok = store.write(crashwriter::kSection, name + "/" + std::to_string(i), value) && ok;
        ok = store.write(crashwriter::kSection, "shared", value) && ok;
        if (i % 10 == 0) {
            ok = store.writeAll(
                     {{crashwriter::kSection, name + "/batch" + std::to_string(i) + "a", value},
                      {crashwriter::kSection, name + "/batch" + std::to_string(i) + "b", value}}) &&
                 ok;
        }
        ok = AppendTypedAddress(dir / crashwriter::kHistory, "https://h.example/" + value) && ok;
        ok = blocked.append("https://b.example/" + value) && ok;
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "cycle" && argc == 4) return cycle(argv[2], std::strtoull(argv[3], nullptr, 10));
    if (mode == "append" && argc == 5) return append(argv[2], argv[3], std::atoi(argv[4]));
    return 64;
}
