// Writes values into section "Settings" of the settings store that the program will read
// ($XDG_CONFIG_HOME/larkspan/settings.db), so that a timed start begins from a known state.
//
//   bench_seed_store KEY=VALUE...
//
// Each value is read back after writing; the exit status is 0 only when every value
// reads back exactly as written.

#include <cstdio>
#include <string>
#include <string_view>

#include "common/Paths.hpp"
#include "settings/SettingsStore.hpp"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s KEY=VALUE...\n", argc > 0 ? argv[0] : "bench_seed_store");
        return 2;
    }
    if (!larkspan::paths::ensureDir(larkspan::paths::configDir())) {
        std::fprintf(stderr, "cannot create %s\n", larkspan::paths::configDir().c_str());
        return 1;
    }
    larkspan::SettingsStore store(larkspan::SettingsStore::defaultFile());
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto eq = arg.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            std::fprintf(stderr, "not KEY=VALUE: %s\n", argv[i]);
            return 2;
        }
        const std::string_view key = arg.substr(0, eq);
        const std::string_view value = arg.substr(eq + 1);
        // A default that differs from the value, so a lost write cannot pass as stored.
        const std::string missing = std::string(value) + "\x01";
        if (!store.write("Settings", key, value) || store.read("Settings", key, missing) != value) {
            std::fprintf(stderr, "could not store %s in %s\n", argv[i], store.file().c_str());
            status = 1;
        }
    }
    return status;
}
