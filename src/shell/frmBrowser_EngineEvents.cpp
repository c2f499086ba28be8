// The main window's handling of the page engine's events: address, caption, application
// title, status panels, progress, the close question and the Edit menu.
#include <glibmm/datetime.h>

#include "common/Dialogs.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ClockFormat.hpp"
#include "shell/ProgressDisplay.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kCaptionSuffix = " - Larkspan";

std::string trimSpaces(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace

void frmBrowser::connectEngineEvents() {
    PageEngine& e = *engine_;
    e.signalNavigateComplete2.connect(
        sigc::mem_fun(*this, &frmBrowser::WebBrowser1_NavigateComplete2));
    e.signalDownloadComplete.connect(
        sigc::mem_fun(*this, &frmBrowser::WebBrowser1_DownloadComplete));
    e.signalTitleChange.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_TitleChange));
    e.signalStatusTextChange.connect(
        sigc::mem_fun(*this, &frmBrowser::WebBrowser1_StatusTextChange));
    e.signalProgressChange.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_ProgressChange));
    e.signalSetSecureLockIcon.connect(
        sigc::mem_fun(*this, &frmBrowser::WebBrowser1_SetSecureLockIcon));
    e.signalWindowClosing.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_WindowClosing));
    e.signalReadyToShow.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_ReadyToShow));
    e.signalGotFocus.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_GotFocus));
    e.signalLostFocus.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_LostFocus));
    e.signalCommandStateChange.connect(
        sigc::mem_fun(*this, &frmBrowser::WebBrowser1_CommandStateChange));
    clock_.signalTimer.connect(sigc::mem_fun(*this, &frmBrowser::updateClockPanels));
    updateClockPanels();
}

void frmBrowser::WebBrowser1_ReadyToShow() {
    // The engine gives the whole window's size: the page's size plus what the opener's
    // window takes around its page, the same for this window.
    const WindowFeatures asked = engine_->requestedGeometry();
    if (asked.width <= 0 || asked.height <= 0) return;
    setWindowState(WindowGeometry::Normal);
    resize(asked.width, asked.height);
    if (asked.x != 0 || asked.y != 0) move(asked.x, asked.y);
}

Glib::ustring frmBrowser::panelText(int panel) const {
    Gtk::Label* label = nullptr;
    builder_->get_widget("StatusBar1_Text" + std::to_string(panel), label);
    return label ? label->get_text() : Glib::ustring();
}

bool frmBrowser::panelVisible(int panel) const {
    Gtk::Widget* frame = control("StatusBar1_Panel" + std::to_string(panel));
    return frame && frame->get_visible();
}

void frmBrowser::updateClockPanels() {
    Gtk::Label* date = nullptr;
    Gtk::Label* time = nullptr;
    builder_->get_widget("StatusBar1_Text4", date);
    builder_->get_widget("StatusBar1_Text5", time);
    auto now = Glib::DateTime::create_now_local();
    if (date) date->set_text(now.format("%x"));
    if (time) time->set_text(now.format(clockTimeFormat(localeTimeFormat())));
}

void frmBrowser::WebBrowser1_NavigateComplete2(const std::string&) {
    cboAddress->get_entry()->set_text(engine_->locationURL());
}

void frmBrowser::WebBrowser1_DownloadComplete() {
    set_title(engine_->locationName() + kCaptionSuffix);
}

void frmBrowser::WebBrowser1_TitleChange(const std::string& title) {
    // The name the desktop lists the window under while it is minimised; the caption
    // stays with the completed downloads.
    applicationTitle_ = trimSpaces(title) + kCaptionSuffix;
    if (auto window = get_window()) window->set_icon_name(applicationTitle_);
}

void frmBrowser::WebBrowser1_StatusTextChange(const std::string& text) {
    Gtk::Label* panel = nullptr;
    builder_->get_widget("StatusBar1_Text1", panel);
    if (panel) panel->set_text(trimSpaces(text));
}

void frmBrowser::WebBrowser1_ProgressChange(long progress, long maximum) {
    auto clamp32 = [](long v) {
        return static_cast<std::int32_t>(std::clamp<long>(v, INT32_MIN, INT32_MAX));
    };
    ProgressUpdate u = onProgressChange(clamp32(progress), clamp32(maximum),
                                        StatusBar1->get_visible(), PB->value());
    if (u.loading) {
        pageLoading_ = *u.loading;
        stopAction_->set_enabled(pageLoading_);
    }
    if (!u.handled) return;
    PB->setValue(u.value);
    // The bar lives over panel 3 with the margins its place calls for, so moving it is
    // already done by the status bar's own layout.
    PB->set_visible(u.visible);
}

void frmBrowser::WebBrowser1_SetSecureLockIcon(int secureState) {
    if (Gtk::Widget* panel = control("StatusBar1_Panel2")) panel->set_visible(secureState >= 1);
}

void frmBrowser::WebBrowser1_WindowClosing(bool, bool& cancel) {
    // Refused now; the window closes itself once the user allows it.
    cancel = true;
    dialogs().message(this, "This window is attempting to close!\r\nDo you want to allow this?",
                      "Allow Window Close?", Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                      whileAlive<Dialogs::Answer>(*this, [this](Dialogs::Answer answer) {
                          if (answer == Dialogs::Answer::Yes) Form_Unload();
                      }));
}

void frmBrowser::WebBrowser1_CommandStateChange(engine::Command command, bool enable) {
    (command == engine::Command::Back ? backAction_ : forwardAction_)->set_enabled(enable);
}

// Cut, Copy and Paste are enabled while the page has the focus (when they are built).
void frmBrowser::WebBrowser1_GotFocus() {
    for (const char* name : {"cut", "copy", "paste"}) {
        auto action = Glib::RefPtr<Gio::SimpleAction>::cast_dynamic(lookup_action(name));
        if (action) action->set_enabled(true);
    }
}

void frmBrowser::WebBrowser1_LostFocus() {
    for (const char* name : {"cut", "copy", "paste"}) {
        auto action = Glib::RefPtr<Gio::SimpleAction>::cast_dynamic(lookup_action(name));
        if (action) action->set_enabled(false);
    }
}

}  // namespace larkspan
