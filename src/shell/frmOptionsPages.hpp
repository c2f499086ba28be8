#pragma once

// The eight pages of the options dialog, one class each. A page loads its frame from its
// own window description ("frmOptions_<frame>.ui"); the controls that show an option are
// bound by the dialog's binder, so a page holds only what acts beyond that: its buttons
// and the rules between its controls.

#include <gtkmm.h>

#include <memory>
#include <string_view>
#include <vector>

#include "settings/OptionsModel.hpp"

namespace larkspan {

class ShellContext;
class StyledButton;
class StyledProgressBar;
class frmOptions;

class OptionsPage : public sigc::trackable {
  public:
    OptionsPage(frmOptions& dialog, std::string_view frame);
    virtual ~OptionsPage();
    OptionsPage(const OptionsPage&) = delete;
    OptionsPage& operator=(const OptionsPage&) = delete;

    std::string_view name() const { return name_; }
    Gtk::Frame& frame() const { return *frame_; }
    const Glib::RefPtr<Gtk::Builder>& builder() const { return builder_; }
    Gtk::Widget* control(const Glib::ustring& name) const;
    // The page's buttons that wear the sample button's look.
    const std::vector<StyledButton*>& buttons() const { return buttons_; }

    // Shows what the page shows beside its bound controls (the model changed).
    virtual void show() {}

  protected:
    template <class W>
    W* get(const char* name) {
        W* w = nullptr;
        builder_->get_widget(name, w);
        return w;
    }
    // A styled button of the page with its caption; it wears the sample's look.
    StyledButton* button(const char* name, const char* caption);
    // An option of the page changed.
    void connectEdited(const sigc::slot<void(OptionId)>& slot);

    frmOptions& dialog_;
    ShellContext& ctx_;
    OptionsModel& model();

  private:
    std::string_view name_;
    Glib::RefPtr<Gtk::Builder> builder_;
    Gtk::Frame* frame_ = nullptr;
    std::vector<StyledButton*> buttons_;
};

// "Address Bar": the address box's colours and font.
class WebAddressPage final : public OptionsPage {
  public:
    explicit WebAddressPage(frmOptions& dialog);

  private:
    void Command6_Click();
    void pickColor(OptionId id);
};

// "History": keeping it, clearing it, the history window.
class HistoryLstPage final : public OptionsPage {
  public:
    explicit HistoryLstPage(frmOptions& dialog);

  private:
    void Command3_Click();
    void Command4_Click();
};

// "Homepage": the home page, stored by "Set", and the search engine, stored at once.
class HomepagePage final : public OptionsPage {
  public:
    explicit HomepagePage(frmOptions& dialog);

  private:
    void edited(OptionId id);
    void SetHP_Click();
    void DefualtHP_Click();
    void CP_Click();
    void followAddressBox(OptionId id, OptionsModel::Cause cause);

    Gtk::Entry* Text1 = nullptr;
    Gtk::ComboBoxText* cboSite = nullptr;
    StyledButton* SetHP = nullptr;
};

// "Layout": the button style, the scheme's colours and the sample button.
class LayoutPage final : public OptionsPage {
  public:
    explicit LayoutPage(frmOptions& dialog);
    void show() override;

  private:
    void edited(OptionId id);
    void RestoreB_Click();

    StyledButton* Example = nullptr;
    StyledButton* RestoreB = nullptr;
};

// "Misc.": its check boxes are bound; it shows the spell checker's languages and whether the
// program is the desktop's default browser, with a button that makes it so.
class MiscPage final : public OptionsPage {
  public:
    explicit MiscPage(frmOptions& dialog);

  private:
    void showDefaultBrowser();
    void cmdMakeDefaultBrowser_Click();

    Gtk::Label* lblDefaultBrowser = nullptr;
    StyledButton* cmdMakeDefaultBrowser = nullptr;
    bool makeFailed_ = false;
};

// "Password Lock": the lockables, changeable while unlocked, and their own "Apply Changes".
class PassLockPage final : public OptionsPage {
  public:
    explicit PassLockPage(frmOptions& dialog);
    void show() override;
    void unlockLockables();

  private:
    void Enable_Click();
    void ChgPass_Click();
    void ApplyChgs_Click();
    void LockFavorites1_Click();

    StyledButton* Enable = nullptr;
    Gtk::Frame* Frame13 = nullptr;
    Gtk::CheckButton* LockFavorites1 = nullptr;
    bool lockFavoritesHidden_ = false;  // the hidden second "Favorites" box
};

// "Privacy": the popup blocker, its counter and its log.
class PrivacyPage final : public OptionsPage {
  public:
    explicit PrivacyPage(frmOptions& dialog);
    void show() override;

  private:
    void ViewLog_Click();
    void Label5_Click();
    void connectResetLink();
    void showFilterLists();
    void cmdAdsAllowedRemove_Click();

    Gtk::ComboBoxText* Combo2 = nullptr;
    Gtk::Label* Label5 = nullptr;
    Gtk::Label* lblFilterLists = nullptr;
    Gtk::ListBox* lstAdsAllowed = nullptr;
    // The sites lstAdsAllowed shows, as the option's text.
    std::string shownSites_;
};

// "Progressbar": the scroll style, the percentage and the colour, on a sample bar.
class ProgressbarPage final : public OptionsPage {
  public:
    explicit ProgressbarPage(frmOptions& dialog);
    void show() override;

  private:
    void scrollStyle(int style);
    void ShowFont_Click();

    StyledButton* PBo1 = nullptr;
    StyledButton* PBo2 = nullptr;
    StyledButton* ShowFont = nullptr;
    StyledProgressBar* PB = nullptr;
};

// The pages, in list order.
std::vector<std::unique_ptr<OptionsPage>> makeOptionsPages(frmOptions& dialog);

}  // namespace larkspan
