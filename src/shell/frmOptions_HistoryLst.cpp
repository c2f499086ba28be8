// The options dialog's "History" page.
#include "common/Dialogs.hpp"
#include "controls/StyledButton.hpp"
#include "shell/ActionButton.hpp"
#include "shell/Guards.hpp"
#include "shell/ShellContext.hpp"
#include "shell/TypedHistory.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

namespace {
// The history feature's window.
constexpr const char* kViewHistory = "app.view-history";
}  // namespace

HistoryLstPage::HistoryLstPage(frmOptions& dialog) : OptionsPage(dialog, "HistoryLst") {
    button("Command3", "Clear History")
        ->signal_click()
        .connect(sigc::mem_fun(*this, &HistoryLstPage::Command3_Click));
    StyledButton* view = button("Command4", "View");
    view->signal_click().connect(sigc::mem_fun(*this, &HistoryLstPage::Command4_Click));
    actions::follow(*view, kViewHistory);
}

void HistoryLstPage::Command3_Click() {
    if (locks::holdBack(ctx_, "clear-history")) return;
    ctx_.dialogs().message(&dialog_, "Delete History?  ", "History", Dialogs::Buttons::YesNo,
                           Dialogs::Icon::Question,
                           [alive = dialog_.aliveToken(), this](Dialogs::Answer answer) {
                               if (alive.expired()) return;
                               dialog_.returningFromDialog();
                               if (answer == Dialogs::Answer::Yes) clearTypedHistory(ctx_);
                           });
}

// The history window takes the dialog's place.
void HistoryLstPage::Command4_Click() {
    if (locks::holdBack(ctx_, "view-history")) return;
    if (actions::activate(kViewHistory)) dialog_.CloseB_Click();
}

}  // namespace larkspan
