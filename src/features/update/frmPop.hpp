#pragma once

// The update window "Larkspan Update!": the program's own version beside the offered one,
// the offered program's name and description, fetched from the update server one after
// the other as the window loads, and the link to the download page.

#include <gtkmm.h>

#include <memory>
#include <optional>
#include <string>

#include "common/Color.hpp"
#include "features/update/TextFetcher.hpp"

namespace larkspan {

class ShellContext;

class frmPop : public Gtk::Window {
  public:
    frmPop(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
           ShellContext& context);
    ~frmPop() override;

    // The link's colours: dark blue at rest, light grey under the mouse.
    static constexpr ColorValue kLinkColor = 192 * 65536;
    static constexpr ColorValue kLinkHoverColor = 192 * 65536 + 192 * 256 + 192;

    // Controls, by their names.
    Gtk::Label* Label2 = nullptr;  // program name
    Gtk::Label* Label3 = nullptr;  // description
    Gtk::Label* Label4 = nullptr;  // "Download it!"
    Gtk::Label* Label6 = nullptr;  // offered version
    Gtk::Label* Label7 = nullptr;  // own version
    Gtk::Label* Label8 = nullptr;  // heading

    // Events.
    void Label4_Click();
    void Label4_MouseMove();
    void Form_MouseMove();

  protected:
    // Closing by the title bar unloads the window, as its own commands do.
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // The fetches in their order: each fills its label and starts the next; a failure
    // reports itself and every fetch after it, then closes the window.
    void fetchStep(int step);
    void fetchFailed(int step);
    // Closes the window once the running handler has returned.
    void unloadLater();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    update::TextFetcher fetcher_;
};

// Makes the update window (hidden) and starts its fetches; the registry's factory.
std::unique_ptr<Gtk::Window> makeUpdateWindow(ShellContext& context);

}  // namespace larkspan
