#pragma once

// The options dialog: a list of eight pages on the left, each page a frame of controls.
// The dialog is a view of the live options model (`ShellContext::options()`): it shows the
// model's values, follows the model's changes, and writes every change of a control into
// the model at once, so the features and windows that observe the model see the change
// before "Apply". "Apply" writes the model to the settings store in one transaction and
// tells the observers; "Cancel" destroys the dialog and marks the model stale, so the next
// touch reloads the store. What only the dialog shows ("Apply" and "Set" enabled, the lock
// page's state) lives in the dialog.

#include <gtkmm.h>

#include <memory>
#include <optional>
#include <string>

#include "common/Color.hpp"
#include "settings/OptionsModel.hpp"

namespace larkspan {

class ShellContext;
struct OptionDecl;
class StyledButton;
class StyledProgressBar;

class frmOptions : public Gtk::Window {
  public:
    frmOptions(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               ShellContext& context);
    ~frmOptions() override;

    // ---- Controls, by their names.
    Gtk::TreeView* List1 = nullptr;
    StyledButton* BApply = nullptr;
    StyledButton* CloseB = nullptr;
    Gtk::Label* Larkspanlbl = nullptr;

    // Address Bar page.
    Gtk::Frame* WebAddress = nullptr;
    StyledButton* command8 = nullptr;
    Gtk::Button* Label2 = nullptr;  // back colour swatch
    StyledButton* Command6 = nullptr;
    StyledButton* Command7 = nullptr;
    Gtk::Button* Label1 = nullptr;  // text colour swatch
    Gtk::Label* lblFontName = nullptr;

    // History page.
    Gtk::Frame* HistoryLst = nullptr;
    Gtk::CheckButton* History = nullptr;
    StyledButton* Command3 = nullptr;
    StyledButton* Command4 = nullptr;

    // Homepage page.
    Gtk::Frame* Homepage = nullptr;
    Gtk::Entry* Text1 = nullptr;
    StyledButton* SetHP = nullptr;
    StyledButton* DefualtHP = nullptr;
    StyledButton* CP = nullptr;
    Gtk::ComboBoxText* cboSite = nullptr;

    // Layout page.
    Gtk::Frame* Layout = nullptr;
    Gtk::RadioButton* Button1 = nullptr;
    Gtk::RadioButton* Button2 = nullptr;
    Gtk::RadioButton* Button3 = nullptr;
    Gtk::RadioButton* Button4 = nullptr;
    Gtk::RadioButton* Button5 = nullptr;
    Gtk::Button* lblFontColor = nullptr;
    Gtk::Button* lblHFontColor = nullptr;
    Gtk::Button* lblBackColor = nullptr;
    Gtk::Button* lblHBackcolor = nullptr;
    Gtk::Button* lblProgramBG = nullptr;
    Gtk::Button* lblProgramFC = nullptr;
    StyledButton* Example = nullptr;
    StyledButton* RestoreB = nullptr;

    // Misc. page.
    Gtk::Frame* Misc = nullptr;
    Gtk::CheckButton* CheckUpdate = nullptr;
    Gtk::CheckButton* Check1 = nullptr;
    Gtk::CheckButton* Minimize = nullptr;
    Gtk::CheckButton* SuppressErrors = nullptr;

    // Password Lock page.
    Gtk::Frame* PassLock = nullptr;
    StyledButton* Enable = nullptr;
    Gtk::Frame* Frame13 = nullptr;  // "&Lockables"
    Gtk::CheckButton* LockBrowser = nullptr;
    Gtk::CheckButton* LockFavorites = nullptr;
    Gtk::CheckButton* LockFavorites1 = nullptr;
    Gtk::CheckButton* LockEmail = nullptr;
    Gtk::CheckButton* LockHistory = nullptr;
    Gtk::CheckButton* LockOptions = nullptr;
    StyledButton* ChgPass = nullptr;
    StyledButton* ApplyChgs = nullptr;

    // Privacy page.
    Gtk::Frame* Privacy = nullptr;
    Gtk::RadioButton* Option1 = nullptr;
    Gtk::RadioButton* Option2 = nullptr;
    Gtk::RadioButton* Option30 = nullptr;
    Gtk::RadioButton* Option3 = nullptr;
    Gtk::CheckButton* Check2 = nullptr;
    Gtk::CheckButton* BlockedLog = nullptr;
    StyledButton* ViewLog = nullptr;
    Gtk::ComboBoxText* Combo2 = nullptr;
    Gtk::Label* Label25 = nullptr;
    Gtk::Label* Label5 = nullptr;  // "&Reset"

    // Progressbar page.
    Gtk::Frame* Progressbar = nullptr;
    StyledButton* PBo1 = nullptr;  // "Smooth"
    StyledButton* PBo2 = nullptr;  // "Standard"
    StyledProgressBar* PB = nullptr;
    Gtk::Button* PBForeColor = nullptr;
    StyledButton* ShowFont = nullptr;

    // A named control of this dialog.
    Gtk::Widget* control(const Glib::ustring& name) const;

    // ---- Events.
    void Form_Activate();
    void List1_Click();
    // Shows the page whose list entry is `entry`; text that names no page changes nothing.
    void showPage(const std::string& entry);
    // The frame shown now.
    std::string visiblePage() const;

    void BApply_Click();
    void CloseB_Click();
    void SetHP_Click();
    void DefualtHP_Click();
    void CP_Click();
    void cboSite_Click();
    void Command3_Click();
    void Command4_Click();
    void ViewLog_Click();
    void Label5_Click();
    void PBo1_Click();
    void PBo2_Click();
    void ShowFont_Click();
    void Enable_Click();
    void ChgPass_Click();
    void ApplyChgs_Click();
    void LockFavorites1_Click();
    void RestoreB_Click();
    void Command6_Click();
    void Command7_Click();
    void command8_Click();
    void PBForeColor_Click();
    void swatch_Click(OptionsModel::Swatch which);

    // The lock dialog's correct password: the lockables can be changed until "Lock".
    void unlockLockables();
    // The font chooser hands a chosen font back: the next activation, which is the return
    // from the chooser, leaves "Apply" as it is.
    void returningFromChooser();

  protected:
    bool on_delete_event(GdkEventAny* event) override;
    void on_show() override;
    void on_hide() override;

  private:
    OptionsModel& model();
    void connectSignals();
    // Shows the model's values in the controls.
    void syncFromModel();
    void optionChanged(OptionId id, OptionsModel::Cause cause);
    void takeSampleLooks();
    void markDirty();
    void showSwatch(Gtk::Button& swatch, ColorValue c);
    void pickAddressColor(OptionId id);
    void sizePages();
    void showBackSwatchesEnabled(bool enabled);
    // The answer to one of this dialog's own questions, handed to `then` unless the dialog
    // has gone meanwhile; the activation that follows the question's closing is the return
    // to this dialog, not a new activation.
    template <typename... Args, typename Fn>
    std::function<void(Args...)> ownAnswer(Fn then);
    void onActiveChanged();
    void checkToggled(Gtk::CheckButton* box, OptionId id);
    void choiceToggled(Gtk::RadioButton& button, const OptionDecl& decl);
    // Offers the colour picker at `initial`; `chosen` runs with the colour picked.
    void pickColor(ColorValue initial, std::function<void(ColorValue)> chosen);
    void reshow();

    ShellContext& ctx_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Glib::RefPtr<Gtk::ListStore> pageList_;
    bool syncing_ = false;
    bool lockFavoritesHidden_ = false;  // the hidden second "Favorites" box
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
