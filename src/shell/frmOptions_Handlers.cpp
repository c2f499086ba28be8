// The click and change handlers of the options dialog's pages.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "common/MakerSite.hpp"
#include "common/StoredValue.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/Guards.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptionsInternal.hpp"

namespace larkspan {

namespace {

// The face "Smooth" and "Standard" give each other when one is pressed.
constexpr ColorValue kReleasedFace = 14215660;

// Replaces the history file by an empty one (mode 0600, like every list file).
bool createEmptyFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

}  // namespace

// ---- Check boxes and option buttons --------------------------------------------------

void frmOptions::checkToggled(Gtk::CheckButton* box, bool OptionsModel::*member) {
    if (syncing_) return;
    model().*member = box->get_active();
    markDirty();
}

void frmOptions::modeToggled(Gtk::RadioButton* button, OptionsModel::PopupMode mode) {
    if (syncing_ || !button->get_active()) return;
    model().popupMode = mode;
    markDirty();
}

void frmOptions::styleToggled(int index) {
    Gtk::RadioButton* choices[] = {Button1, Button2, Button3, Button4, Button5};
    if (syncing_ || !choices[index]->get_active()) return;
    OptionsModel& m = model();
    m.selectStyleChoice(index);
    Example->setStyle(m.Example.style);
    showBackSwatchesEnabled(m.backSwatchesEnabled());
    updateApply();
    updateRestore();
}

void frmOptions::Check2_Click() {
    if (syncing_) return;
    bool show = Check2->get_active();
    model().Check2 = show;
    markDirty();
    for (frmBrowser* b : ctx_.browsers()) {
        if (b->Frame1) b->Frame1->set_visible(show);
    }
}

void frmOptions::setFavoritesEntryVisible(bool visible) {
    for (frmBrowser* b : ctx_.browsers()) {
        if (Gtk::Widget* entry = b->control("mnuFavoriteT_0")) entry->set_visible(visible);
    }
}

void frmOptions::LockFavorites_Click() {
    if (syncing_) return;
    bool ticked = LockFavorites->get_active();
    model().LockFavorites = ticked;
    setFavoritesEntryVisible(!ticked);
    markDirty();
}

void frmOptions::LockFavorites1_Click() {
    if (syncing_) return;
    model().LockFavorites1 = LockFavorites1->get_active();
    if (model().LockFavorites) {
        setFavoritesEntryVisible(false);
        locks::showLockDialog(ctx_, locks::Unlock::UnlockFav, "Unlock Favorites");
    } else {
        setFavoritesEntryVisible(true);
    }
    markDirty();
}

// ---- Homepage page -------------------------------------------------------------------

void frmOptions::SetHP_Click() {
    OptionsModel& m = model();
    ctx_.settings().write("Settings", "Homepage", Text1->get_text().raw());
    m.SetHP_Enabled = false;
    SetHP->setEnabled(false);
}

void frmOptions::DefualtHP_Click() {
    Text1->set_text(site::kHome);
    ctx_.settings().write("Settings", "Homepage", Text1->get_text().raw());
}

void frmOptions::CP_Click() {
    if (frmBrowser* first = ctx_.firstWindow()) {
        Text1->set_text(first->WebBrowser1().locationURL());
    }
}

void frmOptions::cboSite_Click() {
    if (syncing_) return;
    std::string engine = cboSite->get_active_text();
    model().cboSite = engine;
    ctx_.settings().write("WebSearch", "LastEngine", engine);
    markDirty();
}

// ---- History page --------------------------------------------------------------------

void frmOptions::Command3_Click() {
    ShellContext& app = ctx_;
    if (locks::historyLocked(ctx_)) {
        if (Gtk::Window* history = app.windows().find("frmHistory")) history->hide();
        locks::showLockDialog(ctx_, locks::Unlock::DeleteHis);
        return;
    }
    auto answer = runOwnDialog([this] {
        return dialogs().message(this, "Delete History?  ", "History", Dialogs::Buttons::YesNo,
                                 Dialogs::Icon::Question);
    });
    if (answer != Dialogs::Answer::Yes) return;

    // Delete the file, empty the address lists, create the file again and refill the lists
    // from it (it holds nothing now).
    std::filesystem::path file = listfile::historyFilePath();
    std::error_code ec;
    std::filesystem::remove(file, ec);
    for (frmBrowser* b : ctx_.browsers()) b->clearAddressList();
    createEmptyFile(file);
    for (frmBrowser* b : ctx_.browsers()) b->LoadAddressList();
}

void frmOptions::Command4_Click() {
    ShellContext& app = ctx_;
    if (locks::historyLocked(ctx_)) {
        locks::showLockDialog(ctx_, locks::Unlock::UnlockHis);
        return;
    }
    Gtk::Window* history = app.windows().touch("frmHistory");
    if (!history) return;  // no history window in this program: stay open
    if (frmBrowser* first = app.firstWindow()) history->set_transient_for(*first);
    history->present();
    CloseB_Click();
}

// ---- Privacy page --------------------------------------------------------------------

void frmOptions::ViewLog_Click() {
    ShellContext& app = ctx_;
    Gtk::Window* log = app.windows().touch("frmBlockedLog");
    if (!log) return;
    if (frmBrowser* first = app.firstWindow()) log->set_transient_for(*first);
    log->present();
    hide();
}

void frmOptions::Label5_Click() {
    markDirty();
    model().Label25 = "0";
    Label25->set_text("0");
    for (frmBrowser* b : ctx_.browsers()) {
        if (b->Label1) b->Label1->set_text("0");
    }
}

// ---- Progressbar page ----------------------------------------------------------------

void frmOptions::PBo1_Click() {
    OptionsModel& m = model();
    m.clickSmooth();
    PBo1->setValue(m.PBo1);
    PBo2->setValue(m.PBo2);
    PBo2->setBackColor(kReleasedFace);
    PB->setScrolling(m.samplePBScrolling);
    updateApply();
}

void frmOptions::PBo2_Click() {
    OptionsModel& m = model();
    m.clickStandard();
    PBo2->setValue(m.PBo2);
    PBo1->setValue(m.PBo1);
    PBo1->setBackColor(kReleasedFace);
    PB->setScrolling(m.samplePBScrolling);
    updateApply();
}

void frmOptions::ShowFont_Click() {
    OptionsModel& m = model();
    bool pressed = ShowFont->value();
    m.setShowPercent(pressed);
    ShowFont->setCaption(m.ShowFontCaption);
    PB->setShowText(pressed);
    for (frmBrowser* b : ctx_.browsers()) {
        if (b->PB) b->PB->setShowText(pressed);
    }
    updateApply();
    SettingsStore& store = ctx_.settings();
    store.write("Settings", "ShowText", stored::truth(pressed));
    store.write("Settings", "ShowTextCap", m.ShowFontCaption);
}

std::optional<ColorValue> frmOptions::pickColor(ColorValue initial) {
    return runOwnDialog([this, initial] { return dialogs().chooseColor(this, initial); });
}

void frmOptions::reshow() {
    if (frmBrowser* first = ctx_.firstWindow()) set_transient_for(*first);
    present();
}

void frmOptions::PBForeColor_Click() {
    markDirty();
    // The picker starts from the address box's back colour, as it always has.
    ColorValue initial = model().Label2;
    if (frmBrowser* first = ctx_.firstWindow()) {
        initial = style::background(*first->cboAddress->get_entry()).value_or(initial);
    }
    auto chosen = pickColor(initial);
    if (!chosen) return;
    OptionsModel& m = model();
    for (frmBrowser* b : ctx_.browsers()) {
        if (b->PB) b->PB->setColor(*chosen);
    }
    m.samplePBColor = *chosen;
    PB->setColor(*chosen);
    m.PBForeColor = *chosen;
    showSwatch(*PBForeColor, *chosen);
    reshow();
}

// ---- Address Bar page ----------------------------------------------------------------

void frmOptions::Command6_Click() {
    ShellContext& app = ctx_;
    Gtk::Window* chooser = app.windows().touch("frmFont");
    if (chooser) {
        if (frmBrowser* first = app.firstWindow()) chooser->set_transient_for(*first);
        chooser->present();
    }
    markDirty();
}

void frmOptions::Command7_Click() {
    pickAddressColor(&style::foreground, &style::setForeground, model().Label1, *Label1);
}

void frmOptions::command8_Click() {
    pickAddressColor(&style::background, &style::setBackground, model().Label2, *Label2);
}

// The two colour buttons of the Address Bar page: the colour starts from the address box's
// own and goes at once to the address and search boxes of every main window, to the
// engine box and to the swatch.
void frmOptions::pickAddressColor(std::optional<ColorValue> (*current)(Gtk::Widget&),
                                  void (*apply)(Gtk::Widget&, ColorValue), ColorValue& target,
                                  Gtk::Button& swatch) {
    markDirty();
    ColorValue initial = target;
    if (frmBrowser* first = ctx_.firstWindow()) {
        initial = current(*first->cboAddress->get_entry()).value_or(initial);
    }
    auto chosen = pickColor(initial);
    if (!chosen) return;
    ColorValue c = *chosen;
    for (frmBrowser* b : ctx_.browsers()) {
        apply(*b->cboAddress->get_entry(), c);
        apply(*b->txtSearch, c);
    }
    scheme::forWidgetAndParts(*cboSite, [apply, c](Gtk::Widget& w) { apply(w, c); });
    target = c;
    showSwatch(swatch, c);
    reshow();
}

// ---- Layout page ---------------------------------------------------------------------

void frmOptions::swatch_Click(OptionsModel::Swatch which) {
    auto chosen = pickColor(model().pickerInitial(which));
    if (!chosen) return;
    OptionsModel& m = model();
    m.pickSwatch(which, *chosen);
    showSwatches();
    applyLook(*Example, m.Example);
    reshow();
    updateApply();
    updateRestore();
}

void frmOptions::RestoreB_Click() {
    OptionsModel& m = model();
    m.restoreScheme();
    syncing_ = true;
    Button3->set_active(true);
    syncing_ = false;
    showSwatches();
    applyLook(*Example, m.Example);
    updateApply();
    updateRestore();
}

// ---- Password Lock page --------------------------------------------------------------

void frmOptions::Enable_Click() {
    OptionsModel& m = model();
    if (Enable->caption() == "Unlock") {
        if (locks::showLockDialog(ctx_, locks::Unlock::Enable)) hide();
    } else if (Enable->caption() == "Lock") {
        m.LockablesEnabled = false;
        Frame13->set_sensitive(false);
        m.EnableCaption = "Unlock";
        Enable->setCaption("Unlock");
    }
}

void frmOptions::ChgPass_Click() {
    locks::showLockDialog(ctx_, locks::Unlock::UnlockPass);
}

}  // namespace larkspan
