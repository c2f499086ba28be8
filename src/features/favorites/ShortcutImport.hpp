#pragma once

// Copying a folder tree of internet shortcuts (".url" files) into the favorites folder:
// one favorite file per shortcut, the tree flattened, folders taken breadth-first.

#include <filesystem>
#include <string>
#include <string_view>

namespace larkspan::favorites {

// The "URL" value of the "[InternetShortcut]" section of a shortcut file (section and key
// names matched ignoring case, spaces around the value and one pair of quotes around it
// dropped), at most 254 characters of valid text; `fallback` when the file has no such key
// or cannot be read.
std::string ReadURL(const std::filesystem::path& shortcut, const std::string& fallback);

// The same for a shortcut file's whole contents, read as the file reader reads them.
std::string parseURL(std::string_view bytes, const std::string& fallback);

// Writes the favorite of one imported entry as "<title>.fav" in `target`, or when that file
// exists as the first free of "<title> (2).fav", "<title> (3).fav", ..., so no favorite is
// ever replaced (a title too long to name a file, or to take its number, gives up characters
// at its end); with the lines "Folder=", "TITLE=" + that title, "URL=" + address. False when
// nothing was written.
bool writeImported(const std::filesystem::path& target, const std::string& title,
                   const std::string& address);

// Imports every ".url" file (lower case) of `source` and its subfolders into `target`,
// creating `target` when missing; folders are taken level by level, each in name order.
// Gives the number of favorites written; a missing source gives none.
int importShortcuts(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace larkspan::favorites
