#pragma once

// Tests reach a main window's controls and handlers through this probe: the window's public
// face is what the program and its features use, and a test that must see a control by its
// name, or raise a handler no action starts, does so here.

#include <gtkmm.h>

#include <string>
#include <vector>

#include "shell/frmBrowser.hpp"

namespace larkspan::testing {

class BrowserProbe {
  public:
    explicit BrowserProbe(frmBrowser& window) : w_(window) {}

    Glib::RefPtr<Gtk::Builder> builder() const { return w_.builder_; }
    // A named menu item or control of the window; null when it has none by that name.
    Gtk::Widget* control(const Glib::ustring& name) const {
        Gtk::Widget* found = nullptr;
        w_.builder_->get_widget(name, found);
        return found;
    }
    template <typename W>
    W* widget(const Glib::ustring& name) const {
        return dynamic_cast<W*>(control(name));
    }

    // The status bar's panel texts (1 status, 2 secure, 4 date, 5 time).
    Glib::ustring panelText(int panel) const {
        auto* label = widget<Gtk::Label>("StatusBar1_Text" + std::to_string(panel));
        return label ? label->get_text() : Glib::ustring();
    }
    bool panelVisible(int panel) const {
        Gtk::Widget* frame = control("StatusBar1_Panel" + std::to_string(panel));
        return frame && frame->get_visible();
    }
    // The addresses the current page's Back and Forward lead to, the nearest first.
    std::vector<std::string> backList() const { return addresses(w_.page().backHistory()); }
    std::vector<std::string> forwardList() const { return addresses(w_.page().forwardHistory()); }

    Timer& Timer1() { return w_.Timer1; }
    const std::string& homePageAddress() const { return w_.homePageAddress; }
    FindBar& findBar() { return *w_.findBar_; }
    const TrayIcon* trayIcon() const { return w_.tray_.get(); }

    // Handlers that no action starts.
    void Form_Activate() { w_.Form_Activate(); }
    void Form_Resize() { w_.Form_Resize(); }
    void Form_KeyDown(int& keyCode, int& shift) { w_.Form_KeyDown(keyCode, shift); }
    void cboAddress_KeyDown(int keyCode) { w_.cboAddress_KeyDown(keyCode); }
    void cboAddress_KeyPress(int charCode) { w_.cboAddress_KeyPress(charCode); }
    void Timer1_Timer() { w_.Timer1_Timer(); }
    void Toolbar1_ButtonClick(const std::string& caption) { w_.Toolbar1_ButtonClick(caption); }
    void Toolbar1_ButtonMenuClick(const std::string& key) { w_.Toolbar1_ButtonMenuClick(key); }
    void traypic_MouseDown(int message) { w_.traypic_MouseDown(message); }
    frmBrowser& OpenBrowserWindow(const std::string& address, bool silent) {
        return w_.OpenBrowserWindow(address, silent);
    }

  private:
    static std::vector<std::string> addresses(const std::vector<HistoryEntry>& entries) {
        std::vector<std::string> out;
        for (const HistoryEntry& e : entries) out.push_back(e.address);
        return out;
    }

    frmBrowser& w_;
};

inline BrowserProbe probe(frmBrowser& window) {
    return BrowserProbe(window);
}

}  // namespace larkspan::testing
