// The main window's layout pass, the status-bar toggle, the tray icon and auto-refresh.
#include "common/MakerSite.hpp"
#include "common/Twips.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/LayoutArithmetic.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

// The design widths of the search box and the search button, which the layout keeps.
constexpr double kSearchBoxWidth = 2010;
constexpr double kSearchButtonWidth = 915;
constexpr double kSearchGap = 60;

// Shows `menu` at the mouse pointer. A click on the icon comes with its event, which places
// the menu; an icon host that only asks for the menu gives none, and the menu goes at the
// pointer's place on the screen.
void popupAtPointer(Gtk::Menu& menu) {
    if (GdkEvent* current = gtk_get_current_event()) {
        gdk_event_free(current);
        menu.popup_at_pointer(nullptr);
        return;
    }
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!pointer) return;
    GdkScreen* screen = nullptr;
    GdkRectangle at{0, 0, 1, 1};
    gdk_device_get_position(pointer, &screen, &at.x, &at.y);
    if (!screen) return;
    gtk_menu_popup_at_rect(menu.gobj(), gdk_screen_get_root_window(screen), &at,
                           GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, nullptr);
}

}  // namespace

void frmBrowser::connectLayout() {
    Resize->signal_clicked().connect(sigc::mem_fun(*this, &frmBrowser::Form_Resize));
    tray_ = std::make_unique<TrayIcon>("Larkspan", "larkspan", mPopupSys);
    tray_->signalMouse.connect(sigc::mem_fun(*this, &frmBrowser::traypic_MouseDown));
}

void frmBrowser::runLayout() {
    Form_Resize();
}

void frmBrowser::Form_Resize() {
    const OptionsModel& o = ctx_.options();

    // 1. The blocked-popup counter.
    Label1->set_text(o.blockedCount);

    // 2. The tray, when "Minimize To Systray" is ticked. A window is only hidden when its
    // icon could be shown: with no notification area it stays an ordinary minimised one.
    switch (trayStep(o.minimizeToTray, windowState() == WindowGeometry::Minimized, inTray_)) {
        case TrayStep::AddIconAndHide:
            if (tray_->show()) {
                inTray_ = true;
                hide();
            }
            break;
        case TrayStep::RemoveIconAndShow:
            tray_->hide();
            inTray_ = false;
            if (!get_visible() && !unloaded_) show();
            break;
        case TrayStep::None:
            break;
    }

    // 3, 4. The address row, by the window's inner width. The page engine and the shape
    // take their width and height from the window's own box.
    Gtk::Layout* row = nullptr;
    builder_->get_widget("AddressRow", row);
    int innerPx = get_allocated_width();
    if (!row || innerPx <= 1) return;
    double dpi = geometry_.dpi();
    LayoutInput in;
    in.innerWidth = pixelsToTwips(innerPx, dpi);
    in.innerHeight = pixelsToTwips(get_allocated_height(), dpi);
    in.outerWidth = in.innerWidth;
    in.statusBarTick = mnuToolsStatusbar->get_active();
    LayoutPlaces p = layoutPlaces(in);
    int rowHeight = std::max(row->get_allocated_height(), 1);
    auto place = [&](Gtk::Widget& w, double left, double width) {
        int minH = 0, natH = 0;
        w.get_preferred_height(minH, natH);
        int y = std::max(0, (rowHeight - natH) / 2);
        w.set_size_request(std::max(1, twipsToPixels(width, dpi)), -1);
        row->move(w, twipsToPixels(left, dpi), y);
    };
    place(*cboAddress, p.cboAddressLeft, p.cboAddressWidth);
    // The button keeps at least the width its caption needs, inside the window.
    int minW = 0, natW = 0;
    Command1->get_preferred_width(minW, natW);
    double buttonLeft = std::min(p.command1Left, in.innerWidth - pixelsToTwips(minW + 2, dpi));
    place(*Command1, std::max(0.0, buttonLeft), kSearchButtonWidth);
    // The search box ends just short of the button.
    place(*txtSearch, p.txtSearchLeft,
          std::min(kSearchBoxWidth, buttonLeft - p.txtSearchLeft - kSearchGap));
}

void frmBrowser::mnuToolsStatusbar_Click() {
    // The tick is the state of the window's "statusbar" action; the menu item follows it.
    bool tickBefore = true;
    statusbarAction_->get_state(tickBefore);
    StatusBarToggle t = toggleStatusBar(tickBefore);
    statusbarAction_->change_state(Glib::Variant<bool>::create(t.tick));
    StatusBar1->set_visible(t.tick);
    PB->set_visible(StatusBar1->get_visible() && current_->loading());
    // The tick is an option, stored at once.
    OptionsModel& o = ctx_.options();
    o.setFlag(OptionId::StatusBar, t.tick);
    o.writeNow(ctx_.settings(), OptionId::StatusBar);
    Form_Resize();
}

bool frmBrowser::trayIconShown() const {
    return tray_ && tray_->shown();
}

void frmBrowser::leaveTray() {
    // The window leaves the tray before its state changes, so that the desktop's reports
    // of the restored window count again.
    inTray_ = false;
    setWindowState(WindowGeometry::Normal);
    show();
    present();
    engine().grabFocus();
}

void frmBrowser::traypic_MouseDown(int message) {
    switch (message) {
        case TrayIcon::kLeftUp:
        case TrayIcon::kLeftDoubleClick:
            leaveTray();
            Form_Resize();
            break;
        case TrayIcon::kRightUp:
            // The menu only: a hidden window stays in the tray until "Restore".
            popupAtPointer(*mPopupSys);
            break;
        default:
            break;
    }
}

void frmBrowser::mPopRestore_Click() {
    leaveTray();
    tray_->hide();
}

void frmBrowser::mPopWebsite_Click() {
    show();
    engine().navigate(site::kHome);
}

void frmBrowser::mPopExit_Click() {
    // The icon goes first; then the whole shut-down, saving the window's state as File >
    // Exit does. Kept open, the window keeps its icon.
    if (unloaded_) return;
    ctx_.whenMayClose(*this, [this] {
        if (unloaded_) return;
        tray_->hide();
        unload();
    });
}

void frmBrowser::mnuAR_Click(int seconds) {
    current_->chooseAutoRefresh(seconds);
}

void frmBrowser::mnuAF_Off_Click() {
    current_->turnOffAutoRefresh();
}

}  // namespace larkspan
