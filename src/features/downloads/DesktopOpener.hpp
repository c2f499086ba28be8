#pragma once

// Hands a downloaded file to the desktop: opened with its default application, or shown
// selected in the file manager. Tests replace both to see what would have been handed over.

#include <filesystem>
#include <functional>

namespace Gtk {
class Window;
}

namespace larkspan::downloads {

struct DesktopActions {
    std::function<bool(const std::filesystem::path& file)> open;
    std::function<bool(const std::filesystem::path& file)> showInFolder;
};

// Opens `file` with the desktop's default application for its type, started with the
// launch context of `parent`'s display; false when it could not start.
bool openFile(const std::filesystem::path& file, Gtk::Window* parent);
// Asks the file manager to show `file` selected in its folder; where no file manager
// answers, the folder itself is opened.
bool showInFolder(const std::filesystem::path& file, Gtk::Window* parent);

// Replaces what the two do (empty members restore the desktop's).
void setDesktopActions(DesktopActions actions);

}  // namespace larkspan::downloads
