// The main window full screen: View > Full Screen (F11) and a page's element shown over the
// whole screen. Both hide the menu bar, toolbar, address row and status bar and give them
// back as the user had them; F11 or Escape leaves.
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

// The window's chrome, by the names of its parts in the window's description.
constexpr const char* kChrome[] = {"MenuBar", "Toolbar1", "AddressRow", "Shape1", "StatusBar1"};

}  // namespace

void frmBrowser::connectFullScreen() {
    fullScreenAction_ = add_action_bool(
        "fullscreen", [this] { mnuViewFullScreen_Click(); }, false);
}

void frmBrowser::mnuViewFullScreen_Click() {
    if (fullScreen_.toggle()) engine().leaveFullScreen();
    showFullScreen();
}

bool frmBrowser::leaveFullScreen() {
    if (!fullScreen_.shown()) return false;
    if (fullScreen_.leave()) engine().leaveFullScreen();
    showFullScreen();
    return true;
}

std::vector<sigc::connection> frmBrowser::followFullScreen(PageEngine& e) {
    // A page shown full screen no longer is once another page is shown.
    if (fullScreen_.pageShown()) {
        fullScreen_.pageLeft();
        showFullScreen();
    }
    return {
        e.signalEnterFullScreen.connect([this] {
            fullScreen_.pageEntered();
            showFullScreen();
        }),
        e.signalLeaveFullScreen.connect([this] {
            fullScreen_.pageLeft();
            showFullScreen();
        }),
    };
}

void frmBrowser::showFullScreen() {
    bool on = fullScreen_.shown();
    if (on && chromeBefore_.empty()) {
        for (const char* name : kChrome) {
            if (Gtk::Widget* part = control(name)) {
                chromeBefore_.emplace_back(part, part->get_visible());
                part->hide();
            }
        }
    } else if (!on) {
        for (auto& [part, visible] : chromeBefore_) part->set_visible(visible);
        chromeBefore_.clear();
    }
    // The engine makes the window full screen for its page and back; asking again is harmless,
    // and keeps the user's own full screen when a page's ends.
    if (on) {
        fullscreen();
    } else {
        unfullscreen();
    }
    fullScreenAction_->change_state(Glib::Variant<bool>::create(on));
}

}  // namespace larkspan
