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

    // Registers how to make the window called `name` (replacing an earlier factory).
    void define(const std::string& name, Factory factory);
    // The shut-down's closing order, first to close first. Windows it does not name close
    // before the named ones.
    void setClosingOrder(std::vector<std::string> names);

    // The window, created (hidden) on first touch; nullptr when no factory is known.
    Gtk::Window* touch(const std::string& name);
    // The window when it exists, without creating it.
    Gtk::Window* find(const std::string& name) const;
    // Destroys the window when it exists.
    void close(const std::string& name);

    // What a window hidden for closing does when something shows it again before it is
    // destroyed.
    enum class ShownAgain { Close, Stay };
    // Hides the window now and destroys it once the main loop is idle, so that a window can
    // close itself from its own handlers. By then it may have been closed already or made
    // anew, and nothing happens; with `ShownAgain::Stay` a window shown again in between is
    // kept. `then` runs after the window was destroyed.
    void closeWhenIdle(const std::string& name, ShownAgain shownAgain = ShownAgain::Stay,
                       std::function<void()> then = {});
    // Destroys every shared window, in the closing order.
    void closeAll();

    // Runs after `close` destroyed a window.
    std::function<void(const std::string&)> onClosed;

  private:
    struct Open {
        std::unique_ptr<Gtk::Window> window;
        // Tells this window from a later one of the same name.
        unsigned long serial = 0;
    };
    std::map<std::string, Factory> definitions_;
    std::vector<std::string> closingOrder_;
    std::map<std::string, Open> open_;
    unsigned long made_ = 0;
    // Closings waiting for the idle main loop end with the registry.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace larkspan
