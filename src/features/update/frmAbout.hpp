#pragma once

// The About box "About - Larkspan": the program's picture, its version and credit lines,
// "Close", "Check Updates" and "Visit Website".

#include <gtkmm.h>

#include <memory>
#include <string>

namespace larkspan {

class ShellContext;
class StyledButton;

namespace update {
class UpdateCheck;
}

class frmAbout : public Gtk::Window {
  public:
    frmAbout(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
             ShellContext& context, update::UpdateCheck& check);
    ~frmAbout() override;

    // The text the box shows: the version line, then the credit lines, each after CR LF.
    static std::string aboutText();

    // Controls, by their names.
    Gtk::TextView* Text1 = nullptr;
    StyledButton* Command1 = nullptr;  // "Close"
    Gtk::Image* Image1 = nullptr;
    Gtk::Label* Label1 = nullptr;  // "Check Updates"
    Gtk::Label* Label4 = nullptr;  // "Visit Website"

    // Events.
    void Command1_Click();
    void Label1_Click();
    void Label4_Click();

  protected:
    // Closing by the title bar unloads the window, as its own commands do.
    bool on_delete_event(GdkEventAny* event) override;

  private:
    // Closes the box once the running handler has returned.
    void unloadLater();

    ShellContext& ctx_;
    update::UpdateCheck& check_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Makes the About box (hidden); the registry's factory.
std::unique_ptr<Gtk::Window> makeAboutBox(ShellContext& context, update::UpdateCheck& check);

}  // namespace larkspan
