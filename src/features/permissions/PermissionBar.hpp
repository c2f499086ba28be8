#pragma once

// The question a page's permission request puts to the user, in a bar above the pages of
// its window: "127.0.0.1:8080 wants to show notifications", with Allow, Block and a
// "Remember for this site" tick. The bar shows one question at a time; the feature decides
// which, and hides the bar when there is none.

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/infobar.h>
#include <gtkmm/label.h>

#include <string>

#include "engine/PermissionRequest.hpp"

namespace larkspan::permissions {

// What the bar says a site wants: "show notifications", "know your location" ...
std::string wantedText(PermissionKind kind);

class PermissionBar : public Gtk::InfoBar {
  public:
    PermissionBar();

    // Shows the question numbered `serial`; the tick starts cleared for each new question
    // and is offered only when the answer may be remembered.
    void ask(unsigned serial, const std::string& site, PermissionKind kind, bool mayRemember);

    // The user's answer, with the tick.
    sigc::signal<void(bool allowed, bool remember)> signalAnswered;

  private:
    Gtk::Label text_;
    Gtk::CheckButton chkRemember{"Remember for this site"};
    Gtk::Button* cmdAllow = nullptr;
    Gtk::Button* cmdBlock = nullptr;
    unsigned shown_ = 0;
};

}  // namespace larkspan::permissions
