#include "shell/AddressBox.hpp"

#include <algorithm>

#include "shell/AddressListModel.hpp"

namespace larkspan {

namespace {
// The drop-down shows about fifteen rows before it scrolls.
constexpr int kMaxListHeightPx = 320;
}  // namespace

AddressBox::AddressBox(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder)
    : Gtk::Box(cobject) {
    builder->get_widget("cboAddress_Entry", entry_);
    builder->get_widget("cboAddress_Button", button_);

    column_.set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    column_.set_expand(true);
    column_.pack_start(cell_, true);
    column_.add_attribute(cell_, "text", 0);
    cell_.property_ellipsize() = Pango::ELLIPSIZE_END;
    view_.set_name("cboAddress_List");
    view_.append_column(column_);
    view_.set_headers_visible(false);
    // Every row is one line of text, so the view need not measure rows it does not draw.
    view_.set_fixed_height_mode(true);
    // The view's own type-ahead search walks every row; the box's text picks the start row.
    view_.set_enable_search(false);
    view_.set_activate_on_single_click(true);
    view_.signal_row_activated().connect(
        [this](const Gtk::TreeModel::Path& path, Gtk::TreeViewColumn*) { choose(path); });

    scroller_.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    scroller_.set_propagate_natural_height(true);
    scroller_.set_max_content_height(kMaxListHeightPx);
    scroller_.add(view_);
    scroller_.show_all();
    popover_.set_name("cboAddress_DropDown");
    popover_.set_relative_to(*this);
    popover_.set_position(Gtk::POS_BOTTOM);
    popover_.add(scroller_);
    popover_.signal_closed().connect(sigc::mem_fun(*this, &AddressBox::onClosed));

    button_->signal_toggled().connect([this] {
        if (button_->get_active() && !poppedUp()) {
            popup();
        } else if (!button_->get_active() && poppedUp()) {
            popdown();
        }
    });
    entry_->signal_key_press_event().connect(
        [this](GdkEventKey* event) {
            const bool down = event->keyval == GDK_KEY_Down || event->keyval == GDK_KEY_KP_Down;
            if (!down || (event->state & GDK_MOD1_MASK) == 0) return false;
            popup();
            return true;
        },
        false);
    suggestions_ = std::make_unique<AddressSuggestionPopup>(*this, *entry_);
    suggestions_->signalChosen.connect([this] { signalChosen.emit(); });
}

void AddressBox::setList(AddressList& list) {
    popdown();
    list_ = &list;
}

Glib::RefPtr<Gtk::TreeModel> AddressBox::get_model() {
    if (shown_) return shown_;
    if (!list_) return {};
    return makeAddressListModel(*list_);
}

void AddressBox::popup() {
    if (!list_ || poppedUp()) return;
    suggestions_->hide();
    shown_ = makeAddressListModel(*list_);
    view_.set_model(shown_);
    // As wide as the box, its one column filling the width: a fixed-width column is not
    // measured from its rows, and a scroller without a horizontal bar asks only for what its
    // child needs, so both are told.
    const int width = std::max(get_allocated_width(), 1);
    scroller_.set_size_request(width, -1);
    column_.set_fixed_width(width);
    if (auto row = list_->firstWithPrefixIgnoringCase(entry_->get_text().raw())) {
        Gtk::TreeModel::Path path;
        path.push_back(static_cast<int>(*row));
        view_.set_cursor(path);
        view_.scroll_to_row(path);
    }
    popover_.popup();
    button_->set_active(true);
    view_.grab_focus();
}

void AddressBox::popdown() {
    if (!poppedUp()) return;
    popover_.popdown();
    onClosed();
}

void AddressBox::onClosed() {
    if (!shown_) return;
    // A closed drop-down holds nothing of the list.
    view_.unset_model();
    shown_.reset();
    button_->set_active(false);
}

void AddressBox::choose(const Gtk::TreeModel::Path& path) {
    if (!list_ || path.empty()) return;
    const auto row = static_cast<std::size_t>(path[0]);
    if (row >= list_->size()) return;
    const std::string text = (*list_)[row];
    popdown();
    entry_->set_text(text);
    entry_->set_position(-1);
    signalChosen.emit();
}

}  // namespace larkspan
