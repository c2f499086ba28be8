#include "features/update/UpdateCheck.hpp"

#include <gtkmm/window.h>

#include "common/Dialogs.hpp"
#include "features/update/UpdateServer.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan::update {

std::string updateFileAddress(ShellContext& context, const char* file) {
    std::string base = updateServerBase(context.settings());
    return base.empty() ? std::string() : base + file;
}

UpdateCheck::UpdateCheck(ShellContext& context) : ctx_(context) {}

void UpdateCheck::run(Trigger trigger, std::function<void()> offered) {
    std::string address = updateFileAddress(ctx_, kVersionFile);
    if (address.empty()) {
        if (trigger == Trigger::User) {
            ctx_.dialogs().message(ctx_.ownerWindow(), kNoServerMessage, "Larkspan",
                                   Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                                   [](Dialogs::Answer) {});
        }
        answered.emit(Outcome::NoServer);
        return;
    }
    fetcher_.fetch(
        address, [this, trigger, offered = std::move(offered)](std::optional<std::string> fetched) {
            answer(trigger, fetched, offered);
        });
}

void UpdateCheck::answer(Trigger trigger, const std::optional<std::string>& fetched,
                         const std::function<void()>& offered) {
    Outcome outcome = decide(trigger, fetched, versionBox_, localVersionText());
    switch (outcome) {
        case Outcome::Silent:
        case Outcome::NoServer:
            break;
        case Outcome::UpToDate:
            ctx_.dialogs().message(ctx_.ownerWindow(), "You are up to date!", "Larkspan",
                                   Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                   [](Dialogs::Answer) {});
            break;
        case Outcome::OfferUpdate:
            showUpdateWindow(ctx_);
            if (offered) offered();
            break;
    }
    answered.emit(outcome);
}

void showUpdateWindow(ShellContext& context) {
    Gtk::Window* window = context.windows().touch(kUpdateWindow);
    if (window == nullptr) return;
    if (Gtk::Window* owner = context.ownerWindow()) window->set_transient_for(*owner);
    window->present();
}

}  // namespace larkspan::update
