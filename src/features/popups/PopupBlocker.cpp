#include "features/popups/PopupBlocker.hpp"

#include <glibmm/exception.h>
#include <glibmm/main.h>

#include <algorithm>
#include <exception>

#include "common/Dialogs.hpp"
#include "common/Failure.hpp"
#include "features/popups/DefaultBrowser.hpp"
#include "features/popups/Form2.hpp"
#include "features/popups/PopupDecision.hpp"
#include "features/popups/frmBlockedLog.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsKeys.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::popups {

namespace {

// Runs one step of the handler; a step that throws is skipped, and says so on stderr.
template <typename Fn>
void step(const char* what, Fn&& fn) {
    try {
        fn();
    } catch (...) {
        reportFailure(what);
    }
}

// Lets the events that are waiting run, a bounded number so a busy loop cannot hold the
// handler forever.
void letPendingEventsRun() {
    auto main = Glib::MainContext::get_default();
    for (int i = 0; i < 1000 && main->pending(); ++i) main->iteration(false);
}

bool stillOpen(const ShellContext& context, const frmBrowser* window) {
    const auto& all = context.browsers();
    return std::find(all.begin(), all.end(), window) != all.end();
}

void countRefusal(ShellContext& context) {
    OptionsModel& options = context.options();
    std::string next = nextBlockedCount(options.blockedCount);
    options.setText(OptionId::BlockedCount, next);
    context.settings().write(keys::kSettings, keys::kBlockedCount, next);
}

void logRequest(ShellContext& context, const std::string& address) {
    if (auto* log = dynamic_cast<frmBlockedLog*>(context.windows().touch("frmBlockedLog"))) {
        log->logBlocked(address);
    }
}

void showNotice(ShellContext& context) {
    if (auto* notice = dynamic_cast<Form2*>(context.windows().touch("Form2"))) {
        notice->showNotice();
    }
}

void openInNewWindow(ShellContext& context, frmBrowser& window, Page& page,
                     NewWindowRequest& request) {
    letPendingEventsRun();
    if (!stillOpen(context, &window)) return;
    PageEngine& opener = page.engine();
    frmBrowser& popup = context.createBrowserWindow(opener.createRelated());
    PageEngine& hosted = popup.page().engine();
    request.ppDisp = &hosted;
    step("registering the popup's page", [&] { hosted.setRegisterAsBrowser(true); });
    step("copying script-error silence to the popup", [&] { hosted.setSilent(opener.silent()); });
    step("showing the popup's window", [&] { popup.show(); });
    request.cancel = false;
}

}  // namespace

void attach(ShellContext& context, frmBrowser& window, Page& page) {
    page.engine().signalNewWindow2.connect([&context, &window, &page](NewWindowRequest& request) {
        WebBrowser1_NewWindow2(context, window, page, request);
    });
}

void WebBrowser1_NewWindow2(ShellContext& context, frmBrowser& window, Page& page,
                            NewWindowRequest& request) {
    // Refused unless a step below allows it.
    request.cancel = true;
    step("letting pending events run", letPendingEventsRun);
    if (!stillOpen(context, &window)) return;

    OptionsModel::PopupMode mode = OptionsModel::PopupMode::AskMe;
    step("reading the popup mode", [&] { mode = context.options().popupMode; });
    std::optional<bool> allowed;
    if (asksUser(mode)) {
        step("asking whether to allow the popup", [&] {
            auto answer = context.dialogs().message(&window, "Popup Requested, Allow?",
                                                    page.engine().locationURL(),
                                                    Dialogs::Buttons::YesNo, Dialogs::Icon::None);
            allowed = answer == Dialogs::Answer::Yes;
        });
        if (!stillOpen(context, &window)) return;
    }
    // Read after the question: the options may have changed while it was open.
    bool logOn = false;
    std::string target;
    step("reading the popup options", [&] {
        logOn = context.options().logBlocked;
        target = context.options().popupTarget;
    });
    Outcome outcome = decide(mode, allowed, logOn, target);

    if (outcome.counted) step("counting the refused popup", [&] { countRefusal(context); });
    if (outcome.logged) {
        step("logging the refused popup",
             [&] { logRequest(context, page.engine().locationURL()); });
    }
    if (outcome.notice) step("showing the notice", [&] { showNotice(context); });
    switch (outcome.route) {
        case Route::Refuse:
            break;
        case Route::DefaultBrowser:
            step("opening the popup in the default browser",
                 [&] { openInDefaultBrowser(request.targetUrl); });
            break;
        case Route::NewWindow:
            step("opening the popup in a new window",
                 [&] { openInNewWindow(context, window, page, request); });
            break;
    }
}

}  // namespace larkspan::popups
