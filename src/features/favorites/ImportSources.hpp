#pragma once

// Where a user's older favorites and bookmarks are found on this system.

#include <filesystem>
#include <string>
#include <vector>

namespace larkspan::favorites {

struct ImportSource {
    enum class Kind { Shortcuts, Firefox, Chromium };
    Kind kind;
    std::filesystem::path path;  // a folder of shortcuts, or the browser's bookmarks file
    std::string label;           // as the importer lists it
    std::string what;            // what is read from it, as the importer's question names it
};

// Where to look: the home folder, the user's name, the Windows-style folders (prefixes of
// the Windows compatibility layer, mounted Windows drives).
struct ImportPlaces {
    std::filesystem::path home;
    std::string user;
    std::vector<std::filesystem::path> winePrefixes;
    std::vector<std::filesystem::path> drives;

    // The places of this session: $WINEPREFIX and ~/.wine, and the folders under /mnt,
    // /media, /media/<user> and /run/media/<user>.
    static ImportPlaces ofThisSession();
};

// Every source that exists, in this order: shortcut folders (a prefix's
// "drive_c/users/<user>/Favorites"; a drive's "Users/<name>/Favorites" and
// "Documents and Settings/<name>/Favorites", the user's own name first; "~/Favorites"),
// then the profiles of Firefox, then of Chromium and Chrome.
std::vector<ImportSource> findImportSources(const ImportPlaces& places);

}  // namespace larkspan::favorites
