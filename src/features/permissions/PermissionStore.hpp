#pragma once

// The answers the user asked to remember, per site and kind of permission, kept in a small
// SQLite database in the data folder ("site-permissions.sqlite"). A database that cannot be
// read is moved aside whole and a fresh one started; when none can be written, answers are
// kept for the run only.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/SqliteFile.hpp"
#include "engine/PermissionRequest.hpp"

namespace larkspan::permissions {

// One remembered answer.
struct SiteAnswer {
    std::string site;
    PermissionKind kind;
    bool allowed;
    bool operator==(const SiteAnswer&) const = default;
};

class PermissionStore {
  public:
    explicit PermissionStore(std::filesystem::path file);

    // $XDG_DATA_HOME/larkspan/site-permissions.sqlite
    static std::filesystem::path defaultFile();

    // The answer remembered for `site` and `kind`; nothing when there is none. Camera and
    // microphone together are answered from the two: allowed when both are, refused when
    // either is, asked otherwise.
    std::optional<bool> answer(const std::string& site, PermissionKind kind) const;
    // Remembers the answer (camera and microphone together as each of the two). False when
    // nothing was kept (no site).
    bool remember(const std::string& site, PermissionKind kind, bool allowed);
    void forget(const std::string& site, PermissionKind kind);
    void forgetAll();
    // Every remembered answer, by site and then kind; rows the program cannot read are left
    // out.
    std::vector<SiteAnswer> all() const;

    const std::filesystem::path& movedAside() const { return file_.movedAside(); }

  private:
    std::optional<bool> single(const std::string& site, PermissionKind kind) const;

    SqliteFile file_;
    // What the run chose while no database could be written.
    std::map<std::pair<std::string, PermissionKind>, bool> unsaved_;
};

}  // namespace larkspan::permissions
