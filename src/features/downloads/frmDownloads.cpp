#include "features/downloads/frmDownloads.hpp"

#include <sigc++/adaptors/track_obj.h>

#include "common/BuiltWindow.hpp"
#include "controls/StyledButton.hpp"
#include "features/downloads/DesktopOpener.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmDownloads.ui";
constexpr const char* kName = "frmDownloads";

enum Column { kNameColumn = 0, kSizeColumn = 1, kPercentColumn = 2, kProgressColumn = 3 };

}  // namespace

frmDownloads::frmDownloads(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                           ShellContext& context, std::shared_ptr<DownloadList> downloads)
    : Gtk::Window(cobject), ctx_(context), builder_(builder), downloads_(std::move(downloads)) {
    builder_->get_widget("lstDownloads", lstDownloads);
    builder_->get_widget_derived("cmdOpen", cmdOpen);
    builder_->get_widget_derived("cmdShowInFolder", cmdShowInFolder);
    builder_->get_widget_derived("cmdCancel", cmdCancel);
    builder_->get_widget_derived("cmdClose", cmdClose);
    store_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(lstDownloads->get_model());
    cmdOpen->setCaption("Open");
    cmdShowInFolder->setCaption("Show in Folder");
    cmdCancel->setCaption("Cancel");
    cmdClose->setCaption("Close");
    for (StyledButton* b : {cmdOpen, cmdShowInFolder, cmdCancel, cmdClose}) {
        scheme::followButtonLook(ctx_, *b, false);
    }

    for (std::size_t i = 0; i < downloads_->items().size(); ++i) {
        store_->append();
        showRow(i);
    }
    if (!downloads_->items().empty()) chooseRow(downloads_->items().size() - 1);
    updateButtons();

    downloads_->signalAdded.connect(sigc::mem_fun(*this, &frmDownloads::downloadAdded));
    downloads_->signalChanged.connect(sigc::mem_fun(*this, &frmDownloads::downloadChanged));
    downloads_->signalReset.connect(sigc::track_obj(
        [this] {
            store_->clear();
            for (std::size_t i = 0; i < downloads_->items().size(); ++i) {
                store_->append();
                showRow(i);
            }
            updateButtons();
        },
        *this));
    lstDownloads->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmDownloads::lstDownloads_Click));
    cmdOpen->signal_click().connect(sigc::mem_fun(*this, &frmDownloads::cmdOpen_Click));
    cmdShowInFolder->signal_click().connect(
        sigc::mem_fun(*this, &frmDownloads::cmdShowInFolder_Click));
    cmdCancel->signal_click().connect(sigc::mem_fun(*this, &frmDownloads::cmdCancel_Click));
    cmdClose->signal_click().connect(sigc::mem_fun(*this, &frmDownloads::cmdClose_Click));
}

void frmDownloads::showRow(std::size_t index) {
    auto rows = store_->children();
    if (index >= rows.size() || index >= downloads_->items().size()) return;
    const Download& d = *downloads_->items()[index];
    DownloadRow shown = describeDownload(d.status(), d.file(), d.address());
    Gtk::TreeRow row = rows[index];
    row.set_value(kNameColumn, Glib::ustring(shown.name));
    row.set_value(kSizeColumn, Glib::ustring(shown.size));
    row.set_value(kPercentColumn, shown.percent);
    row.set_value(kProgressColumn, Glib::ustring(shown.progress));
}

std::vector<frmDownloads::ShownRow> frmDownloads::shownRows() const {
    std::vector<ShownRow> out;
    for (const auto& row : store_->children()) {
        ShownRow r;
        Glib::ustring text;
        row.get_value(kNameColumn, text);
        r.name = text;
        row.get_value(kSizeColumn, text);
        r.size = text;
        row.get_value(kPercentColumn, r.percent);
        row.get_value(kProgressColumn, text);
        r.progress = text;
        out.push_back(r);
    }
    return out;
}

std::optional<std::size_t> frmDownloads::chosenRow() const {
    auto it = lstDownloads->get_selection()->get_selected();
    if (!it) return std::nullopt;
    return static_cast<std::size_t>(store_->get_path(it)[0]);
}

void frmDownloads::chooseRow(std::size_t index) {
    auto rows = store_->children();
    if (index < rows.size()) lstDownloads->get_selection()->select(rows[index]);
}

std::shared_ptr<Download> frmDownloads::chosenDownload() const {
    std::optional<std::size_t> index = chosenRow();
    if (!index || *index >= downloads_->items().size()) return nullptr;
    return downloads_->items()[*index];
}

void frmDownloads::updateButtons() {
    std::shared_ptr<Download> d = chosenDownload();
    DownloadRow shown = d ? describeDownload(d->status(), d->file(), d->address()) : DownloadRow{};
    cmdOpen->setEnabled(shown.canOpen);
    cmdShowInFolder->setEnabled(shown.canShowInFolder);
    cmdCancel->setEnabled(shown.canCancel);
}

// ---- Events ------------------------------------------------------------------------------

void frmDownloads::downloadAdded(std::size_t index) {
    while (store_->children().size() <= index) store_->append();
    showRow(index);
    chooseRow(index);
    updateButtons();
}

void frmDownloads::downloadChanged(std::size_t index) {
    showRow(index);
    if (chosenRow() == index) updateButtons();
}

void frmDownloads::lstDownloads_Click() {
    updateButtons();
}

void frmDownloads::cmdOpen_Click() {
    std::shared_ptr<Download> d = chosenDownload();
    if (d && d->status().state() == DownloadState::Completed) downloads::openFile(d->file(), this);
}

void frmDownloads::cmdShowInFolder_Click() {
    std::shared_ptr<Download> d = chosenDownload();
    if (d && d->status().state() == DownloadState::Completed) {
        downloads::showInFolder(d->file(), this);
    }
}

void frmDownloads::cmdCancel_Click() {
    if (std::shared_ptr<Download> d = chosenDownload()) d->cancel();
}

void frmDownloads::cmdClose_Click() {
    ctx_.windows().closeWhenIdle(kName);
}

bool frmDownloads::on_delete_event(GdkEventAny*) {
    cmdClose_Click();
    return true;
}

std::unique_ptr<Gtk::Window> makeDownloadsWindow(ShellContext& context,
                                                 std::shared_ptr<DownloadList> downloads) {
    return buildWindow<frmDownloads>(kResource, "frmDownloads", context, std::move(downloads));
}

}  // namespace larkspan
