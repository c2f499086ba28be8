// The options dialog's "Apply" and "Apply Changes": the writes to the settings store.
#include "common/Dialogs.hpp"
#include "controls/StyledButton.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/frmOptionsInternal.hpp"

namespace larkspan {

// ---- Password Lock page: "Apply Changes" -----------------------------------------------

void frmOptions::ApplyChgs_Click() {
    model().writeLocks(ctx_.settings());
    dialogs().message(this,
                      "Locked the Selected boxes, Unlocks may require Restart of "
                      "Larkspan!",
                      "Larkspan", Dialogs::Buttons::Ok, Dialogs::Icon::None,
                      ownAnswer<Dialogs::Answer>([this](Dialogs::Answer) { present(); }));
}

// ---- Apply ---------------------------------------------------------------------------

void frmOptions::BApply_Click() {
    // 1. Nothing is left to apply.
    BApply->setEnabled(false);

    // 2. The program colours reach every window.
    scheme::applyProgramColors(ctx_);

    // 3. Every option "Apply" stores, in one transaction.
    OptionsModel& m = model();
    m.writeApplied(ctx_.settings());

    // 4. The windows take up what only "Apply" brings: the button colours and the sample's
    // style, the menu ticks, the scroll style and the status bar.
    m.applied();
}

}  // namespace larkspan
