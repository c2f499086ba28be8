#include "features/locks/frmPassword.hpp"

#include <exception>

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "common/Failure.hpp"
#include "controls/StyledButton.hpp"
#include "features/locks/PasswordStore.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/TypedHistory.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

namespace {

using locks::PasswordButton;

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmPassword.ui";
constexpr const char* kName = "frmPassword";
constexpr const char* kTitle = "Larkspan";

// The client area of the two layouts (pixels), and where Cancel lies in each. The
// change-password layout is too narrow for the action buttons, which start at x = 197.
constexpr int kNormalWidth = 292;
constexpr int kNormalHeight = 92;
constexpr int kChangeWidth = 196;
constexpr int kChangeHeight = 164;
constexpr int kNormalCancelX = 199;
constexpr int kNormalCancelY = 60;
constexpr int kNormalCancelWidth = 89;
constexpr int kChangeCancelX = 6;
constexpr int kChangeCancelY = 132;
constexpr int kChangeCancelWidth = 185;

constexpr std::array<const char*, locks::kPasswordButtonCount> kButtonNames{
    "EnableEmailSend", "EnableEmailRead", "UnlockFav", "UnlockHis", "UnlockOpt",
    "ChgPass",         "UnlockPass",      "DeleteHis", "Enable",    "EnableBrowser"};

PasswordButton buttonFor(locks::Unlock action) {
    switch (action) {
        case locks::Unlock::UnlockFav:
            return PasswordButton::UnlockFav;
        case locks::Unlock::UnlockHis:
            return PasswordButton::UnlockHis;
        case locks::Unlock::UnlockOpt:
            return PasswordButton::UnlockOpt;
        case locks::Unlock::UnlockPass:
            return PasswordButton::UnlockPass;
        case locks::Unlock::EnableEmailRead:
            return PasswordButton::EnableEmailRead;
        case locks::Unlock::EnableEmailSend:
            return PasswordButton::EnableEmailSend;
        case locks::Unlock::EnableBrowser:
            return PasswordButton::EnableBrowser;
        case locks::Unlock::DeleteHis:
            return PasswordButton::DeleteHis;
        case locks::Unlock::Enable:
            break;
    }
    return PasswordButton::Enable;
}

std::size_t slot(PasswordButton b) {
    return static_cast<std::size_t>(b);
}

}  // namespace

frmPassword::HeldWindow frmPassword::hold(frmBrowser* window) {
    if (!window) return {};
    return HeldWindow{true, sigc::track_obj([window] { return window; }, *window)};
}

frmBrowser* frmPassword::HeldWindow::window() const {
    return get.empty() ? nullptr : get();
}

// ---- Load ---------------------------------------------------------------------------------

frmPassword::frmPassword(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                         ShellContext& context)
    : Gtk::Window(cobject),
      ctx_(context),
      builder_(builder),
      state_(locks::passwordIsSet(context.settings())) {
    builder_->get_widget("Text1", Text1);
    builder_->get_widget("Text2", Text2);
    builder_->get_widget("Frame", Frame);
    builder_->get_widget("lblPrompt", lblPrompt);
    builder_->get_widget_derived("Cancel", Cancel);
    Cancel->setCaption("Cancel");
    scheme::followButtonLook(ctx_, *Cancel, false);
    Cancel->signal_click().connect(sigc::mem_fun(*this, &frmPassword::Cancel_Click));
    for (std::size_t i = 0; i < kButtonNames.size(); ++i) {
        builder_->get_widget_derived(kButtonNames[i], buttons_[i]);
        auto b = static_cast<PasswordButton>(i);
        buttons_[i]->setCaption(b == PasswordButton::ChgPass ? "Set Password" : "Unlock");
        // The history button keeps its own looks; the others take the sample's.
        if (b != PasswordButton::DeleteHis) scheme::followButtonLook(ctx_, *buttons_[i], false);
        buttons_[i]->signal_click().connect([this, b] { click(b); });
    }
    Text1->signal_activate().connect(sigc::mem_fun(*this, &frmPassword::Text1_Enter));
    showState();
}

frmPassword::~frmPassword() {
    // Closed without the right password, the windows a wrong one disabled come back.
    enableHeldWindows();
}

StyledButton* frmPassword::button(PasswordButton b) const {
    return buttons_[slot(b)];
}

void frmPassword::showState() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->set_visible(state_.visible(static_cast<PasswordButton>(i)));
    }
    Text2->set_visible(state_.repeatBoxVisible());
    set_title(state_.caption());
    if (state_.layout() == locks::LockDialogState::Layout::ChangePassword) {
        lblPrompt->set_text_with_mnemonic("_New password, twice:");
        Frame->set_size_request(kChangeWidth, kChangeHeight);
        Frame->move(*Cancel, kChangeCancelX, kChangeCancelY);
        Cancel->set_size_request(kChangeCancelWidth, -1);
    } else {
        lblPrompt->set_text_with_mnemonic("Type your _password:");
        Frame->set_size_request(kNormalWidth, kNormalHeight);
        Frame->move(*Cancel, kNormalCancelX, kNormalCancelY);
        Cancel->set_size_request(kNormalCancelWidth, -1);
    }
}

// ---- Openers -----------------------------------------------------------------------------

void frmPassword::reveal(locks::Unlock action, frmBrowser* origin, std::function<void()> proceed) {
    PasswordButton b = buttonFor(action);
    state_.setVisible(b, true);
    button(b)->show();
    origins_[slot(b)] = hold(origin);
    proceed_[slot(b)] = std::move(proceed);
}

void frmPassword::conceal(locks::Unlock action) {
    PasswordButton b = buttonFor(action);
    state_.setVisible(b, false);
    button(b)->hide();
}

