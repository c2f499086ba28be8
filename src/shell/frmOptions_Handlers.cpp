// The click and change handlers of the options dialog's pages.
#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "common/MakerSite.hpp"
#include "common/StoredValue.hpp"
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "settings/OptionDecls.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/Guards.hpp"
#include "shell/TypedHistory.hpp"
#include "shell/frmOptionsInternal.hpp"

namespace larkspan {

namespace {

// The face "Smooth" and "Standard" give each other when one is pressed: the theme's.
constexpr ColorValue kReleasedFace = kSysButtonFace;

}  // namespace

// ---- Check boxes and option buttons --------------------------------------------------

// A check box changes its option at once; the windows that show the option follow the
// model ("Show In Browser": the main windows' blocked counter; the favorites lock: their
// first favorites entry).
void frmOptions::checkToggled(Gtk::CheckButton* box, OptionId id) {
    if (syncing_) return;
    model().setFlag(id, box->get_active());
    markDirty();
}

void frmOptions::choiceToggled(Gtk::RadioButton& button, const OptionDecl& decl) {
    if (syncing_ || !button.get_active()) return;
    decl.take(model(), stored::truth(true));
    markDirty();
    // A style choice is a change of the scheme, which "Restore" can undo.
    if (decl.id == OptionId::StyleChoice) RestoreB->setEnabled(true);
}

void frmOptions::LockFavorites1_Click() {
    if (syncing_) return;
    lockFavoritesHidden_ = LockFavorites1->get_active();
    locks::holdBack(ctx_, "organize-favorites");
    markDirty();
}

// ---- Homepage page -------------------------------------------------------------------

void frmOptions::SetHP_Click() {
    model().writeNow(ctx_.settings(), OptionId::HomePage);
    SetHP->setEnabled(false);
}

void frmOptions::DefualtHP_Click() {
    Text1->set_text(site::kHome);
    model().writeNow(ctx_.settings(), OptionId::HomePage);
}

void frmOptions::CP_Click() {
    if (ctx_.firstWindow()) Text1->set_text(ctx_.currentAddress());
}

void frmOptions::cboSite_Click() {
    if (syncing_) return;
    model().setText(OptionId::SearchEngine, cboSite->get_active_text());
    model().writeNow(ctx_.settings(), OptionId::SearchEngine);
    markDirty();
}

// ---- History page --------------------------------------------------------------------

void frmOptions::Command3_Click() {
    if (locks::holdBack(ctx_, "clear-history")) return;
    dialogs().message(this, "Delete History?  ", "History", Dialogs::Buttons::YesNo,
                      Dialogs::Icon::Question,
                      ownAnswer<Dialogs::Answer>([this](Dialogs::Answer answer) {
                          if (answer == Dialogs::Answer::Yes) clearTypedHistory(ctx_);
                      }));
}

void frmOptions::Command4_Click() {
    ShellContext& app = ctx_;
    if (locks::holdBack(ctx_, "view-history")) return;
    Gtk::Window* history = app.windows().touch("frmHistory");
    if (!history) return;  // no history window in this program: stay open
    if (Gtk::Window* owner = app.ownerWindow()) history->set_transient_for(*owner);
    history->present();
    CloseB_Click();
}

// ---- Privacy page --------------------------------------------------------------------

void frmOptions::ViewLog_Click() {
    ShellContext& app = ctx_;
    Gtk::Window* log = app.windows().touch("frmBlockedLog");
    if (!log) return;
    if (Gtk::Window* owner = app.ownerWindow()) log->set_transient_for(*owner);
    log->present();
    hide();
}

void frmOptions::Label5_Click() {
    markDirty();
    // The main windows' counters follow the option.
    model().setText(OptionId::BlockedCount, "0");
}

// ---- Progressbar page ----------------------------------------------------------------

void frmOptions::PBo1_Click() {
    model().setNumber(OptionId::ScrollStyle, 1);
    PBo1->setValue(true);
    PBo2->setValue(false);
    PBo2->setBackColor(kReleasedFace);
    PB->setScrolling(1);
    markDirty();
}

void frmOptions::PBo2_Click() {
    model().setNumber(OptionId::ScrollStyle, 0);
    PBo2->setValue(true);
    PBo1->setValue(false);
    PBo1->setBackColor(kReleasedFace);
    PB->setScrolling(0);
    markDirty();
}

void frmOptions::ShowFont_Click() {
    // The toggle's new state turns the percentage on or off in the sample and, through
    // the option, in the main windows; both it and the caption are stored at once.
    OptionsModel& m = model();
    bool pressed = ShowFont->value();
    m.setText(OptionId::ShowPercentCaption, percentToggleCaption(pressed));
    m.setFlag(OptionId::ShowPercent, pressed);
    markDirty();
    SettingsStore& store = ctx_.settings();
    m.writeNow(store, OptionId::ShowPercent);
    m.writeNow(store, OptionId::ShowPercentCaption);
}

void frmOptions::pickColor(ColorValue initial, std::function<void(ColorValue)> chosen) {
    dialogs().chooseColor(this, initial,
                          ownAnswer<std::optional<ColorValue>>(
                              [chosen = std::move(chosen)](std::optional<ColorValue> picked) {
                                  if (picked) chosen(*picked);
                              }));
}

void frmOptions::reshow() {
    if (Gtk::Window* owner = ctx_.ownerWindow()) set_transient_for(*owner);
    present();
}

void frmOptions::PBForeColor_Click() {
    markDirty();
    // The picker starts from the address box's back colour, as it always has.
    pickColor(model().addressBackColor, [this](ColorValue chosen) {
        model().setNumber(OptionId::ProgressColor, chosen);
        reshow();
    });
}

// ---- Address Bar page ----------------------------------------------------------------

void frmOptions::Command6_Click() {
    ShellContext& app = ctx_;
    Gtk::Window* chooser = app.windows().touch("frmFont");
    if (chooser) {
        if (Gtk::Window* owner = app.ownerWindow()) chooser->set_transient_for(*owner);
        chooser->present();
    }
    markDirty();
}

void frmOptions::Command7_Click() {
    pickAddressColor(OptionId::AddressTextColor);
}

void frmOptions::command8_Click() {
    pickAddressColor(OptionId::AddressBackColor);
}

// The two colour buttons of the Address Bar page: the colour starts from the address box's
// own, and the chosen one becomes the option at once; the main windows' address and
// search boxes, the engine box and the swatch follow it.
void frmOptions::pickAddressColor(OptionId id) {
    markDirty();
    const OptionsModel& m = model();
    pickColor(id == OptionId::AddressTextColor ? m.addressTextColor : m.addressBackColor,
              [this, id](ColorValue chosen) {
                  model().setNumber(id, chosen);
                  reshow();
              });
}

// ---- Layout page ---------------------------------------------------------------------

void frmOptions::swatch_Click(OptionsModel::Swatch which) {
    pickColor(model().pickerInitial(which), [this, which](ColorValue chosen) {
        model().pickSwatch(which, chosen);
        reshow();
        markDirty();
        RestoreB->setEnabled(true);
    });
}

void frmOptions::RestoreB_Click() {
    model().restoreScheme();
    markDirty();
    RestoreB->setEnabled(false);
}

// ---- Password Lock page --------------------------------------------------------------

void frmOptions::Enable_Click() {
    if (Enable->caption() == "Unlock") {
        if (locks::showLockDialog(ctx_, locks::Unlock::Enable)) hide();
    } else if (Enable->caption() == "Lock") {
        Frame13->set_sensitive(false);
        Enable->setCaption("Unlock");
    }
}

void frmOptions::unlockLockables() {
    Frame13->set_sensitive(true);
    Enable->setCaption("Lock");
}

void frmOptions::ChgPass_Click() {
    // The password is asked above this dialog, which stays open behind it.
    locks::showLockDialog(ctx_, locks::Unlock::UnlockPass, locks::CaptionOn::None, {}, nullptr, {},
                          this);
}

}  // namespace larkspan
