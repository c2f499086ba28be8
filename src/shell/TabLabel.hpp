#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>

namespace larkspan {

class Page;

// The tab of one page in a window's tab strip: a loading indicator, the page's title cut
// with an ellipsis (its address while it has none), and a close button. It follows the
// page's own signals.
class TabLabel : public Gtk::Box {
  public:
    explicit TabLabel(Page& page);

    // The close button was clicked.
    sigc::signal<void()> signalClose;
    const Gtk::Label& text() const { return text_; }

  private:
    void showTitle();
    void showLoading();

    Page& page_;
    Gtk::Spinner spinner_;
    Gtk::Label text_;
    Gtk::Button close_;
};

}  // namespace larkspan
