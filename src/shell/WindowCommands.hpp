#pragma once

// The commands that features add to every main window. Each becomes a `win.` action of
// each main window made from then on, behind the same locks as the window's own commands;
// a menu item or toolbar button that names it in the window's .ui file comes alive.

#include <functional>
#include <string>
#include <vector>

namespace larkspan {

class frmBrowser;

class WindowCommands {
  public:
    using Handler = std::function<void(frmBrowser& window)>;
    struct Command {
        std::string name;  // the action's name, without "win."
        Handler run;
    };

    // Registers the command `name` (replacing an earlier one of that name).
    void define(const std::string& name, Handler run);
    const std::vector<Command>& all() const { return commands_; }

  private:
    std::vector<Command> commands_;
};

}  // namespace larkspan
