#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace larkspan::favorites {

// A file's last-modified date in the long date form of the user's language, for example
// "Tuesday, December 8, 2026"; none when the file cannot be looked at.
std::optional<std::string> modifiedLongDate(const std::filesystem::path& file);

}  // namespace larkspan::favorites
