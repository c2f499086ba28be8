#pragma once

// One favorite per file: "<title>.fav" in the "Favorites" folder of the program's data
// folder, three lines "FOLDER=", "TITLE=<title>" and "URL=<address>", each ending in CR LF.
// There is no index: the folder's list of ".fav" files is the collection.
//
// Readers take a line by its first characters, compared with case; a later line with the
// same key replaces the earlier value. Lines are read with the list reader's field rules,
// so a comma cuts a value and a line starting with a double quote runs to the closing one.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan::favorites {

struct Favorite {
    std::string folder;
    std::string title;
    std::string url;
};

// The longest title a favorite's file can be named after, in bytes: the usual Linux file
// systems hold names of 255 bytes, and a file is rewritten through a temporary file named
// "." + its name + ".new-" + six characters.
constexpr std::size_t kLongestTitleBytes = 255 - 12 - 4;

// The "Favorites" folder of the program's data folder (not created here).
std::filesystem::path folderPath();

// The names of the folder's ".fav" files in file-name order ignoring case; an empty list
// when the folder is missing or unreadable.
std::vector<std::string> listFiles(const std::filesystem::path& folder);

// The values of a favorite file's lines, read with the field rules (empty when missing).
Favorite parse(const std::vector<std::string>& fields);
Favorite readFavorite(const std::filesystem::path& file);

// The rest of the first whole line that begins with "TITLE="; none when no line does.
std::optional<std::string> readFirstTitle(const std::filesystem::path& file);

// The characters of UTF-8 text (a NUL counts as one), and its first `count` of them.
std::size_t characterCount(std::string_view text);
std::string firstCharacters(const std::string& text, std::size_t count);

// A title as a caption: longer than 40 characters, its first 37 followed by "...".
std::string cutTitle(const std::string& title);

// Writes the three lines atomically; `folderKey` is "FOLDER=" for favorites added here and
// the importer's own "Folder=".
bool writeFavorite(const std::filesystem::path& file, const Favorite& favorite,
                   std::string_view folderKey = "FOLDER=");

// Rewrites a favorite under a new title: its last whole "FOLDER=" and "URL=" lines kept as
// they are (key included, an empty line when missing), "TITLE=" + `title` between them.
bool renameFavorite(const std::filesystem::path& file, const std::string& title);

// Whether a file with that exact name exists in `folder` (the name stays inside it).
bool exists(const std::filesystem::path& folder, const std::string& title);

}  // namespace larkspan::favorites
