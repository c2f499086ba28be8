#include "features/history/frmHistory.hpp"

#include <algorithm>

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "controls/StyledButton.hpp"
#include "shell/AddressList.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/TypedHistory.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmHistory.ui";
constexpr const char* kName = "frmHistory";

}  // namespace

frmHistory::frmHistory(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                       ShellContext& context)
    : Gtk::Window(cobject),
      ctx_(context),
      builder_(builder),
      history_(listfile::historyFilePath()) {
    builder_->get_widget("List1", List1);
    builder_->get_widget_derived("Delete", Delete);
    builder_->get_widget_derived("DeleteAll", DeleteAll);
    builder_->get_widget_derived("BClose", BClose);
    store_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(List1->get_model());
    Delete->setCaption("Delete");
    DeleteAll->setCaption("Delete All");
    BClose->setCaption("Close");

    // The load: the buttons take the sample's looks, the list the file's entries.
    for (StyledButton* b : {Delete, DeleteAll, BClose}) scheme::followButtonLook(ctx_, *b, false);
    history_.load();
    fill();

    // Delete goes with the selection: a click on any row, the row the list selects as it
    // takes the focus, or one chosen with the keys.
    List1->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmHistory::List1_Click));
    // The typed-address list is reset only when the history file was replaced (cleared
    // from Options, the lock dialog or this window): the list shows the file anew at once.
    ctx_.addressList().signalReset.connect(sigc::hide(sigc::mem_fun(*this, &frmHistory::reload)));
    List1->signal_row_activated().connect(
        [this](const Gtk::TreeModel::Path& path, Gtk::TreeViewColumn*) { List1_DblClick(path); });
    Delete->signal_click().connect(sigc::mem_fun(*this, &frmHistory::Delete_Click));
    DeleteAll->signal_click().connect(sigc::mem_fun(*this, &frmHistory::DeleteAll_Click));
    BClose->signal_click().connect(sigc::mem_fun(*this, &frmHistory::BClose_Click));
}

frmHistory::~frmHistory() {
    // The main window is drawn again once the history window has gone.
    if (Gtk::Window* owner = ctx_.ownerWindow()) owner->queue_draw();
}

void frmHistory::fill() {
    // Detached while filling, so the view does not follow each row.
    List1->unset_model();
    store_->clear();
    for (const std::string& entry : history_.entries()) {
        (*store_->append()).set_value(0, Glib::ustring(entry));
    }
    List1->set_model(store_);
    List1_Click();
}

void frmHistory::reload() {
    history_.load();
    fill();
}

std::vector<std::string> frmHistory::shownEntries() const {
    std::vector<std::string> out;
    for (const auto& row : store_->children()) {
        Glib::ustring v;
        row.get_value(0, v);
        out.push_back(v);
    }
    return out;
}

std::optional<std::size_t> frmHistory::selectedIndex() const {
    auto it = List1->get_selection()->get_selected();
    if (!it) return std::nullopt;
    return static_cast<std::size_t>(store_->get_path(it)[0]);
}

// ---- Events ------------------------------------------------------------------------------

void frmHistory::List1_Click() {
    Delete->setEnabled(selectedIndex().has_value());
}

void frmHistory::List1_DblClick(const Gtk::TreeModel::Path& path) {
    auto it = store_->get_iter(path);
    frmBrowser* first = ctx_.firstWindow();
    if (!it || !first) return;
    Glib::ustring address;
    it->get_value(0, address);
    first->page().engine().navigate(address);
}

void frmHistory::Delete_Click() {
    std::optional<std::size_t> index = selectedIndex();
    if (!index) return;
    // The file is read again and the list shows it as it now stands, with what other
    // windows added since, and no row selected: Delete waits for the next choice.
    history_.remove(*index);
    fill();
    const std::size_t rows = history_.entries().size();
    if (rows > 0) {
        Gtk::TreeModel::Path near;
        near.push_back(static_cast<int>(std::min(*index, rows - 1)));
        List1->scroll_to_row(near);
    }
}

void frmHistory::DeleteAll_Click() {
    hide();
    ctx_.dialogs().message(ctx_.ownerWindow(), "Delete History?  ", "History",
                           Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                           whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer answer) {
                               // The list follows the cleared file (see the constructor).
                               if (answer == Dialogs::Answer::Yes) clearTypedHistory(ctx_);
                               showAgain();
                           }));
}

void frmHistory::showAgain() {
    if (Gtk::Window* owner = ctx_.ownerWindow()) set_transient_for(*owner);
    present();
}

void frmHistory::BClose_Click() {
    closeLater();
}

bool frmHistory::on_delete_event(GdkEventAny*) {
    closeLater();
    return true;
}

void frmHistory::closeLater() {
    ctx_.windows().closeWhenIdle(kName);
}

std::unique_ptr<Gtk::Window> makeHistoryWindow(ShellContext& context) {
    return buildWindow<frmHistory>(kResource, "frmHistory", context);
}

}  // namespace larkspan
