// The options dialog's "Apply" and "Apply Changes": the writes to the settings store.
#include <string>
#include <string_view>

#include "common/Dialogs.hpp"
#include "common/StoredValue.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptionsInternal.hpp"

namespace larkspan {

// ---- Password Lock page: "Apply Changes" -----------------------------------------------

void frmOptions::ApplyChgs_Click() {
    const OptionsModel& m = model();
    SettingsStore& store = ctx_.settings();
    store.write("Settings", "PassLockHis", stored::tick(m.LockHistory));
    store.write("Settings", "PassLockFav", stored::tick(m.LockFavorites));
    store.write("Settings", "PassLockOpt", stored::tick(m.LockOptions));
    store.write("Settings", "PassLockEmail", stored::tick(m.LockEmail));
    store.write("Settings", "PassLockBrowser", stored::tick(m.LockBrowser));
    runOwnDialog([this] {
        return dialogs().message(this,
                                 "Locked the Selected boxes, Unlocks may require Restart of "
                                 "Larkspan!",
                                 "Larkspan", Dialogs::Buttons::Ok, Dialogs::Icon::None);
    });
    present();
}

// ---- Apply ---------------------------------------------------------------------------

void frmOptions::BApply_Click() {
    ShellContext& app = ctx_;
    SettingsStore& store = app.settings();
    OptionsModel& m = model();
    auto write = [&store](std::string_view key, const std::string& value) {
        store.write("Settings", key, value);
    };
    frmBrowser* first = app.firstWindow();

    // 1. Nothing is left to apply.
    m.BApply_Enabled = false;
    updateApply();

    // 2. The scheme reaches every window.
    scheme::applyButtonColors(ctx_);
    scheme::applyProgramBackColor(ctx_);
    scheme::applyProgramFontColor(ctx_);

    // 3. The sample's style reaches this dialog's buttons and the search buttons.
    for (std::string_view name : scheme::optionsStyleTargets()) {
        if (auto* b = dynamic_cast<StyledButton*>(scheme::findNamed(*this, name))) {
            b->setStyle(m.Example.style);
        }
    }
    for (frmBrowser* b : ctx_.browsers()) {
        if (b->Command1) b->Command1->setStyle(m.Example.style);
    }

    // 4. Style choices, popup modes, counter, and the options that act at once.
    for (int i = 0; i < static_cast<int>(OptionsModel::kStyleCodes.size()); ++i) {
        write("Button" + std::to_string(i + 1), stored::truth(m.selectedStyleChoice == i));
    }
    using Mode = OptionsModel::PopupMode;
    write("PopupBlocker1", stored::truth(m.popupMode == Mode::AskMe));
    write("PopupBlocker2", stored::truth(m.popupMode == Mode::Allow));
    write("PopupBlocker3", stored::truth(m.popupMode == Mode::Block));
    write("PopupBlocker30", stored::truth(m.popupMode == Mode::BlockAndAlert));
    write("Blocked#", m.Label25);
    write("ShowBlock", stored::tick(m.Check2));
    write("ProgressBarForeColor", stored::color(m.PBForeColor));
    write("toolbarFont", m.lblFontName);
    ColorValue addressFC = m.Label1;
    ColorValue addressBG = m.Label2;
    if (first) {
        addressFC = style::foreground(*first->cboAddress->get_entry()).value_or(addressFC);
        addressBG = style::background(*first->cboAddress->get_entry()).value_or(addressBG);
    }
    write("AddressFC", stored::color(addressFC));
    write("AddressBG", stored::color(addressBG));
    write("Systray", stored::tick(m.Minimize));

    // 5. Script errors: the menu tick follows the box, then both are stored.
    for (frmBrowser* b : ctx_.browsers())
        b->mnuToolsSuppressScriptErrors->set_active(m.SuppressErrors);
    bool suppressTick =
        first ? first->mnuToolsSuppressScriptErrors->get_active() : m.SuppressErrors;
    write("SuppressScriptErrors", stored::truth(suppressTick));
    write("SuppressScriptErrors1", stored::tick(m.SuppressErrors));

    // 6. The colour scheme.
    auto writeColor = [&store](std::string_view key, ColorValue c) {
        store.write("ButtonColors", key, stored::color(c));
    };
    writeColor("FontColor", m.lblFontColor);
    writeColor("FontHighlightColor", m.lblHFontColor);
    writeColor("BackColor", m.lblBackColor);
    writeColor("BackHighlightColor", m.lblHBackcolor);
    writeColor("ProgramBackColor", m.lblProgramBG);
    writeColor("ProgramFontColor", m.lblProgramFC);

    // 7. Scroll style.
    for (frmBrowser* b : ctx_.browsers()) {
        if (m.PBo1) {
            b->PB->setScrolling(1);
        } else if (m.PBo2) {
            b->PB->setScrolling(0);
        }
    }
    write("ProgressBar", std::to_string(m.samplePBScrolling));

    // 8. History and the update check.
    write("History", stored::tick(m.History));
    write("CheckUpdatesAtStart", stored::tick(m.CheckUpdate));

    // 9. Status bar.
    for (frmBrowser* b : ctx_.browsers()) {
        b->setStatusBarVisible(m.Check1);
        b->mnuToolsStatusbar->set_active(m.Check1);
    }
    bool statusTick = first ? first->mnuToolsStatusbar->get_active() : m.Check1;
    write("StatusbarVisible", stored::truth(statusTick));
    write("StatusbarVisible1", stored::tick(m.Check1));

    // 10. The main windows place their controls again.
    for (frmBrowser* b : ctx_.browsers()) {
        b->runLayout();
        b->runLayout();
    }

    // 11. The log switch.
    write("BlockedLog", stored::tick(m.BlockedLog));
}

}  // namespace larkspan
