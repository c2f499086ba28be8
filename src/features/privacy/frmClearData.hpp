#pragma once

// "Clear Browsing Data": a time range and one tick for each kind of data the features offer
// (ShellContext::clearableData). Clear clears the ticked kinds for that range and closes the
// window once every one has finished; the ticks stay as the user left them for the run.

#include <gtkmm.h>

#include <map>
#include <memory>
#include <set>
#include <string>

namespace larkspan {

class ShellContext;

class frmClearData : public Gtk::Window {
  public:
    frmClearData(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                 ShellContext& context);

    // ---- Controls, by their names.
    Gtk::ComboBoxText* cboRange = nullptr;
    Gtk::Box* boxClearItems = nullptr;
    Gtk::Button* cmdClear = nullptr;
    Gtk::Button* cmdCancel = nullptr;

    // Shows a tick for every item offered now, each as the user last left it.
    void showItems();

    // ---- Events.
    void cmdClear_Click();
    void cmdCancel_Click();

  protected:
    void on_show() override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    std::map<std::string, Gtk::CheckButton*> ticks_;
    // The items the user unticked; every other item is ticked.
    std::set<std::string> unticked_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

std::unique_ptr<Gtk::Window> makeClearDataWindow(ShellContext& context);

}  // namespace larkspan
