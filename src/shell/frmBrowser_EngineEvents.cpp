// The main window's handling of the page engine's events: address, caption, application
// title, status panels, progress, the close question and the Edit menu.
#include <glibmm/datetime.h>

#include "common/Dialogs.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ClockFormat.hpp"
#include "shell/PrivateWindow.hpp"
#include "shell/ProgressDisplay.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {}  // namespace

void frmBrowser::followCurrentPage() {
    for (sigc::connection& c : pageConns_) c.disconnect();
    Page& p = *current_;
    PageEngine& e = p.engine();
    pageConns_ = {
        p.signalAddressChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageAddress)),
        p.signalCaptionChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageCaption)),
        p.signalTitleChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageTitle)),
        p.signalStatusTextChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageStatusText)),
        p.signalSecureStateChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageSecureState)),
        p.signalProgress.connect(sigc::mem_fun(*this, &frmBrowser::showPageProgress)),
        p.signalHistoryChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageHistory)),
        p.signalAutoRefreshChanged.connect(sigc::mem_fun(*this, &frmBrowser::showPageAutoRefresh)),
        e.signalGotFocus.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_GotFocus)),
        e.signalLostFocus.connect(sigc::mem_fun(*this, &frmBrowser::WebBrowser1_LostFocus)),
    };
    for (sigc::connection& c : followFullScreen(e)) pageConns_.push_back(c);
    if (findBar_) findBar_->follow(p);
    p.shown();
    // What the page holds now. A page that has not named itself yet leaves the caption and
    // the title the desktop lists the window under as they are.
    showPageAddress();
    if (!p.caption().empty()) showPageCaption();
    if (!p.title().empty()) showPageTitle();
    showPageStatusText();
    showPageSecureState();
    if (stopAction_) stopAction_->set_enabled(p.loading());
    PB->set_visible(StatusBar1->get_visible() && p.loading());
    showPageHistory();
    showPageAutoRefresh();
    signalPageShown.emit();
}

void frmBrowser::connectEngineEvents() {
    clock_.signalTimer.connect(sigc::mem_fun(*this, &frmBrowser::updateClockPanels));
    updateClockPanels();
}

void frmBrowser::WebBrowser1_ReadyToShow(Page& page) {
    // The engine gives the whole window's size: the page's size plus what the opener's
    // window takes around its page, the same for this window.
    const WindowFeatures asked = page.engine().requestedGeometry();
    if (asked.width <= 0 || asked.height <= 0) return;
    setWindowState(WindowGeometry::Normal);
    resize(asked.width, asked.height);
    if (asked.x != 0 || asked.y != 0) move(asked.x, asked.y);
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

void frmBrowser::showPageAddress() {
    cboAddress->get_entry()->set_text(current_->address());
}

void frmBrowser::showPageCaption() {
    set_title(current_->caption() + captionSuffix(private_));
}

void frmBrowser::showPageTitle() {
    // The name the desktop lists the window under while it is minimised; the caption
    // stays with the completed downloads.
    applicationTitle_ = current_->title() + captionSuffix(private_);
    if (auto window = get_window()) window->set_icon_name(applicationTitle_);
}

void frmBrowser::showPageStatusText() {
    Gtk::Label* panel = nullptr;
    builder_->get_widget("StatusBar1_Text1", panel);
    if (panel) panel->set_text(current_->statusText());
}

void frmBrowser::showPageProgress(long progress, long maximum) {
    auto clamp32 = [](long v) {
        return static_cast<std::int32_t>(std::clamp<long>(v, INT32_MIN, INT32_MAX));
    };
    ProgressUpdate u = onProgressChange(clamp32(progress), clamp32(maximum),
                                        StatusBar1->get_visible(), PB->value());
    if (u.loading) stopAction_->set_enabled(current_->loading());
    if (!u.handled) return;
    PB->setValue(u.value);
    // The bar lives over panel 3 with the margins its place calls for, so moving it is
    // already done by the status bar's own layout.
    PB->set_visible(u.visible);
}

// The panel tells a secure page, and a page typed without a scheme whose site offered no
// secure connection, so that it was loaded over plain http.
void frmBrowser::showPageSecureState() {
    const int state = current_->secureState();
    if (auto* text = dynamic_cast<Gtk::Label*>(control("StatusBar1_Text2")))
        text->set_text(state == engine::kSecureNotOffered ? "No Secure Connection "
                                                          : "Secure Website ");
    if (Gtk::Widget* panel = control("StatusBar1_Panel2"))
        panel->set_visible(state >= engine::kSecureMixed || state == engine::kSecureNotOffered);
}

void frmBrowser::showPageHistory() {
    if (backAction_) backAction_->set_enabled(current_->canGoBack());
    if (forwardAction_) forwardAction_->set_enabled(current_->canGoForward());
    WebBrowser1_HistoryChange();
}

void frmBrowser::showPageAutoRefresh() {
    if (autoRefreshOffAction_) autoRefreshOffAction_->set_enabled(current_->autoRefreshOn());
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
