#pragma once

// The text size the user chose for each site, kept by host in a small SQLite database in the
// data folder ("site-zoom.sqlite"). A database that cannot be read is moved aside whole and a
// fresh one started; when no database can be written the sizes are kept for the run only.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "common/SqliteFile.hpp"

namespace larkspan::sitezoom {

// The host a size is kept under: the address's host in lower case; empty for an address
// without one (a file, a built-in page, text that is no address).
std::string hostOf(const std::string& address);

class SiteZoomStore {
  public:
    // The text sizes the engine knows; the ordinary one is never stored.
    static constexpr int kSmallest = 0;
    static constexpr int kLargest = 4;
    static constexpr int kOrdinary = 2;

    explicit SiteZoomStore(std::filesystem::path file);

    // $XDG_DATA_HOME/larkspan/site-zoom.sqlite
    static std::filesystem::path defaultFile();

    // The size kept for `host`; nothing when none is (or the stored value is no size).
    std::optional<int> level(const std::string& host) const;
    // Keeps `level` for `host`; the ordinary size forgets it. False when nothing was kept
    // (no host, a level out of range).
    bool remember(const std::string& host, int level);
    void forget(const std::string& host);

    // Where an unreadable database was moved to when the store opened; empty otherwise.
    const std::filesystem::path& movedAside() const { return file_.movedAside(); }

  private:
    SqliteFile file_;
    // What the run chose while no database could be written.
    std::map<std::string, int> unsaved_;
};

}  // namespace larkspan::sitezoom
