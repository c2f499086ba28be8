#pragma once

// A tree model over an AddressList: one text column, one row per entry, read straight from
// the list (nothing is copied). Appends and resets of the list reach the model's views as
// row signals. The list must outlive the model.

#include <gtkmm/treemodel.h>

#include "shell/AddressList.hpp"

namespace larkspan {

Glib::RefPtr<Gtk::TreeModel> makeAddressListModel(AddressList& list);

}  // namespace larkspan
