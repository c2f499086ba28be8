#include "common/Paths.hpp"

#include <glib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <system_error>

#include "BuildConfig.hpp"

namespace larkspan::paths {

namespace fs = std::filesystem;

namespace {

fs::path home() {
    const char* h = std::getenv("HOME");
    return (h && *h) ? fs::path(h) : fs::temp_directory_path();
}

fs::path xdg(const char* var, const char* fallback) {
    const char* v = std::getenv(var);
    // The XDG rules ignore relative paths.
    if (v && *v == '/') return fs::path(v);
    return home() / fallback;
}

}  // namespace

fs::path configDir() {
    return xdg("XDG_CONFIG_HOME", ".config") / "larkspan";
}

fs::path dataDir() {
    fs::path d = xdg("XDG_DATA_HOME", ".local/share") / "larkspan";
    ensureDir(d);
    return d;
}

fs::path cacheDir() {
    fs::path d = xdg("XDG_CACHE_HOME", ".cache") / "larkspan";
    ensureDir(d);
    return d;
}

fs::path downloadDirFrom(const char* desktopFolder, const fs::path& home) {
    if (desktopFolder != nullptr && *desktopFolder == '/') {
        fs::path folder(desktopFolder);
        std::error_code ec;
        // user-dirs.dirs names the home folder for a folder the user does not want.
        bool isHome = fs::equivalent(folder, home, ec) ||
                      (folder / "").lexically_normal() == (home / "").lexically_normal();
        if (!isHome) {
            return folder;
        }
    }
    return home / "Downloads";
}

fs::path downloadDir() {
    return downloadDirFrom(g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD), home());
}

fs::path installedDataDirFor(const fs::path& program) {
    auto holdsReadme = [](const fs::path& dir) {
        std::error_code ec;
        return fs::exists(dir / "Readme.txt", ec);
    };
    if (program.has_parent_path()) {
        fs::path beside = (program.parent_path() / build::kDataDirFromBinDir).lexically_normal();
        if (holdsReadme(beside)) return beside;
    }
    fs::path installed(build::kInstalledDataDir);
    if (holdsReadme(installed)) return installed;
    return fs::path(build::kSourceDataDir);
}

fs::path installedDataDir() {
    std::error_code ec;
    return installedDataDirFor(fs::read_symlink("/proc/self/exe", ec));
}

bool ensureDir(const fs::path& dir, unsigned mode) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    if (!fs::create_directories(dir, ec) && !fs::is_directory(dir, ec)) return false;
    ::chmod(dir.c_str(), mode);
    return true;
}

}  // namespace larkspan::paths
