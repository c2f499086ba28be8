#pragma once

#include <filesystem>

namespace larkspan {

// Moves a database file that cannot be read out of the way, whole, with the journal files
// that belong to it ("-wal", "-shm", "-journal"), to its name with ".unreadable" added (and
// a number when that name is taken). Returns where it went; empty when it could not be moved.
std::filesystem::path moveDatabaseAside(const std::filesystem::path& file);

}  // namespace larkspan
