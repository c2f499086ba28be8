#include "features/dragdrop/DragDropRegistration.hpp"

#include <gtkmm.h>

#include "features/dragdrop/DropRules.hpp"
#include "shell/AddressBox.hpp"
#include "shell/Guards.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

using DropHandler = std::function<bool(const Gtk::SelectionData& data)>;

enum class Takes { AddressesAndText, Text };

// Makes `widget` take dropped text (and addresses), handled by `handle` in place of the
// widget's own handling of drops.
void takeDrops(Gtk::Widget& widget, Takes takes, DropHandler handle) {
    widget.drag_dest_set(Gtk::DEST_DEFAULT_ALL, Gdk::ACTION_COPY | Gdk::ACTION_LINK);
    // The addresses first: a dragged link offers its text too.
    if (takes == Takes::AddressesAndText) widget.drag_dest_add_uri_targets();
    widget.drag_dest_add_text_targets();
    Gtk::Widget* target = &widget;
    widget.signal_drag_data_received().connect(
        [target, handle = std::move(handle)](const Glib::RefPtr<Gdk::DragContext>& context, int,
                                             int, const Gtk::SelectionData& data, guint,
                                             guint time) {
            bool done = false;
            try {
                done = handle(data);
            } catch (...) {
            }
            // An entry would insert the text itself.
            g_signal_stop_emission_by_name(target->gobj(), "drag-data-received");
            if (context) context->drag_finish(done, false, time);
        },
        false);
}

std::optional<std::string> addressOf(const Gtk::SelectionData& data) {
    std::vector<std::string> uris;
    for (const Glib::ustring& uri : data.get_uris()) uris.push_back(uri);
    return dragdrop::droppedAddress(uris, data.get_text());
}

void acceptDrops(ShellContext& context, frmBrowser& window) {
    ShellContext* ctx = &context;
    frmBrowser* w = &window;
    // The window and its address box open the address as the address box's Enter does.
    auto open = [ctx, w](const std::string& address) {
        auto go = [w, address] {
            w->page().engine().navigate(address);
            w->page().engine().grabFocus();
        };
        if (!locks::holdBack(*ctx, "address-enter", w, go)) go();
    };
    takeDrops(window, Takes::AddressesAndText, [open](const Gtk::SelectionData& data) {
        std::optional<std::string> address = addressOf(data);
        if (address) open(*address);
        return address.has_value();
    });
    if (auto* box = dynamic_cast<AddressBox*>(window.place("cboAddress"))) {
        Gtk::Entry* entry = box->get_entry();
        takeDrops(*entry, Takes::AddressesAndText, [open, entry](const Gtk::SelectionData& data) {
            std::optional<std::string> address = addressOf(data);
            if (!address) return false;
            entry->set_text(*address);
            open(*address);
            return true;
        });
    }
    if (auto* search = dynamic_cast<Gtk::Entry*>(window.place("txtSearch"))) {
        takeDrops(*search, Takes::Text, [search](const Gtk::SelectionData& data) {
            std::optional<std::string> words = dragdrop::droppedSearchText(data.get_text());
            if (!words) return false;
            search->set_text(*words);
            // The search box searches on Enter.
            search->activate();
            return true;
        });
    }
}

}  // namespace

void registerDragDrop(ShellContext& context, Gtk::Application&) {
    context.signalBrowserMade().connect(
        [&context](frmBrowser& window) { acceptDrops(context, window); });
}

}  // namespace larkspan
