#pragma once

namespace Gtk {
class Toolbar;
}

namespace larkspan {

// Names the drop-down arrow of every menu tool button in the toolbar after its button's list
// ("Back list", "Favorites list"), for screen readers: GTK calls every such arrow "Menu", so
// that a user hears four arrows of one name.
void nameMenuArrows(Gtk::Toolbar& toolbar);

}  // namespace larkspan
