#include "shell/AddressSuggestionPopup.hpp"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include <algorithm>

#include "shell/AddressCompletion.hpp"

namespace larkspan {

namespace {

Gtk::Widget* makeRow(const AddressSuggestion& suggestion) {
    auto* row = Gtk::make_managed<Gtk::ListBoxRow>();
    row->set_can_focus(false);
    auto* box = Gtk::make_managed<Gtk::Box>(Gtk::ORIENTATION_VERTICAL);
    auto* title = Gtk::make_managed<Gtk::Label>(suggestion.title.empty() ? suggestion.address
                                                                         : suggestion.title);
    title->set_xalign(0.0);
    title->set_ellipsize(Pango::ELLIPSIZE_END);
    box->pack_start(*title, false, false);
    if (!suggestion.title.empty()) {
        auto* address = Gtk::make_managed<Gtk::Label>(suggestion.address);
        address->set_xalign(0.0);
        address->set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
        address->get_style_context()->add_class("dim-label");
        box->pack_start(*address, false, false);
    }
    box->set_margin_start(6);
    box->set_margin_end(6);
    box->set_margin_top(2);
    box->set_margin_bottom(2);
    row->add(*box);
    row->show_all();
    return row;
}

bool isKey(const GdkEventKey* event, guint a, guint b) {
    return event->keyval == a || event->keyval == b;
}

}  // namespace

AddressSuggestionPopup::AddressSuggestionPopup(Gtk::Widget& below, Gtk::Entry& entry)
    : below_(below), entry_(entry) {
    popover_.set_name("cboAddress_Suggestions");
    // The box keeps the keyboard while the list shows: the list takes no grab and no focus.
    popover_.set_modal(false);
    popover_.set_relative_to(below_);
    popover_.set_position(Gtk::POS_BOTTOM);
    // It follows each key at once: no fading in and out.
    popover_.set_transitions_enabled(false);
    list_.set_name("cboAddress_SuggestionList");
    list_.set_can_focus(false);
    list_.set_selection_mode(Gtk::SELECTION_SINGLE);
    list_.set_activate_on_single_click(true);
    list_.signal_row_activated().connect(
        [this](Gtk::ListBoxRow* row) { choose(row != nullptr ? row->get_index() : -1); });
    list_.show();
    popover_.add(list_);

    entry_.signal_key_press_event().connect(
        sigc::mem_fun(*this, &AddressSuggestionPopup::onKeyPress), false);
    entry_.signal_changed().connect(sigc::mem_fun(*this, &AddressSuggestionPopup::onChanged));
    entry_.signal_focus_out_event().connect([this](GdkEventFocus*) {
        hide();
        return false;
    });
}

bool AddressSuggestionPopup::onKeyPress(GdkEventKey* event) {
    const bool ctrlOrAlt = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0;
    editing_ = addressKeyPressCode(event->keyval, ctrlOrAlt).has_value();
    if (!shown()) return false;
    const int count = static_cast<int>(offered_.size());
    if (isKey(event, GDK_KEY_Down, GDK_KEY_KP_Down) && !ctrlOrAlt) {
        chosen_ = chosen_ + 1 < count ? chosen_ + 1 : -1;
    } else if (isKey(event, GDK_KEY_Up, GDK_KEY_KP_Up) && !ctrlOrAlt) {
        chosen_ = chosen_ < 0 ? count - 1 : chosen_ - 1;
    } else if (isKey(event, GDK_KEY_Escape, GDK_KEY_Escape)) {
        hide();
        return true;
    } else if (isKey(event, GDK_KEY_Delete, GDK_KEY_KP_Delete) &&
               (event->state & GDK_SHIFT_MASK) != 0 && chosen_ >= 0) {
        editing_ = false;
        forgetChosen();
        return true;
    } else {
        if (isKey(event, GDK_KEY_Return, GDK_KEY_KP_Enter) || event->keyval == GDK_KEY_ISO_Enter) {
            // The box's own Enter, which runs next, opens what the box then holds.
            if (chosen_ >= 0) entry_.set_text(offered_[static_cast<std::size_t>(chosen_)].address);
            hide();
        }
        return false;
    }
    if (chosen_ < 0) {
        list_.unselect_all();
    } else {
        list_.select_row(*list_.get_row_at_index(chosen_));
    }
    return true;
}

void AddressSuggestionPopup::onChanged() {
    if (!editing_) return;
    editing_ = false;
    refresh();
}

std::string AddressSuggestionPopup::typedText() const {
    std::string text = entry_.get_text();
    int start = 0;
    int end = 0;
    if (entry_.get_selection_bounds(start, end) && end == entry_.get_text_length()) {
        gchar* cut = g_utf8_offset_to_pointer(text.c_str(), start);
        text.resize(static_cast<std::size_t>(cut - text.c_str()));
    }
    return text;
}

void AddressSuggestionPopup::refresh() {
    const std::string text = typedText();
    if (sources_ == nullptr || suggestionWords(text).empty()) {
        hide();
        return;
    }
    std::vector<std::vector<AddressSuggestion>> lists;
    for (AddressSuggestionSource* source : *sources_) {
        lists.push_back(source->suggest(text, kMaxRows));
    }
    show(mergeSuggestions(lists, kMaxRows));
}

void AddressSuggestionPopup::show(std::vector<AddressSuggestion> suggestions) {
    for (Gtk::Widget* row : list_.get_children()) list_.remove(*row);
    offered_ = std::move(suggestions);
    chosen_ = -1;
    if (offered_.empty()) {
        hide();
        return;
    }
    for (const AddressSuggestion& suggestion : offered_) list_.append(*makeRow(suggestion));
    list_.set_size_request(std::max(below_.get_allocated_width(), 1), -1);
    if (!shown()) popover_.popup();
}

void AddressSuggestionPopup::hide() {
    if (shown()) popover_.popdown();
    popover_.hide();
    chosen_ = -1;
}

void AddressSuggestionPopup::choose(int row) {
    if (row < 0 || row >= static_cast<int>(offered_.size())) return;
    const std::string address = offered_[static_cast<std::size_t>(row)].address;
    hide();
    entry_.set_text(address);
    entry_.set_position(-1);
    signalChosen.emit();
}

void AddressSuggestionPopup::forgetChosen() {
    const std::size_t row = static_cast<std::size_t>(chosen_);
    const std::string address = offered_[row].address;
    if (sources_ != nullptr) {
        for (AddressSuggestionSource* source : *sources_) source->forget(address);
    }
    std::vector<AddressSuggestion> rest = offered_;
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(row));
    const int keep = std::min(chosen_, static_cast<int>(rest.size()) - 1);
    show(std::move(rest));
    if (shown() && keep >= 0) {
        chosen_ = keep;
        list_.select_row(*list_.get_row_at_index(chosen_));
    }
}

}  // namespace larkspan
