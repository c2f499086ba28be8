#pragma once

#include <gtkmm.h>

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
#include "shell/AddressBox.hpp"
#include "shell/AddressCompletion.hpp"
#include "shell/AutoRefresh.hpp"
#include "shell/FindBar.hpp"
#include "shell/PagePropertiesWindow.hpp"
#include "shell/TrayIcon.hpp"
#include "shell/WindowGeometry.hpp"

namespace larkspan {

class ShellContext;

// The main browser window: the frame around one page engine with the program's menus,
// toolbar, address and search boxes, status bar and progress bar. Every main window is a
// full instance of this class; each runs the whole start-up. Its commands are `win.`
// actions that the menu items and toolbar buttons name; a command that is not built has
// no action, so its item stays insensitive and its shortcut goes to the focused control.
class frmBrowser : public Gtk::ApplicationWindow {
  public:
    frmBrowser(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               ShellContext& context, std::unique_ptr<PageEngine> engine);
    ~frmBrowser() override;

    PageEngine& WebBrowser1() { return *engine_; }

    // Lifecycle.
    // The start-up's home page (read "Homepage", defaulting to the options' home page; the
    // first touch of the options loads them) asked of `engine` at once. Called before the
    // window is built, so the engine starts its work while the window is put together;
    // Form_Load is then handed the address and does not read or navigate again.
    static std::string requestHomePage(ShellContext& context, PageEngine& engine);
    // The same address, read without asking for it.
    static std::string readHomePage(ShellContext& context);
    void Form_Load(std::optional<std::string> requestedHomePage = std::nullopt);
    void Form_Activate();
    // Closes the window (and every shared window) through the shut-down sequence; the last
    // main window asks the guards of the shell context first.
    void Form_Unload();
    // Sees key presses before the controls do; a handled key is zeroed.
    void Form_KeyDown(int& keyCode, int& shift);

    // Runs the command `action` (a `win.` action of this window, named without the
    // prefix) as its menu item, button or shortcut does, behind the same lock. False when
    // the window has no such command or it is disabled.
    bool runCommand(const Glib::ustring& action,
                    const Glib::VariantBase& parameter = Glib::VariantBase());

    // Navigation and the address box.
    void cboAddress_KeyDown(int keyCode);
    void cboAddress_KeyPress(int charCode);
    void cboAddress_Click();
    void Timer1_Timer();
    // Empties the box; the first main window's call fills the shared address list from
    // "history.txt" (every line, whole), later windows show the list as it stands.
    void LoadAddressList();
    const std::vector<std::string>& addressList() const { return addressLogic_.list().entries(); }
    void mnuBack_Click();
    void mnuForward_Click();
    // Toolbar buttons by caption ("Back", "Home", ...) and drop-down entries by key.
    void Toolbar1_ButtonClick(const std::string& caption);
    void Toolbar1_ButtonMenuClick(const std::string& key);
    // The addresses the Back and Forward drop-down lists lead to, the nearest first.
    std::vector<std::string> backList() const;
    std::vector<std::string> forwardList() const;
    void mnuOpen_Click();
    void mnuToolsOptions_Click();

    // The engine's events.
    void WebBrowser1_NavigateComplete2(const std::string& url);
    void WebBrowser1_DownloadComplete();
    void WebBrowser1_TitleChange(const std::string& title);
    void WebBrowser1_StatusTextChange(const std::string& text);
    void WebBrowser1_ProgressChange(long progress, long maximum);
    void WebBrowser1_SetSecureLockIcon(int secureState);
    void WebBrowser1_WindowClosing(bool isChildWindow, bool& cancel);
    // A window opened for a page takes the size and place the page asked for.
    void WebBrowser1_ReadyToShow();
    void WebBrowser1_GotFocus();
    void WebBrowser1_LostFocus();
    void WebBrowser1_CommandStateChange(engine::Command command, bool enable);
    const std::string& applicationTitle() const { return applicationTitle_; }
    // Status panel texts (1 status, 2 secure, 4 date, 5 time).
    Glib::ustring panelText(int panel) const;
    bool panelVisible(int panel) const;
    // Shows today's date and the time of day in panels 4 and 5.
    void updateClockPanels();

    // Layout, status bar and tray.
    void Form_Resize();
    void mnuToolsStatusbar_Click();
    bool trayIconShown() const;
    // The window's own record that it is hidden in the tray (the desktop's window states
    // do not say so: a hidden window is no longer minimised to it).
    bool inTray() const { return inTray_; }
    const TrayIcon* trayIcon() const;
    void traypic_MouseDown(int message);
    void mPopRestore_Click();
    void mPopWebsite_Click();
    void mPopExit_Click();

    // Auto-refresh.
    void mnuAR_Click(int seconds);
    void mnuAF_Off_Click();
    void Timer3_Timer();

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
    FindBar& findBar() { return *findBar_; }
    // Opens a further main window on `address`, inheriting `silent`.
    frmBrowser& OpenBrowserWindow(const std::string& address, bool silent);
    void UnloadAllWindows();

    // The start-up's home page text.
    std::string homePageAddress;

    // The window state as the program sees it (0 normal, 1 minimised, 2 maximised) and its
    // normal geometry in twips.
    int windowState() const { return geometry_.state(); }
    const WindowGeometry& geometry() const { return geometry_; }
    // Requests a window state (the desktop confirms it later; the request counts at once).
    void setWindowState(int state);

    Timer Timer1{200, true};
    Timer Timer3{0, false};

    Glib::RefPtr<Gtk::Builder> builder() const { return builder_; }
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

  protected:
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_window_state_event(GdkEventWindowState* event) override;
    bool on_configure_event(GdkEventConfigure* event) override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Controls, by their names; other windows never touch them, tests reach them through
    // `widget`.
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

    // The options the window shows: those that act at once, and those "Apply" brings.
    void optionChanged(OptionId id, OptionsModel::Cause cause);
    // Whether the window takes up a change of the option now (the others wait for "Apply").
    static bool followsAtOnce(OptionId id, OptionsModel::Cause cause);
    // Shows the option's current value.
    void applyOption(OptionId id);
    void optionsApplied();
    // The Back and Forward drop-down lists follow the engine's history; their arrows open
    // only while there is somewhere to go.
    void WebBrowser1_HistoryChange();
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
    void connectAutoRefresh();
    void applyStartupGeometry();
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
    AutoRefresh autoRefresh_;
    std::unique_ptr<TrayIcon> tray_;
    Timer clock_{1000, true};
    std::string applicationTitle_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::unique_ptr<PageEngine> engine_;
    WindowGeometry geometry_;
    bool unloaded_ = false;
    bool inTray_ = false;
    sigc::connection activeConn_;
    Glib::RefPtr<Gio::SimpleAction> statusbarAction_;
    Glib::RefPtr<Gio::SimpleAction> autoRefreshOffAction_;
    // Back and Forward act while the page has history that way, Stop while it loads.
    Glib::RefPtr<Gio::SimpleAction> backAction_;
    Glib::RefPtr<Gio::SimpleAction> forwardAction_;
    Glib::RefPtr<Gio::SimpleAction> stopAction_;
    bool pageLoading_ = false;
    Glib::RefPtr<Gio::SimpleAction> undoAction_;
    Glib::RefPtr<Gio::SimpleAction> textSizeAction_;
    Glib::RefPtr<Gio::SimpleAction> suppressAction_;
    FindBar* findBar_ = nullptr;
    std::unique_ptr<PagePropertiesWindow> propertiesWindow_;
};

}  // namespace larkspan
