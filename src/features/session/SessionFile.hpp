#pragma once

// The session file, "session.dat" in the program's data folder. A file is read whole or not
// at all: a torn, foreign or altered file, one from a newer version of the program or one
// larger than any session would be gives no session, never a part of one.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "features/session/Session.hpp"

namespace larkspan::session {

// A file larger than this is not read at all.
inline constexpr std::size_t kMaxFileBytes = 64u << 20;

std::filesystem::path sessionFilePath();

// The file's bytes for `session`.
std::string encode(const Session& session);
// The file's bytes around a session already serialised: what encode() writes around its
// own serialisation (the fuzz target seals bytes of its own with it).
std::string seal(std::string_view payload);
// The session those bytes hold; nothing unless they are a whole session file. A window
// without tabs is left out and a window's current tab is one of its own.
std::optional<Session> decode(std::string_view bytes);

// Replaces the file atomically; false when it could not be written.
bool writeSessionFile(const Session& session, const std::filesystem::path& path);
// The session in the file; nothing when it is missing or cannot be read. A file that is
// there but holds no session is moved aside whole (to its name with ".unreadable" added,
// replacing an older one), so the next write starts afresh and nothing is lost unseen.
std::optional<Session> readSessionFile(const std::filesystem::path& path);

}  // namespace larkspan::session
