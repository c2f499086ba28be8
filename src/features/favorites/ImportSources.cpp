#include "features/favorites/ImportSources.hpp"

#include <glib.h>

#include <algorithm>
#include <set>
#include <system_error>

namespace larkspan::favorites {

namespace fs = std::filesystem;

namespace {

bool isDir(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// The folders inside `dir`, in name order.
std::vector<fs::path> subfolders(const fs::path& dir) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (isDir(it->path())) out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

class Collector {
  public:
    void add(ImportSource::Kind kind, const fs::path& path, const std::string& name) {
        std::error_code ec;
        fs::path real = fs::weakly_canonical(path, ec);
        if (ec) real = path;
        if (!seen_.insert(real).second) return;
        const std::string what = kind == ImportSource::Kind::Shortcuts
                                     ? "a folder of internet shortcuts"
                                     : "your " + name + " bookmarks";
        sources_.push_back({kind, path, name + ": " + path.string(), what});
    }
    std::vector<ImportSource> take() { return std::move(sources_); }

  private:
    std::set<fs::path> seen_;
    std::vector<ImportSource> sources_;
};

// "<root>/<users>/<name>/Favorites", the user's own name first, then every other name.
void userFavorites(Collector& c, const fs::path& root, const char* users, const std::string& user) {
    const fs::path base = root / users;
    if (!isDir(base)) return;
    if (!user.empty() && isDir(base / user / "Favorites"))
        c.add(ImportSource::Kind::Shortcuts, base / user / "Favorites", "Favorites folder");
    for (const fs::path& name : subfolders(base)) {
        if (isDir(name / "Favorites"))
            c.add(ImportSource::Kind::Shortcuts, name / "Favorites", "Favorites folder");
    }
}

// Each profile folder of `root` holding `file`.
void profiles(Collector& c, ImportSource::Kind kind, const fs::path& root, const char* file,
              const std::string& what) {
    for (const fs::path& profile : subfolders(root)) {
        if (isFile(profile / file)) c.add(kind, profile / file, what);
    }
}

}  // namespace

ImportPlaces ImportPlaces::ofThisSession() {
    ImportPlaces p;
    p.home = g_get_home_dir();
    p.user = g_get_user_name();
    if (const char* prefix = g_getenv("WINEPREFIX"); prefix && *prefix)
        p.winePrefixes.emplace_back(prefix);
    p.winePrefixes.push_back(p.home / ".wine");
    for (const fs::path& root : {fs::path("/mnt"), fs::path("/media"), fs::path("/media") / p.user,
                                 fs::path("/run/media") / p.user}) {
        for (const fs::path& drive : subfolders(root)) p.drives.push_back(drive);
    }
    return p;
}

std::vector<ImportSource> findImportSources(const ImportPlaces& places) {
    Collector c;
    for (const fs::path& prefix : places.winePrefixes)
        userFavorites(c, prefix / "drive_c", "users", places.user);
    for (const fs::path& drive : places.drives) {
        userFavorites(c, drive, "Users", places.user);
        userFavorites(c, drive, "Documents and Settings", places.user);
    }
    if (isDir(places.home / "Favorites"))
        c.add(ImportSource::Kind::Shortcuts, places.home / "Favorites", "Favorites folder");

    const fs::path& h = places.home;
    for (const fs::path& root : {h / ".mozilla/firefox", h / "snap/firefox/common/.mozilla/firefox",
                                 h / ".var/app/org.mozilla.firefox/.mozilla/firefox"})
        profiles(c, ImportSource::Kind::Firefox, root, "places.sqlite", "Firefox");
    for (const fs::path& root : {h / ".config/chromium", h / "snap/chromium/common/chromium",
                                 h / ".var/app/org.chromium.Chromium/config/chromium"})
        profiles(c, ImportSource::Kind::Chromium, root, "Bookmarks", "Chromium");
    for (const fs::path& root :
         {h / ".config/google-chrome", h / ".var/app/com.google.Chrome/config/google-chrome"})
        profiles(c, ImportSource::Kind::Chromium, root, "Bookmarks", "Chrome");
    return c.take();
}

}  // namespace larkspan::favorites
