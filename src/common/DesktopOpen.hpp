#pragma once

// Handing files and addresses to the desktop's default programs. Where the desktop has no
// program for them (or the file is missing), the user is told so in a message: a command
// that hands something over never ends in silence.

#include <filesystem>
#include <string>

namespace Gtk {
class Window;
}

namespace larkspan {

// What the user is told when no e-mail program is set up.
inline constexpr const char* kNoMailProgram =
    "No e-mail program is set up. Choose one as the default program for e-mail in the "
    "desktop's settings.";

// Opens the local `file` with the desktop's default program for its type. False, after a
// message titled `title` over `parent` (which may be null), when nothing was opened.
bool openFileOrSay(Gtk::Window* parent, const std::filesystem::path& file,
                   const std::string& title);

// Hands `address` ("mailto:...") to the desktop's default program for its scheme. False,
// after a message titled `title`, when the desktop has none or it could not be started.
bool openAddressOrSay(Gtk::Window* parent, const std::string& address, const std::string& title);

}  // namespace larkspan
