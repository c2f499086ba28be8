#pragma once

#include <gtkmm.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Color.hpp"
#include "common/Timer.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "engine/PageEngine.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/WindowPlaces.hpp"
#include "shell/AddressBox.hpp"
#include "shell/AddressCompletion.hpp"
#include "shell/AutoRefresh.hpp"
#include "shell/FindBar.hpp"
#include "shell/FullScreenMode.hpp"
#include "shell/Page.hpp"
#include "shell/PagePropertiesWindow.hpp"
#include "shell/TrayIcon.hpp"
#include "shell/WindowGeometry.hpp"

namespace larkspan {

class ShellContext;
class TabLabel;
namespace testing {
class BrowserProbe;
}

// The main browser window: the frame around its pages (one for now) with the program's
// menus, toolbar, address and search boxes, status bar and progress bar; it shows its
// current page by following that page's signals. Every main window is a
// full instance of this class; each runs the whole start-up. Its commands are `win.`
// actions that the menu items and toolbar buttons name; a command that is not built has
// no action, so its item stays insensitive and its shortcut goes to the focused control.
class frmBrowser : public Gtk::ApplicationWindow {
  public:
    frmBrowser(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               ShellContext& context, std::unique_ptr<PageEngine> engine);
    ~frmBrowser() override;

    // The window's pages (one for now) and the one it shows.
    Page& page() { return *current_; }
    const Page* currentPage() const { return current_; }
    const std::vector<std::unique_ptr<Page>>& pages() const { return pages_; }
    // Takes a further page around `engine` as the last tab; the current page stays.
    Page& addPage(std::unique_ptr<PageEngine> engine);
    // Shows `page` (one of the window's): caption, address box, status bar, progress bar
    // and commands follow it from now on, and no longer the page shown before.
    void showPage(Page& page);
    // Opens `address` in a new tab: after the current one and left behind it, or at the end
    // and shown.
    enum class TabPlace { BesideInBackground, LastShown };
    Page& openTab(const std::string& address, TabPlace place);
    // Closes `page`'s tab; the window closes (through its usual path) with its last page.
    void closePage(Page& page);

    // Lifecycle.
    // The start-up's home page (read "Homepage", defaulting to the options' home page; the
    // first touch of the options loads them) asked of `engine` at once. Called before the
    // window is built, so the engine starts its work while the window is put together;
    // Form_Load is then handed the address and does not read or navigate again.
    static std::string requestHomePage(ShellContext& context, PageEngine& engine);
    // The same address, read without asking for it.
    static std::string readHomePage(ShellContext& context);
    void Form_Load(std::optional<std::string> requestedHomePage = std::nullopt);
    // Closes the window (and every shared window) through the shut-down sequence; the last
    // main window asks the guards of the shell context first.
    void Form_Unload();

    // Runs the command `action` (a `win.` action of this window, named without the
    // prefix) as its menu item, button or shortcut does, behind the same lock. False when
    // the window has no such command or it is disabled.
    bool runCommand(const Glib::ustring& action,
                    const Glib::VariantBase& parameter = Glib::VariantBase());

    // The places of the window that features fill or wire, by their names: the Favorites
    // menu ("mnuFavorites_menu"), the search box ("txtSearch", "Command1") and the box of
    // bars above the pages ("PageBars", empty and taking no room until a feature adds one),
    // the address box ("cboAddress", which takes drops). Null for any other name: the window's
    // other controls are its own.
    Gtk::Widget* place(const Glib::ustring& name) const;

    // The window shows another page: a tab was chosen, or the page shown closed or left.
    sigc::signal<void()> signalPageShown;

    // The typed addresses the address box offers.
    const std::vector<std::string>& addressList() const { return addressLogic_.list().entries(); }
    // The name the desktop lists the window under: the current page's title.
    const std::string& applicationTitle() const { return applicationTitle_; }

    // The window state as the program sees it (0 normal, 1 minimised, 2 maximised) and its
    // normal geometry in twips.
    int windowState() const { return geometry_.state(); }
    const WindowGeometry& geometry() const { return geometry_; }
    // Requests a window state (the desktop confirms it later; the request counts at once).
    void setWindowState(int state);
    // Moves and sizes the window to `places` and gives it their state.
    void applyPlaces(const WindowPlaces& places);
    // A private window's pages share the private session; it writes nothing about what it
    // shows, and what it opens is private too.
    bool isPrivate() const { return private_; }
    bool trayIconShown() const;
    // The window's own record that it is hidden in the tray (the desktop's window states
    // do not say so: a hidden window is no longer minimised to it).
    bool inTray() const { return inTray_; }

  protected:
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_window_state_event(GdkEventWindowState* event) override;
    bool on_configure_event(GdkEventConfigure* event) override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Tests see the controls by their names and raise handlers no action starts.
    friend class testing::BrowserProbe;

    void Form_Activate();
    // Sees key presses before the controls do; a handled key is zeroed.
    void Form_KeyDown(int& keyCode, int& shift);

