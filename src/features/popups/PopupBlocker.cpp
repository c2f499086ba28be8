#include "features/popups/PopupBlocker.hpp"

#include <algorithm>
#include <exception>

#include "common/Dialogs.hpp"
#include "common/Failure.hpp"
#include "features/popups/DefaultBrowser.hpp"
#include "features/popups/Form2.hpp"
#include "features/popups/PopupDecision.hpp"
#include "features/popups/frmBlockedLog.hpp"
#include "settings/OptionsModel.hpp"
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

bool stillOpen(const ShellContext& context, const frmBrowser* window) {
    const auto& all = context.browsers();
    return std::find(all.begin(), all.end(), window) != all.end();
}

void countRefusal(ShellContext& context) {
    OptionsModel& options = context.options();
    std::string next = nextBlockedCount(options.blockedCount);
    options.setText(OptionId::BlockedCount, next);
    options.writeNow(context.settings(), OptionId::BlockedCount);
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

// An allowed popup: a new main window, or a tab of the opener's window when the user has
// new windows open in tabs. Either way the engine hosting it is related to the opener's.
void openInNewWindow(ShellContext& context, frmBrowser& window, Page& page,
                     NewWindowRequest& request) {
    PageEngine& opener = page.engine();
    bool inTab = false;
    step("reading where new windows open", [&] { inTab = context.options().newWindowsInTabs; });
    frmBrowser* popup = nullptr;
    Page* tab = nullptr;
    if (inTab) {
        tab = &window.addPage(opener.createRelated());
    } else {
        popup = &context.createBrowserWindow(opener.createRelated());
        tab = &popup->page();
    }
    PageEngine& hosted = tab->engine();
    request.ppDisp = &hosted;
    step("registering the popup's page", [&] { hosted.setRegisterAsBrowser(true); });
    step("copying script-error silence to the popup", [&] { hosted.setSilent(opener.silent()); });
    if (popup) {
        step("showing the popup's window", [&] { popup->show(); });
    } else {
        step("showing the popup's tab", [&] { window.showPage(*tab); });
    }
    request.cancel = false;
}

// A popup the user allowed after its request was refused: a new main window of its own
// loads the address. Unlike one allowed at once, its page has no opener.
void openUnrelated(ShellContext& context, Page& page, const std::string& address) {
    // Without an address there is nothing to load.
    if (address.empty()) return;
    frmBrowser& popup = context.createBrowserWindow();
    PageEngine& hosted = popup.page().engine();
    step("registering the popup's page", [&] { hosted.setRegisterAsBrowser(true); });
    step("copying script-error silence to the popup",
         [&] { hosted.setSilent(page.engine().silent()); });
    step("loading the popup's address", [&] { hosted.navigate(address); });
    step("showing the popup's window", [&] { popup.show(); });
}

// What follows the decision: the counter, the log, the notice, and where the popup goes.
// `request` is null once the engine has had its answer (the user was asked).
void carryOut(ShellContext& context, frmBrowser& window, Page& page, OptionsModel::PopupMode mode,
              std::optional<bool> allowed, const std::string& target, NewWindowRequest* request) {
    // Read now: the options may have changed while a question was open.
    bool logOn = false;
    std::string popupTarget;
    step("reading the popup options", [&] {
        logOn = context.options().logBlocked;
        popupTarget = context.options().popupTarget;
    });
    Outcome outcome = decide(mode, allowed, logOn, popupTarget);

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
            step("opening the popup in the default browser", [&] { openInDefaultBrowser(target); });
            break;
        case Route::NewWindow:
            step("opening the popup in a new window", [&] {
                if (request) {
                    openInNewWindow(context, window, page, *request);
                } else {
                    openUnrelated(context, page, target);
                }
            });
            break;
    }
}

}  // namespace

void attach(ShellContext& context, Page& page) {
    // The window is looked up at each request: a tab may have moved to another one.
    page.engine().signalNewWindow2.connect([&context, &page](NewWindowRequest& request) {
        request.cancel = true;
        if (frmBrowser* window = context.windowHolding(page))
            WebBrowser1_NewWindow2(context, *window, page, request);
    });
}

void WebBrowser1_NewWindow2(ShellContext& context, frmBrowser& window, Page& page,
                            NewWindowRequest& request) {
    // Refused unless a step below allows it.
    request.cancel = true;
    if (!stillOpen(context, &window)) return;

    OptionsModel::PopupMode mode = OptionsModel::PopupMode::AskMe;
    step("reading the popup mode", [&] { mode = context.options().popupMode; });
    if (!asksUser(mode)) {
        carryOut(context, window, page, mode, std::nullopt, request.targetUrl, &request);
        return;
    }
    // The engine wants its answer now, and the user's comes later: the request stays
    // refused, and a Yes opens the address afresh. Each request has its own question, and
    // one whose window has closed by the answer is forgotten.
    step("asking whether to allow the popup", [&] {
        context.dialogs().message(
            &window, "Popup Requested, Allow?", page.engine().locationURL(),
            Dialogs::Buttons::YesNo, Dialogs::Icon::None,
            whileAlive<Dialogs::Answer>(page, [&context, &window, &page, mode,
                                               target = request.targetUrl](Dialogs::Answer a) {
                if (!stillOpen(context, &window)) return;
                carryOut(context, window, page, mode, a == Dialogs::Answer::Yes, target, nullptr);
            }));
    });
}

}  // namespace larkspan::popups
