#pragma once

// The options dialog opened on the first main window, in the context `Base` makes: the
// shell's own, or the application's for what the dialog reaches in the features.

#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include <string>

#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"
#include "support/Display.hpp"

namespace larkspan::testing {

template <class Base>
class OptionsDialogFixture : public Base {
  protected:
    frmBrowser* main_ = nullptr;

    // Starts the first main window and opens the dialog on it.
    frmOptions& open() {
        main_ = &this->startBrowser();
        frmOptions* d = showOptionsDialog(this->context());
        EXPECT_NE(d, nullptr);
        drainEvents();
        return *d;
    }
    std::string setting(const char* key) { return this->store().read("Settings", key, "<none>"); }
    std::string schemeKey(const char* key) {
        return this->store().read("ButtonColors", key, "<none>");
    }
    OptionsModel& model() { return this->context().options(); }
    void selectEntry(frmOptions& d, const std::string& text) {
        auto list = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(
            d.control<Gtk::TreeView>("List1")->get_model());
        for (const auto& row : list->children()) {
            Glib::ustring value;
            row.get_value(0, value);
            if (value == text) d.control<Gtk::TreeView>("List1")->get_selection()->select(row);
        }
        drainEvents();
    }
};

}  // namespace larkspan::testing