    // Navigation and the address box.
    void cboAddress_KeyDown(int keyCode);
    void cboAddress_KeyPress(int charCode);
    void cboAddress_Click();
    void Timer1_Timer();
    // Empties the box; the first main window's call fills the shared address list from
    // "history.txt" (every line, whole), later windows show the list as it stands.
    void LoadAddressList();
    void mnuBack_Click();
    void mnuForward_Click();
    // Toolbar buttons by caption ("Back", "Home", ...) and drop-down entries by key.
    void Toolbar1_ButtonClick(const std::string& caption);
    void Toolbar1_ButtonMenuClick(const std::string& key);
    void mnuOpen_Click();

    // A window opened for a page takes the size and place the page asked for (a page
    // opened later as a tab leaves the window as it is).
    void WebBrowser1_ReadyToShow(Page& page);
    // Shows today's date and the time of day in panels 4 and 5.
    void updateClockPanels();

    // Layout, status bar and tray.
    void Form_Resize();
    void mnuToolsStatusbar_Click();
    void traypic_MouseDown(int message);
    void mPopRestore_Click();
    void mPopWebsite_Click();
    void mPopExit_Click();

    // Auto-refresh.
    void mnuAR_Click(int seconds);
    void mnuAF_Off_Click();

    // Commands.
    void mnuFileNew_Click();
    void mnuFileExit_Click();
    // Edit, file and view commands, passed to the page engine.
    void mnuEdit_Click();
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditSelectAll_Click();
    void mnuEditFind_Click();
    void mnuFileSavePageAs_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintPreview_Click();
    void mnuFileProperties_Click();
    // The Tools menu or its Text Size submenu is opening: the ticks follow the engine.
    void mnuView_Click();
    void mnuViewFontSize_Click(int index);
    void mnuToolsSuppressScriptErrors_Click();
    bool suppressScriptErrorsTick() const;
    // Whether the page engine is the window's active control (has the window's focus).
    bool engineIsActiveControl();
    // Opens a further main window on `address`, inheriting `silent`.
    frmBrowser& OpenBrowserWindow(const std::string& address, bool silent);
    void UnloadAllWindows();

    // The start-up's home page text.
    std::string homePageAddress;
    Timer Timer1{200, true};

    // A named menu item or control of this window.
    Gtk::Widget* control(const Glib::ustring& name) const;
    // The same, as the kind of widget it is (null when it is another kind).
    template <typename W>
    W* widget(const Glib::ustring& name) const {
        return dynamic_cast<W*>(control(name));
    }

    // Shows or hides the status bar with its progress bar.
    void setStatusBarVisible(bool visible);
    // Places the controls for the window's size (also what the hidden `Resize` does).
    void runLayout();

    // Controls, by their names; other windows never touch them, tests reach them through
    // the probe.
    AddressBox* cboAddress = nullptr;
    Gtk::Entry* txtSearch = nullptr;
    StyledButton* Command1 = nullptr;
    Gtk::Toolbar* Toolbar1 = nullptr;
    Gtk::Box* StatusBar1 = nullptr;
    StyledProgressBar* PB = nullptr;
    Gtk::Frame* Frame1 = nullptr;
    Gtk::Label* Label1 = nullptr;
    Gtk::Label* Label2 = nullptr;
    Gtk::Label* lblBlocked = nullptr;
    Gtk::Button* Resize = nullptr;
    Gtk::Separator* Shape1 = nullptr;
    Gtk::CheckMenuItem* mnuToolsStatusbar = nullptr;
    Gtk::CheckMenuItem* mnuToolsSuppressScriptErrors = nullptr;
    Gtk::Menu* mPopupSys = nullptr;
    Gtk::Notebook* Tabs = nullptr;

