#include "shell/AccessibleNames.hpp"

#include <atk/atk.h>
#include <gtkmm/box.h>
#include <gtkmm/menutoolbutton.h>
#include <gtkmm/toolbar.h>

#include <string>

namespace larkspan {

void nameMenuArrows(Gtk::Toolbar& toolbar) {
    for (Gtk::Widget* item : toolbar.get_children()) {
        auto* button = dynamic_cast<Gtk::MenuToolButton*>(item);
        auto* box = button != nullptr ? dynamic_cast<Gtk::Box*>(button->get_child()) : nullptr;
        if (box == nullptr) continue;
        // The button's box holds the button itself, then the arrow.
        const auto parts = box->get_children();
        if (parts.size() != 2) continue;
        const std::string name = button->get_label() + " list";
        atk_object_set_name(gtk_widget_get_accessible(parts.back()->gobj()), name.c_str());
    }
}

}  // namespace larkspan
