#pragma once

#include <gtkmm/window.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace larkspan {

// The program's single shared secondary windows (options dialog, lock dialog, history
// window, ...). Each is created on first touch from the factory its feature registered,
// often hidden, and lives until closed; closing one that is not open has no effect.
class WindowRegistry {
  public:
    using Factory = std::function<std::unique_ptr<Gtk::Window>()>;

    // Registers how to make the window called `name` (replacing an earlier factory) and
    // its place in the shut-down's closing order: lower places close first. The lock
    // dialog takes place 10 and the options dialog, which closes last, place 110; the
    // other shared windows lie between them.
    void define(const std::string& name, int closingPlace, Factory factory);

    // The window, created (hidden) on first touch; nullptr when no factory is known.
    Gtk::Window* touch(const std::string& name);
    // The window when it exists, without creating it.
    Gtk::Window* find(const std::string& name) const;
    // Destroys the window when it exists.
    void close(const std::string& name);
    // Destroys every shared window, in the closing order.
    void closeAll();

    // Runs after `close` destroyed a window.
    std::function<void(const std::string&)> onClosed;

  private:
    struct Definition {
        int closingPlace = 0;
        Factory factory;
    };
    std::map<std::string, Definition> definitions_;
    std::map<std::string, std::unique_ptr<Gtk::Window>> open_;
};

}  // namespace larkspan