    // The options the window shows: those that act at once, and those "Apply" brings.
    void optionChanged(OptionId id, OptionsModel::Cause cause);
    // Whether the window takes up a change of the option now (the others wait for "Apply").
    static bool followsAtOnce(OptionId id, OptionsModel::Cause cause);
    // Shows the option's current value.
    void applyOption(OptionId id);
    void optionsApplied();
    // The Back and Forward drop-down lists follow the page's history; their arrows open
    // only while there is somewhere to go.
    void WebBrowser1_HistoryChange();
    // The current page's engine.
    PageEngine& engine() const { return current_->engine(); }
    // Tabs: the page a tab shows, the strip shown only for two pages or more, the window's
    // order of pages following the strip's, and the commands that move between tabs.
    void connectTabs();
    // The window's own handling of a page's tab and requests, dropped when the page closes
    // or moves to another window.
    void hookPage(Page& page, TabLabel& tab);
    void unhookPage(const Page& page);
    // Takes `page` out of the window's pages (unhooked, no longer anyone's anchor) and hands
    // it over; its tab stays in the strip.
    std::unique_ptr<Page> letGo(Page& page);
    // An engine for a new page of this window: private in a private window.
    std::unique_ptr<PageEngine> newEngine();
    // A tab dragged out of the strip leaves, one dragged in from another window arrives, and
    // one dropped outside every window gets a new window of its own.
    void tabLeft(Gtk::Widget* view);
    void tabArrived(Gtk::Widget* view);
    Gtk::Notebook* windowForTab(Gtk::Widget* view, int x, int y);
    Page* pageShowing(const Gtk::Widget* view) const;
    void tabSwitched(Gtk::Widget* view);
    void tabsReordered();
    void showTabStrip();
    void stepTab(int step);
    void selectTab(int index);
    // Takes `engine` into a new page of the window, without announcing it.
    Page& holdPage(std::unique_ptr<PageEngine> engine);
    // Follows the signals of the current page, and shows what it holds now.
    void followCurrentPage();
    void showPageAddress();
    void showPageCaption();
    void showPageTitle();
    void showPageStatusText();
    void showPageSecureState();
    void showPageProgress(long progress, long maximum);
    void showPageHistory();
    void showPageAutoRefresh();
    void WebBrowser1_GotFocus();
    void WebBrowser1_LostFocus();
    // Shows what the password locks hold on `window`, when it is this one.
    void showLocks(frmBrowser& window);
    // Adds the `win.` action `name`, running `run` unless a lock holds the command back.
    Glib::RefPtr<Gio::SimpleAction> addCommand(const char* name, std::function<void()> run);
    void connectActions();
    void connectFeatureCommands();
    // Shows each command's first shortcut beside its menu items.
    void labelShortcuts();
    // Puts the keyboard focus in the address box with its whole text selected.
    void focusAddressBox();
    // Steps the page's text size by `step` levels (0 returns it to "Medium").
    void stepTextSize(int step);
    void connectDocumentCommands();
    void setSuppressScriptErrorsTick(bool tick);
    // True when `event` is the shortcut of a command that a focused text box of the
    // window or the find bar should see first, or Ctrl+A in any text field (the page's
    // included), where it selects all.
    bool keyGoesToFocusedBoxFirst(const GdkEventKey* event);
    void connectNavigation();
    void connectEngineEvents();
    void connectLayout();
    void saveState();
    // The shut-down sequence itself, without asking.
    void unload();
    // Brings the window back from the tray in the normal state, focused.
    void leaveTray();
    // Destroys the window's menus that no menu item holds (menus of toolbar buttons, the
    // hidden menus): GTK keeps a menu alive in its own popup window until it is destroyed.
    void destroyLooseMenus();

    ShellContext& ctx_;
    AddressBoxLogic addressLogic_;
    std::unique_ptr<TrayIcon> tray_;
    Timer clock_{1000, true};
    std::string applicationTitle_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::vector<std::unique_ptr<Page>> pages_;
    Page* current_ = nullptr;
    std::map<const Page*, std::vector<sigc::connection>> pageHooks_;
    // The page a window made for a dragged tab starts with, closed once the tab is in.
    Page* emptyPage_ = nullptr;
    // The strip's signals, dropped before the pages go with the window.
    std::vector<sigc::connection> tabConns_;
    gulong createWindowHandler_ = 0;
    // The last tab opened beside the current page while it stayed current.
    Page* besideAnchor_ = nullptr;
    // The connections to the current page's signals, dropped when another page is shown.
    std::vector<sigc::connection> pageConns_;
    WindowGeometry geometry_;
    bool unloaded_ = false;
    bool private_ = false;
    // The lock-held state shown, and the window's own caption under a guard's.
    bool held_ = false;
    std::optional<Glib::ustring> ownCaption_;
    Glib::ustring guardCaption_;
    bool inTray_ = false;
    sigc::connection activeConn_;
    Glib::RefPtr<Gio::SimpleAction> statusbarAction_;
    Glib::RefPtr<Gio::SimpleAction> autoRefreshOffAction_;
    // Back and Forward act while the page has history that way, Stop while it loads.
    Glib::RefPtr<Gio::SimpleAction> backAction_;
    Glib::RefPtr<Gio::SimpleAction> forwardAction_;
    Glib::RefPtr<Gio::SimpleAction> stopAction_;
    Glib::RefPtr<Gio::SimpleAction> undoAction_;
    Glib::RefPtr<Gio::SimpleAction> textSizeAction_;
    Glib::RefPtr<Gio::SimpleAction> suppressAction_;
    FindBar* findBar_ = nullptr;
    std::unique_ptr<PagePropertiesWindow> propertiesWindow_;

    // Full screen (frmBrowser_FullScreen.cpp): the user's F11 and a page's own, which hide
    // the window's chrome and give it back as it was.
    void connectFullScreen();
    void mnuViewFullScreen_Click();
    // Escape: false, with nothing done, when the window is not full screen.
    bool leaveFullScreen();
    // The current page's requests, followed while it is the one shown.
    std::vector<sigc::connection> followFullScreen(PageEngine& engine);
    void showFullScreen();
    FullScreenMode fullScreen_;
    Glib::RefPtr<Gio::SimpleAction> fullScreenAction_;
    // Which parts of the chrome were shown before full screen hid them.
    std::vector<std::pair<Gtk::Widget*, bool>> chromeBefore_;
};

}  // namespace larkspan