// ---- Events ------------------------------------------------------------------------------

void frmPassword::Text1_Enter() {
    // A failing dispatch does nothing beyond saying so.
    try {
        if (auto target = state_.enterTarget()) click(*target);
    } catch (...) {
        reportFailure("Enter in the password box");
    }
}

void frmPassword::click(PasswordButton b) {
    switch (b) {
        case PasswordButton::UnlockFav:
        case PasswordButton::UnlockHis:
            if (!rightPassword()) return refuse(true);
            showShared(b == PasswordButton::UnlockFav ? "frmFavorites" : "frmHistory");
            return closeLater();
        case PasswordButton::UnlockOpt:
            if (!rightPassword()) return refuse(true);
            showOptionsDialog(ctx_);
            return closeLater();
        case PasswordButton::UnlockPass:
            if (!rightPassword()) return refuse(true);
            return UnlockPass_Right();
        case PasswordButton::DeleteHis:
            if (!rightPassword()) return refuse(false);
            return DeleteHis_Right();
        case PasswordButton::Enable:
            if (!rightPassword()) return refuse(false);
            return Enable_Right();
        case PasswordButton::EnableBrowser:
            return EnableBrowser_Click();
        case PasswordButton::EnableEmailRead:
        case PasswordButton::EnableEmailSend:
            if (!rightPassword()) return refuse(false);
            closeLater();
            return runProceed(b);
        case PasswordButton::ChgPass:
            return ChgPass_Click();
    }
}

void frmPassword::Cancel_Click() {
    // As the close box: the held-back command is dropped.
    closeLater();
}

bool frmPassword::on_delete_event(GdkEventAny*) {
    Cancel_Click();
    return true;
}

bool frmPassword::on_key_press_event(GdkEventKey* event) {
    if (event->keyval == GDK_KEY_Escape) {
        Cancel_Click();
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

// ---- Actions -----------------------------------------------------------------------------

bool frmPassword::rightPassword() const {
    return locks::CheckPassword(ctx_.settings(), Text1->get_text());
}

void frmPassword::refuse(bool refocus) {
    ctx_.dialogs().message(this, "Invalid Password!", kTitle, Dialogs::Buttons::Ok,
                           Dialogs::Icon::None,
                           whileAlive<Dialogs::Answer>(*this, [this, refocus](Dialogs::Answer) {
                               if (refocus) Text1->grab_focus();
                           }));
}

void frmPassword::showShared(const char* name) {
    Gtk::Window* w = ctx_.windows().touch(name);
    if (!w) return;
    if (Gtk::Window* owner = ctx_.ownerWindow()) w->set_transient_for(*owner);
    w->present();
}

void frmPassword::runProceed(PasswordButton b) {
    std::function<void()> proceed = proceed_[slot(b)];
    // A command held back in a window that has closed since is dropped with it.
    if (proceed && !origins_[slot(b)].gone()) proceed();
}

void frmPassword::UnlockPass_Right() {
    state_.changePasswordLayout();
    showState();
    Text1->set_text("");
}

void frmPassword::DeleteHis_Right() {
    ctx_.dialogs().message(this, "Delete History?  ", "History", Dialogs::Buttons::YesNo,
                           Dialogs::Icon::Question,
                           whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer answer) {
                               if (answer == Dialogs::Answer::Yes) clearTypedHistory(ctx_);
                               closeLater();
                           }));
}

void frmPassword::Enable_Right() {
    if (frmOptions* options = showOptionsDialog(ctx_)) options->unlockLockables();
    closeLater();
}

void frmPassword::EnableBrowser_Click() {
    const HeldWindow& origin = origins_[slot(PasswordButton::EnableBrowser)];
    if (rightPassword()) {
        enableHeldWindows();
        if (frmBrowser* w = origin.window()) ctx_.locks().hold(*w, false);
        runProceed(PasswordButton::EnableBrowser);
        return closeLater();
    }
    refuse(false);
    // The window stays unusable, its page stopped, until the right password comes.
    frmBrowser* w = origin.window();
    if (!w) w = ctx_.firstWindow();
    if (!w) return;
    ctx_.locks().hold(*w, true);
    disabled_.push_back(hold(w));
}

void frmPassword::ChgPass_Click() {
    if (Text1->get_text() != Text2->get_text()) {
        ctx_.dialogs().message(this, "Passwords Don't Match!", kTitle, Dialogs::Buttons::Ok,
                               Dialogs::Icon::None,
                               whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer) {
                                   showOptionsDialog(ctx_);
                                   // Still waiting for the password, this dialog stays in
                                   // front of the options.
                                   present();
                                   Text1->grab_focus();
                               }));
        return;
    }
    locks::storeNewPassword(ctx_.settings(), Text1->get_text());
    ctx_.dialogs().message(this, "Password Changed Successfully!", kTitle, Dialogs::Buttons::Ok,
                           Dialogs::Icon::None,
                           whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer) {
                               closeLater();
                               showOptionsDialog(ctx_);
                           }));
}

void frmPassword::enableHeldWindows() {
    for (const HeldWindow& held : disabled_) {
        if (frmBrowser* w = held.window()) ctx_.locks().hold(*w, false);
    }
    disabled_.clear();
}

void frmPassword::closeLater() {
    // Shown again by a guard in the meantime, it stays as it is.
    ctx_.windows().closeWhenIdle(kName);
}

std::unique_ptr<Gtk::Window> makePasswordDialog(ShellContext& context) {
    return buildWindow<frmPassword>(kResource, "frmPassword", context);
}

}  // namespace larkspan
