#pragma once

namespace Gtk {
class Application;
}

namespace larkspan {

class ShellContext;

// The favorites: every main window's favorites menu (built at its start-up), the add
// command, the organizer and its two commands, and the importer of older favorites.
void registerFavorites(ShellContext& context, Gtk::Application& app);

}  // namespace larkspan
