#pragma once

// The page source window: the inner markup of the root element of the page that was shown
// when the window opened, in one scrolling text box that fills the window. Opening it again
// while it is open only brings it forward; the text is read again after it was closed.

#include <gtkmm.h>

#include <memory>
#include <string>

namespace larkspan {

class ShellContext;
class frmBrowser;

class frmSource : public Gtk::Window {
  public:
    frmSource(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
              ShellContext& context);

    // Takes the caption, the icon and the text from `owner`'s page.
    void Form_Load(frmBrowser& owner);
    std::string text() const;

  protected:
    bool on_delete_event(GdkEventAny* event) override;

  private:
    ShellContext& ctx_;
    Gtk::TextView* Text1 = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

std::unique_ptr<Gtk::Window> makeSourceWindow(ShellContext& context);

// Shows the source window for `window`'s page, loading it when it is not open yet.
void showSourceWindow(ShellContext& context, frmBrowser& window);

}  // namespace larkspan
