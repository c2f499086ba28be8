#pragma once

// The blocked-popup notice: a small borderless strip that stays above the first main window
// without ever taking the focus. A click on it hides it; a later notice reuses it.

#include <gtkmm.h>

#include <memory>

namespace larkspan {

class ShellContext;

class Form2 : public Gtk::Window {
  public:
    Form2(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
          ShellContext& context);

    // Shows the notice over the first main window and says that a popup was blocked.
    void showNotice();
    // Places the strip for the first main window's frame (each showing and resize).
    void placeOverOwner();

    Glib::ustring text() const { return Label1->get_text(); }

    // Events.
    void Label1_Click();

  private:
    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Gtk::Label* Label1 = nullptr;
    Gtk::Frame* Shape1 = nullptr;
    Glib::RefPtr<Gtk::CssProvider> css_;
};

// Makes the notice (hidden); the registry's factory for "Form2".
std::unique_ptr<Gtk::Window> makeNotice(ShellContext& context);

}  // namespace larkspan
