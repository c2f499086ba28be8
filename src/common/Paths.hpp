#pragma once

#include <filesystem>

namespace larkspan::paths {

// Each call reads the environment afresh, so tests can point a process at fresh folders.

// $XDG_CONFIG_HOME/larkspan (default ~/.config/larkspan): the settings store lives here.
std::filesystem::path configDir();

// $XDG_DATA_HOME/larkspan (default ~/.local/share/larkspan): the program's own folder for
// "history.txt", "Blocked Log.txt" and "Favorites/". Created on first use (mode 0700).
std::filesystem::path dataDir();

// $XDG_CACHE_HOME/larkspan (default ~/.cache/larkspan): the web engine's cache. Created on
// first use (mode 0700).
std::filesystem::path cacheDir();

// The user's download folder: the desktop's own (XDG_DOWNLOAD_DIR in user-dirs.dirs), or
// ~/Downloads when the desktop names none or names the home folder itself.
std::filesystem::path downloadDir();
// The same rule, given the desktop's folder (null when it names none) and the home folder.
std::filesystem::path downloadDirFrom(const char* desktopFolder, const std::filesystem::path& home);

// The read-only files shipped with the program ("Readme.txt"): the data folder of the
// installation the running program belongs to, wherever it was put (a package installs under
// /usr, a build may have been configured for /usr/local); else the folder the build installs
// to; else, running from a build, the source tree's data folder.
std::filesystem::path installedDataDir();
// The same rule for the given program file.
std::filesystem::path installedDataDirFor(const std::filesystem::path& program);

// Creates a folder and its parents with the given mode; true when it exists afterwards.
bool ensureDir(const std::filesystem::path& dir, unsigned mode = 0700);

}  // namespace larkspan::paths
