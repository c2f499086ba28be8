#include "features/popups/frmBlockedLog.hpp"

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "controls/StyledButton.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmBlockedLog.ui";

}  // namespace

frmBlockedLog::frmBlockedLog(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                             ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder), log_(popups::blockedLogPath()) {
    builder_->get_widget("List1", List1);
    builder_->get_widget_derived("Delete", Delete);
    builder_->get_widget_derived("DeleteAll", DeleteAll);
    builder_->get_widget_derived("BClose", BClose);
    rows_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(List1->get_model());
    Delete->setCaption("Delete");
    DeleteAll->setCaption("Delete All");
    BClose->setCaption("Close");

    // 1. The buttons take the sample's looks; the list reads the file.
    for (StyledButton* b : {Delete, DeleteAll, BClose}) scheme::followButtonLook(ctx_, *b, false);
    log_.load();
    fillList();
    Delete->setEnabled(false);

    List1->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmBlockedLog::List1_SelectionChanged));
    Delete->signal_click().connect(sigc::mem_fun(*this, &frmBlockedLog::Delete_Click));
    DeleteAll->signal_click().connect(sigc::mem_fun(*this, &frmBlockedLog::DeleteAll_Click));
    BClose->signal_click().connect(sigc::mem_fun(*this, &frmBlockedLog::BClose_Click));
}

void frmBlockedLog::fillList() {
    // Detached while filling, so the view does not follow each row.
    List1->unset_model();
    rows_->clear();
    for (const auto& entry : log_.entries()) (*rows_->append()).set_value(0, Glib::ustring(entry));
    List1->set_model(rows_);
}

void frmBlockedLog::selectLast() {
    auto n = rows_->children().size();
    if (n == 0) return;
    Gtk::TreeModel::Path path;
    path.push_back(static_cast<int>(n - 1));
    List1->get_selection()->select(path);
}

void frmBlockedLog::logBlocked(const std::string& address) {
    const std::size_t reads = log_.reads();
    log_.append(address);
    // Read again from the file (another instance logged too), the list is shown anew.
    if (log_.reads() != reads) {
        fillList();
    } else {
        (*rows_->append()).set_value(0, Glib::ustring(address));
    }
    selectLast();
}

void frmBlockedLog::List1_SelectionChanged() {
    Delete->setEnabled(List1->get_selection()->count_selected_rows() > 0);
}

void frmBlockedLog::Delete_Click() {
    auto selected = List1->get_selection()->get_selected_rows();
    if (selected.empty() || selected.front().empty()) return;
    // The log is read again before it is rewritten: the list shows it as it now stands.
    log_.removeAt(static_cast<std::size_t>(selected.front()[0]));
    fillList();
    selectLast();
    List1_SelectionChanged();
}

void frmBlockedLog::DeleteAll_Click() {
    hide();
    ctx_.dialogs().message(ctx_.ownerWindow(), "Delete every address in the blocked popups log?",
                           "Delete All - Larkspan", Dialogs::Buttons::YesNo,
                           Dialogs::Icon::Question,
                           whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer answer) {
                               if (answer == Dialogs::Answer::Yes) {
                                   log_.clear();
                                   rows_->clear();
                                   List1_SelectionChanged();
                               }
                               showAgain();
                           }));
}

void frmBlockedLog::showAgain() {
    if (Gtk::Window* owner = ctx_.ownerWindow()) set_transient_for(*owner);
    present();
}

void frmBlockedLog::BClose_Click() {
    // Closed once this handler has returned; the options dialog comes back.
    ctx_.windows().closeWhenIdle("frmBlockedLog", WindowRegistry::ShownAgain::Close,
                                 [ctx = &ctx_] { showOptionsDialog(*ctx); });
}

bool frmBlockedLog::on_delete_event(GdkEventAny*) {
    BClose_Click();
    return true;
}

std::unique_ptr<Gtk::Window> makeBlockedLogWindow(ShellContext& context) {
    return buildWindow<frmBlockedLog>(kResource, "frmBlockedLog", context);
}

}  // namespace larkspan
