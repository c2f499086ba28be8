#include "shell/frmBrowser.hpp"
#include "shell/PrivateWindow.hpp"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include "common/Color.hpp"
#include "common/Twips.hpp"
#include "common/WidgetStyle.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/WindowPlaces.hpp"
#include "shell/AccessibleNames.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"

namespace larkspan {

namespace {

// Key codes and shift states as the key handler sees them.
int keyCodeOf(const GdkEventKey* event) {
    guint upper = gdk_keyval_to_upper(event->keyval);
    if ((upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9')) {
        return static_cast<int>(upper);
    }
    return static_cast<int>(event->keyval);
}

// Whether the desktop tells a program where its windows are: X11 does, Wayland does not
// (every window reads as being at 0, 0 there).
bool windowPositionKnown(const Glib::RefPtr<Gdk::Display>& display) {
#ifdef GDK_WINDOWING_X11
    return display && GDK_IS_X11_DISPLAY(display->gobj());
#else
    (void)display;
    return false;
#endif
}

int shiftStateOf(const GdkEventKey* event) {
    int shift = 0;
    if (event->state & GDK_SHIFT_MASK) shift |= 1;
    if (event->state & GDK_CONTROL_MASK) shift |= 2;
    if (event->state & GDK_MOD1_MASK) shift |= 4;
    return shift;
}

}  // namespace

frmBrowser::frmBrowser(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                       ShellContext& context, std::unique_ptr<PageEngine> engine)
    : Gtk::ApplicationWindow(cobject),
      ctx_(context),
      addressLogic_(context.addressList()),
      builder_(builder),
      geometry_(screenDpi()) {
    builder_->get_widget_derived("cboAddress", cboAddress);
    cboAddress->setList(ctx_.addressList());
    cboAddress->suggestions().setSources(ctx_.suggestionSources());
    builder_->get_widget("txtSearch", txtSearch);
    builder_->get_widget_derived("Command1", Command1);
    Command1->setCaption("Search");
    builder_->get_widget("Toolbar1", Toolbar1);
    nameMenuArrows(*Toolbar1);
    builder_->get_widget("StatusBar1", StatusBar1);
    builder_->get_widget_derived("PB", PB);
    builder_->get_widget("Frame1", Frame1);
    builder_->get_widget("Label1", Label1);
    builder_->get_widget("Label2", Label2);
    builder_->get_widget("lblBlocked", lblBlocked);
    builder_->get_widget("Resize", Resize);
    builder_->get_widget("Shape1", Shape1);
    builder_->get_widget("mnuToolsStatusbar", mnuToolsStatusbar);
    builder_->get_widget("mnuToolsSuppressScriptErrors", mnuToolsSuppressScriptErrors);
    builder_->get_widget("mPopupSys", mPopupSys);
    builder_->get_widget("Tabs", Tabs);

    current_ = &holdPage(std::move(engine));
    private_ = current_->engine().isPrivate();
    if (private_) markPrivateToolbar(*Toolbar1);

    // Activation: every time the window becomes the active one.
    activeConn_ = property_is_active().signal_changed().connect([this] {
        if (property_is_active().get_value()) Form_Activate();
    });
    // The hidden menus find the window's commands through the window they belong to.
    mPopupSys->attach_to_widget(*this);
    Gtk::Menu* hidden = nullptr;
    builder_->get_widget("HiddenMenus", hidden);
    if (hidden) hidden->attach_to_widget(*this);
    connectActions();
    connectNavigation();
    connectEngineEvents();
    connectLayout();
    connectTabs();
    connectFullScreen();
    ctx_.locks().signalChanged.connect(sigc::mem_fun(*this, &frmBrowser::showLocks));
    followCurrentPage();
    ctx_.signalBrowserMade().emit(*this);
    ctx_.signalPageOpened().emit(*this, *current_);
}

frmBrowser::~frmBrowser() {
    activeConn_.disconnect();
    for (sigc::connection& c : tabConns_) c.disconnect();
    if (createWindowHandler_) g_signal_handler_disconnect(Tabs->gobj(), createWindowHandler_);
    for (sigc::connection& c : pageConns_) c.disconnect();
    ctx_.locks().forget(*this);
    // The icon lets go of the tray menu before the menus go.
    tray_.reset();
    destroyLooseMenus();
}

void frmBrowser::destroyLooseMenus() {
    for (const auto& object : builder_->get_objects()) {
        auto* menu = dynamic_cast<Gtk::Menu*>(object.get());
        if (!menu) continue;
        // A submenu goes with the menu item that holds it.
        if (dynamic_cast<Gtk::MenuItem*>(menu->get_attach_widget())) continue;
        gtk_widget_destroy(GTK_WIDGET(menu->gobj()));
    }
}

Gtk::Widget* frmBrowser::control(const Glib::ustring& name) const {
    Gtk::Widget* w = nullptr;
    builder_->get_widget(name, w);
    return w;
}

void frmBrowser::showLocks(frmBrowser& window) {
    if (&window != this) return;
    const WindowLocks& locks = ctx_.locks();
    bool held = locks.held(*this);
    if (held != held_) {
        held_ = held;
        set_sensitive(!held);
    }
    // Held, the window's page stops too, at each wrong password.
    if (held) engine().stop();
    // A guard's caption stands in for the window's own while it lasts; the own one comes
    // back unless a page gave the window a new caption meanwhile.
    if (std::optional<std::string> caption = locks.caption(*this)) {
        if (!ownCaption_) ownCaption_ = get_title();
        guardCaption_ = *caption;
        set_title(guardCaption_);
    } else if (ownCaption_) {
        if (get_title() == guardCaption_) set_title(*ownCaption_);
        ownCaption_.reset();
    }
}

Gtk::Widget* frmBrowser::place(const Glib::ustring& name) const {
    static constexpr const char* kPlaces[] = {"mnuFavorites_menu", "txtSearch", "Command1",
                                              "PageBars", "cboAddress"};
    for (const char* place : kPlaces) {
        if (name == place) return control(name);
    }
    return nullptr;
}

void frmBrowser::setStatusBarVisible(bool visible) {
    StatusBar1->set_visible(visible);
    PB->set_visible(visible && current_->loading());
}

std::string frmBrowser::readHomePage(ShellContext& context) {
    return context.options().homePage;
}

std::string frmBrowser::requestHomePage(ShellContext& context, PageEngine& engine) {
    std::string home = readHomePage(context);
    engine.navigate(home);
    return home;
}

void frmBrowser::Form_Load(std::optional<std::string> requestedHomePage) {
    // 1. Caption.
    set_title(std::string("Loading...") + captionSuffix(private_));
    OptionsModel& o = ctx_.options();

    // 2, 3. The home page (the first touch of the options model loads it from the store),
    // and the engine navigates there; done already when the window's maker asked for the
    // page before building the window.
    homePageAddress =
        requestedHomePage ? std::move(*requestedHomePage) : requestHomePage(ctx_, engine());

    // 4. The address box shows where the engine is now.
    cboAddress->get_entry()->set_text(engine().locationURL());

    // 5. The typed-address list from "history.txt" (the favorites menu is built by the
    // favorites feature when it is present).
    LoadAddressList();

    // 6. The search button takes the sample button's look, and each "Apply" brings it the
    // scheme again.
    scheme::followButtonLook(ctx_, *Command1, true);

    // 7. Geometry and window state.
    applyPlaces(WindowPlaces::read(ctx_.settings()));

    // 8. Every option, through the same handler as its later changes.
    o.follow(sigc::mem_fun(*this, &frmBrowser::optionChanged));
    o.signalApplied().connect(sigc::mem_fun(*this, &frmBrowser::optionsApplied));

    // 9. The update check, when it is on, and the other start-up steps of the features.
    ctx_.signalMainWindowLoading().emit(*this);

    // 10. The page takes the keyboard focus.
    engine().grabFocus();
}

bool frmBrowser::followsAtOnce(OptionId id, OptionsModel::Cause cause) {
    using C = OptionsModel::Cause;
    switch (id) {
        // The menu ticks and the scroll style wait for "Apply".
        case OptionId::StatusBar:
        case OptionId::SuppressScriptErrors:
        case OptionId::ScrollStyle:
            return cause == C::Loaded;
        // Tried program colours reach the windows through "Apply" or an activation; the
        // stored ones come back at once.
        case OptionId::ProgramBackColor:
        case OptionId::ProgramFontColor:
            return cause != C::Edited;
        default:
            return true;
    }
}

void frmBrowser::optionChanged(OptionId id, OptionsModel::Cause cause) {
    // The window shows what the options hold: all of them as it loads, an edit at once,
    // and the stored value again when "Cancel" drops what was tried.
    if (followsAtOnce(id, cause)) applyOption(id);
}

void frmBrowser::applyOption(OptionId id) {
    const OptionsModel& o = ctx_.options();
    Gtk::Entry* address = cboAddress->get_entry();
    switch (id) {
        case OptionId::SearchEngine:
            txtSearch->set_text(o.searchEngine);
            break;
        case OptionId::AddressTextColor:
            style::setForeground(*address, o.addressTextColor);
            style::setForeground(*txtSearch, o.addressTextColor);
            break;
        case OptionId::AddressBackColor:
            style::setBackground(*address, o.addressBackColor);
            style::setBackground(*txtSearch, o.addressBackColor);
            break;
        case OptionId::FontName:
        case OptionId::StatusBarFont:
            style::setFontFamily(*StatusBar1, o.barFont());
            style::setFontFamily(*address, o.barFont());
            style::setFontFamily(*txtSearch, o.fontName);
            break;
        case OptionId::ProgressColor:
            PB->setColor(o.progressColor);
            break;
        case OptionId::ShowPercent:
            PB->setShowText(o.showPercent);
            break;
        case OptionId::ScrollStyle:
            PB->setScrolling(o.scrollStyle);
            break;
        case OptionId::ShowInBrowser:
            Frame1->set_visible(o.showInBrowser);
            break;
        case OptionId::BlockedCount:
            Label1->set_text(o.blockedCount);
            break;
        case OptionId::StatusBar:
            // The tick follows the action's state; setting the state runs no command.
            statusbarAction_->change_state(Glib::Variant<bool>::create(o.statusBar));
            setStatusBarVisible(o.statusBar);
            break;
        case OptionId::SuppressScriptErrors:
            setSuppressScriptErrorsTick(o.suppressScriptErrors);
            if (o.suppressScriptErrors) engine().setSilent(true);
            break;
        case OptionId::ProgramBackColor:
        case OptionId::ProgramFontColor:
            scheme::applyProgramColors(ctx_);
            break;
        default:
            // The other options are consulted where they count.
            break;
    }
}

void frmBrowser::optionsApplied() {
    // The options that wait for "Apply" are taken up; the controls are placed again.
    for (OptionId id : {OptionId::SuppressScriptErrors, OptionId::ScrollStyle, OptionId::StatusBar})
        applyOption(id);
    runLayout();
    runLayout();
}

void frmBrowser::applyPlaces(const WindowPlaces& stored) {
    geometry_.setLeft(stored.left);
    geometry_.setTop(stored.top);
    geometry_.setWidth(stored.width);
    geometry_.setHeight(stored.height);
    geometry_.setState(stored.state);

    move(geometry_.leftPx(), geometry_.topPx());
    set_default_size(std::max(1, geometry_.widthPx()), std::max(1, geometry_.heightPx()));
    resize(std::max(1, geometry_.widthPx()), std::max(1, geometry_.heightPx()));
    setWindowState(geometry_.state());
}

void frmBrowser::setWindowState(int state) {
    if (!geometry_.setState(state)) return;
    switch (state) {
        case WindowGeometry::Maximized:
            deiconify();
            maximize();
            break;
        case WindowGeometry::Minimized:
            iconify();
            break;
        default:
            deiconify();
            unmaximize();
            break;
    }
}

bool frmBrowser::on_window_state_event(GdkEventWindowState* event) {
    // A window hidden in the tray keeps the state it had: the desktop reports a hidden
    // window as no longer minimised, which would bring it straight back.
    if (inTray_) return Gtk::Window::on_window_state_event(event);
    if (event->changed_mask & (GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED)) {
        auto s = event->new_window_state;
        if (s & GDK_WINDOW_STATE_ICONIFIED) {
            geometry_.setState(WindowGeometry::Minimized);
        } else if (s & GDK_WINDOW_STATE_MAXIMIZED) {
            geometry_.setState(WindowGeometry::Maximized);
        } else {
            geometry_.setState(WindowGeometry::Normal);
        }
        // Minimising and restoring run the layout pass, which also handles the tray.
        Glib::signal_idle().connect_once(sigc::mem_fun(*this, &frmBrowser::Form_Resize));
    }
    return Gtk::Window::on_window_state_event(event);
}

bool frmBrowser::on_configure_event(GdkEventConfigure* event) {
    // Only the normal window's place and size are remembered. Where the desktop keeps
    // window positions to itself (Wayland), the place read at start-up stays remembered.
    if (geometry_.state() == WindowGeometry::Normal && get_visible() && !fullScreen_.shown()) {
        int x = 0, y = 0, w = 0, h = 0;
        get_position(x, y);
        get_size(w, h);
        if (windowPositionKnown(get_display())) geometry_.reportPosition(x, y);
        geometry_.reportSize(w, h);
    }
    bool handled = Gtk::Window::on_configure_event(event);
    Form_Resize();
    return handled;
}

void frmBrowser::Form_Activate() {
    ctx_.windowActivated(*this);
    Form_Resize();
    // The program colours, as the options hold them now.
    scheme::applyProgramColors(ctx_);
    // The search box shows its text in the grey-text colour until it is used.
    style::setForeground(*txtSearch, kSysGrayText);
    engine().grabFocus();
}

bool frmBrowser::on_key_press_event(GdkEventKey* event) {
    if (event->keyval == GDK_KEY_Escape && leaveFullScreen()) return true;
    int keyCode = keyCodeOf(event);
    int shift = shiftStateOf(event);
    Form_KeyDown(keyCode, shift);
    if (keyCode == 0 && shift == 0) return true;
    if (keyGoesToFocusedBoxFirst(event) &&
        gtk_window_propagate_key_event(GTK_WINDOW(gobj()), event)) {
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

void frmBrowser::Form_KeyDown(int& keyCode, int& shift) {
    if (keyCode == 'N' && shift == 2) {
        runCommand("new-window");
        keyCode = 0;
        shift = 0;
    }
}

void frmBrowser::mnuFileNew_Click() {
    OpenBrowserWindow(engine().locationURL(), engine().silent());
}

frmBrowser& frmBrowser::OpenBrowserWindow(const std::string& address, bool silent) {
    if (private_) {
        frmBrowser& w = openPrivateWindow(ctx_, address);
        w.page().engine().setSilent(silent);
        return w;
    }
    frmBrowser& w = ctx_.createBrowserWindow();
    w.page().engine().setSilent(silent);
    if (!address.empty()) w.page().engine().navigate(address);
    w.show();
    return w;
}

void frmBrowser::saveState() {
    WindowPlaces places;
    places.state = geometry_.state();
    places.left = geometry_.left();
    places.top = geometry_.top();
    places.width = geometry_.width();
    places.height = geometry_.height();
    places.write(ctx_.settings());
}

void frmBrowser::Form_Unload() {
    if (unloaded_) return;
    ctx_.whenMayClose(*this, [this] { unload(); });
}

void frmBrowser::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    saveState();
    UnloadAllWindows();
    ctx_.windows().close("frmOptions");
}

void frmBrowser::mnuFileExit_Click() {
    Form_Unload();
}

bool frmBrowser::on_delete_event(GdkEventAny*) {
    // The window goes away through the shut-down sequence, unless it is the last one and
    // the user chooses to keep what closing would lose.
    Form_Unload();
    return true;
}

void frmBrowser::UnloadAllWindows() {
    ctx_.windows().closeAll();
    // Unapplied changes of the options go with the options dialog.
    ctx_.discardOptions();
    hide();
    for (const std::unique_ptr<Page>& page : pages_) ctx_.signalPageClosed().emit(*this, *page);
    ctx_.signalBrowserClosed().emit(*this);
    ctx_.browserClosed(this);
}

}  // namespace larkspan
