#pragma once

// The blocked-popup log window: the logged addresses in `List1`, with Delete, Delete All
// and Close. It lives hidden from its first touch (the user opening it, or the first
// logged popup) until Close or shut-down; closing it shows the options dialog again.

#include <gtkmm.h>

#include <memory>
#include <string>

#include "features/popups/BlockedLog.hpp"

namespace larkspan {

class ShellContext;
class StyledButton;

class frmBlockedLog : public Gtk::Window {
  public:
    frmBlockedLog(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                  ShellContext& context);

    // Adds a logged popup's page address as the last entry and selects it.
    void logBlocked(const std::string& address);
    const popups::BlockedLog& log() const { return log_; }

    // A named control of this window, as the kind of widget it is (null otherwise).
    template <typename W>
    W* widget(const Glib::ustring& name) const {
        Gtk::Widget* w = nullptr;
        builder_->get_widget(name, w);
        return dynamic_cast<W*>(w);
    }

    // Events.
    void Delete_Click();
    void DeleteAll_Click();
    void BClose_Click();

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    void fillList();
    void selectLast();
    void List1_SelectionChanged();
    void showAgain();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Gtk::TreeView* List1 = nullptr;
    StyledButton* Delete = nullptr;
    StyledButton* DeleteAll = nullptr;
    StyledButton* BClose = nullptr;
    Glib::RefPtr<Gtk::ListStore> rows_;
    popups::BlockedLog log_;
};

// Makes the log window (hidden, its list read from the file); the registry's factory.
std::unique_ptr<Gtk::Window> makeBlockedLogWindow(ShellContext& context);

}  // namespace larkspan
