#pragma once

#include <gtkmm.h>

#include <memory>
#include <string>

#include "common/Color.hpp"
#include "common/Timer.hpp"
#include "controls/StyledProgressBar.hpp"
#include "shell/PageEngine.hpp"
#include "shell/WindowGeometry.hpp"

namespace larkspan {

class Application;

// The main browser window: the frame around one page engine with the program's menus,
// toolbar, address and search boxes, status bar and progress bar. Every main window is a
// full instance of this class; each runs the whole start-up.
class frmBrowser : public Gtk::Window {
public:
    frmBrowser(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               std::unique_ptr<PageEngine> engine);
    ~frmBrowser() override;

    PageEngine& WebBrowser1() { return *engine_; }

    // Lifecycle.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    // Sees key presses before the controls do; a handled key is zeroed.
    void Form_KeyDown(int& keyCode, int& shift);

    // Commands.
    void mnuFileNew_Click();
    void mnuFileExit_Click();
    // Opens a further main window on `address`, inheriting `silent`.
    static frmBrowser& OpenBrowserWindow(const std::string& address, bool silent);
    void UnloadAllWindows();

    // The start-up's home page text.
    std::string homePageAddress;

    // The window state as the program sees it (0 normal, 1 minimised, 2 maximised) and its
    // normal geometry in twips.
    int windowState() const { return geometry_.state(); }
    const WindowGeometry& geometry() const { return geometry_; }
    // Requests a window state (the desktop confirms it later; the request counts at once).
    void setWindowState(int state);

    // Controls, by their names.
    Gtk::ComboBoxText* cboAddress = nullptr;
    Gtk::Entry* txtSearch = nullptr;
    Gtk::Widget* Command1 = nullptr;
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
    Timer Timer1{200, true};
    Timer Timer3{0, false};

    Glib::RefPtr<Gtk::Builder> builder() const { return builder_; }
    // A named menu item or control of this window.
    Gtk::Widget* control(const Glib::ustring& name) const;

protected:
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_window_state_event(GdkEventWindowState* event) override;
    bool on_configure_event(GdkEventConfigure* event) override;
    bool on_delete_event(GdkEventAny* event) override;

private:
    void connectMenus();
    void applyStartupGeometry();
    void saveState();
    void setStatusBarVisible(bool visible);

    Application& app_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::unique_ptr<PageEngine> engine_;
    WindowGeometry geometry_;
    bool unloaded_ = false;
    sigc::connection activeConn_;
};

}  // namespace larkspan
