#pragma once

// The options dialog: a list of eight pages on the left, the page chosen in the list on the
// right, "Apply" and "Cancel" below. Each page is a class of its own with its own window
// description (frmOptionsPages.hpp); the controls that show options are bound to the
// options model by one `OptionBinder`, driven by the option declarations.
//
// The dialog is a view of the live options model (`ShellContext::options()`): it shows the
// model's values, follows the model's changes, and writes every change of a control into
// the model at once, so the features and windows that observe the model see the change
// before "Apply". "Apply" writes the model to the settings store in one transaction and
// tells the observers; "Cancel" destroys the dialog and marks the model stale, so the next
// touch reloads the store. What only the dialog shows ("Apply" and "Set" enabled, the lock
// page's state) lives in the dialog.

#include <gtkmm.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/OptionsModel.hpp"

namespace larkspan {

class OptionBinder;
class OptionsPage;
class ShellContext;
class StyledButton;

class frmOptions : public Gtk::Window {
  public:
    frmOptions(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               ShellContext& context);
    ~frmOptions() override;

    // A named control of this dialog or of one of its pages, as a `W`; null when there is
    // no such control of that kind.
    template <class W = Gtk::Widget>
    W* control(const Glib::ustring& name) const {
        return dynamic_cast<W*>(find(name));
    }

    // The activation that shows the dialog: nothing is left to apply.
    void Form_Activate();
    // Shows the page whose list entry is `entry`; text that names no page changes nothing.
    void showPage(const std::string& entry);
    // The frame of the page shown now.
    std::string visiblePage() const;

    // The lock dialog's correct password: the lockables can be changed until "Lock".
    void unlockLockables();
    // One of the program's dialogs (a chooser, a question) hands its answer back: the next
    // activation, which is the return from that dialog, leaves "Apply" as it is.
    void returningFromDialog();

    // ---- For the pages.
    ShellContext& context() { return ctx_; }
    OptionsModel& model();
    OptionBinder& binder() { return *binder_; }
    // Something changed that "Apply" would store or show: "Apply" is enabled.
    void markDirty();
    // Shows the dialog again above the first main window.
    void reshow();
    // "Cancel": the dialog goes once the handler that asked for it has returned.
    void CloseB_Click();
    // True until the dialog is destroyed; for answers that may come later.
    std::weak_ptr<bool> aliveToken() const { return alive_; }

  protected:
    bool on_delete_event(GdkEventAny* event) override;
    void on_show() override;
    void on_hide() override;

  private:
    Gtk::Widget* find(const Glib::ustring& name) const;
    void List1_Click();
    void BApply_Click();
    void takeSampleLooks();
    void sizePages();
    void onActiveChanged();
    void showModel(OptionId id, OptionsModel::Cause cause);

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Gtk::TreeView* List1 = nullptr;
    StyledButton* BApply = nullptr;
    StyledButton* CloseB = nullptr;
    std::unique_ptr<OptionBinder> binder_;
    std::vector<std::unique_ptr<OptionsPage>> pages_;
    bool pagesSized_ = false;
    bool activationIsReturn_ = false;
    bool wasActive_ = false;
    sigc::connection activeConn_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Makes the options dialog (hidden); the registry's factory for "frmOptions".
std::unique_ptr<Gtk::Window> makeOptionsDialog(ShellContext& context);
// Shows the options dialog modeless, owned by the first main window, creating it when
// needed. Null when it could not be made.
frmOptions* showOptionsDialog(ShellContext& context);
// The options dialog when it exists.
frmOptions* findOptionsDialog(ShellContext& context);

}  // namespace larkspan
