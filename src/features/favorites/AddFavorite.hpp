#pragma once

// Adding the page of a main window to the favorites: the title is asked for, refused
// while it could not be a favorite's file name, cut, made unique against the menu and the
// folder, and written as "<title>.fav".

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Gtk {
class Window;
}

namespace larkspan {
class Dialogs;
}

namespace larkspan::favorites {

// Whether `title` may name a favorite's file: none of the nine characters \ / : * ? " < > |,
// no control character, not made of dots only, and "<title>.fav" short enough for a file
// name once the title is cut. The empty title is acceptable (it stops the command).
bool acceptableTitle(std::string_view title);

// The menu check: `title` gets " (2)" for each caption equal to it, the last caption
// excepted.
std::string afterMenuCheck(std::string title, const std::vector<std::string>& captions);

// The file check: "(2)" is appended while "<title>.fav" exists in `folder`. None when the
// name grows too long for the file system.
std::optional<std::string> afterFileCheck(std::string title, const std::filesystem::path& folder);

struct Added {
    std::string title;  // as written and as the new menu entry's caption
    bool written = false;
};

// The whole command for a page with `documentTitle` at `address`, the menu holding
// `captions`, handing `done` what was added once the questions are answered. `done` is not
// called when the user gave no title (nothing written, the menu unchanged).
void addFavorite(Dialogs& dialogs, Gtk::Window* parent, const std::filesystem::path& folder,
                 const std::string& documentTitle, const std::string& address,
                 const std::vector<std::string>& captions, std::function<void(const Added&)> done);

}  // namespace larkspan::favorites
