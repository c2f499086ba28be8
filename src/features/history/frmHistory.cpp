#include "features/history/frmHistory.hpp"

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "common/UserInput.hpp"
#include "controls/StyledButton.hpp"
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
    Delete->setEnabled(false);
    history_.load();
    fill();

    List1->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmHistory::List1_Click));
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
    selecting_ = true;
    store_->clear();
    for (const std::string& entry : history_.entries()) {
        (*store_->append()).set_value(0, Glib::ustring(entry));
    }
    selecting_ = false;
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

void frmHistory::selectRow(std::size_t index) {
    selecting_ = true;
    auto rows = store_->children();
    if (index < rows.size()) List1->get_selection()->select(rows[index]);
    selecting_ = false;
}

// ---- Events ------------------------------------------------------------------------------

void frmHistory::List1_Click() {
    if (selecting_ || !handlingUserInput() || !selectedIndex()) return;
    Delete->setEnabled(true);
}

void frmHistory::List1_DblClick(const Gtk::TreeModel::Path& path) {
    auto it = store_->get_iter(path);
    frmBrowser* first = ctx_.firstWindow();
    if (!it || !first) return;
    Glib::ustring address;
    it->get_value(0, address);
    first->WebBrowser1().navigate(address);
}

void frmHistory::Delete_Click() {
    std::optional<std::size_t> index = selectedIndex();
    if (!index) return;
    history_.remove(*index);
    fill();
    // The last remaining entry is selected.
    if (!history_.entries().empty()) selectRow(history_.entries().size() - 1);
    Delete->setEnabled(false);
}

void frmHistory::DeleteAll_Click() {
    hide();
    auto answer = ctx_.dialogs().message(ctx_.ownerWindow(), "Delete History?  ", "History",
                                         Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
    if (answer == Dialogs::Answer::Yes) {
        clearTypedHistory(ctx_);
        history_.clear();
        fill();
    }
    showAgain();
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
