// The wiring of the options dialog's controls to their handlers.
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "shell/frmOptionsInternal.hpp"

namespace larkspan {

namespace {

constexpr ColorValue kLinkHover = packRgb(0, 0, 255);

}  // namespace

void frmOptions::connectSignals() {
    activeConn_ = property_is_active().signal_changed().connect(
        sigc::mem_fun(*this, &frmOptions::onActiveChanged));
    List1->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmOptions::List1_Click));

    auto click = [](StyledButton* b, auto handler, frmOptions* self) {
        b->signal_click().connect(sigc::mem_fun(*self, handler));
    };
    click(BApply, &frmOptions::BApply_Click, this);
    click(CloseB, &frmOptions::CloseB_Click, this);
    click(SetHP, &frmOptions::SetHP_Click, this);
    click(DefualtHP, &frmOptions::DefualtHP_Click, this);
    click(CP, &frmOptions::CP_Click, this);
    click(Command3, &frmOptions::Command3_Click, this);
    click(Command4, &frmOptions::Command4_Click, this);
    click(ViewLog, &frmOptions::ViewLog_Click, this);
    click(PBo1, &frmOptions::PBo1_Click, this);
    click(PBo2, &frmOptions::PBo2_Click, this);
    click(ShowFont, &frmOptions::ShowFont_Click, this);
    click(Enable, &frmOptions::Enable_Click, this);
    click(ChgPass, &frmOptions::ChgPass_Click, this);
    click(ApplyChgs, &frmOptions::ApplyChgs_Click, this);
    click(RestoreB, &frmOptions::RestoreB_Click, this);
    click(Command6, &frmOptions::Command6_Click, this);
    click(Command7, &frmOptions::Command7_Click, this);
    click(command8, &frmOptions::command8_Click, this);

    // Check boxes that only change their option.
    const std::pair<Gtk::CheckButton*, OptionId> boxes[] = {
        {History, OptionId::SaveHistory},
        {CheckUpdate, OptionId::CheckUpdates},
        {Check1, OptionId::StatusBar},
        {Minimize, OptionId::MinimizeToTray},
        {SuppressErrors, OptionId::SuppressScriptErrors},
        {BlockedLog, OptionId::LogBlocked},
        {LockBrowser, OptionId::LockBrowser},
        {LockEmail, OptionId::LockEmail},
        {LockHistory, OptionId::LockHistory},
        {LockOptions, OptionId::LockOptions}};
    for (const auto& [box, id] : boxes) {
        box->signal_toggled().connect([this, box = box, id = id] { checkToggled(box, id); });
    }
    Check2->signal_toggled().connect(sigc::mem_fun(*this, &frmOptions::Check2_Click));
    LockFavorites->signal_toggled().connect(sigc::mem_fun(*this, &frmOptions::LockFavorites_Click));
    LockFavorites1->signal_toggled().connect(
        sigc::mem_fun(*this, &frmOptions::LockFavorites1_Click));

    const std::pair<Gtk::RadioButton*, OptionsModel::PopupMode> modes[] = {
        {Option1, OptionsModel::PopupMode::AskMe},
        {Option2, OptionsModel::PopupMode::Allow},
        {Option30, OptionsModel::PopupMode::BlockAndAlert},
        {Option3, OptionsModel::PopupMode::Block}};
    for (const auto& [button, mode] : modes) {
        button->signal_toggled().connect(
            [this, button = button, mode = mode] { modeToggled(button, mode); });
    }
    Gtk::RadioButton* choices[] = {Button1, Button2, Button3, Button4, Button5};
    for (int i = 0; i < 5; ++i) {
        choices[i]->signal_toggled().connect([this, i] { styleToggled(i); });
    }

    // The swatches of the Layout page and the progress colour.
    const std::pair<Gtk::Button*, OptionsModel::Swatch> swatches[] = {
        {lblFontColor, OptionsModel::Swatch::FontColor},
        {lblHFontColor, OptionsModel::Swatch::HFontColor},
        {lblBackColor, OptionsModel::Swatch::BackColor},
        {lblHBackcolor, OptionsModel::Swatch::HBackcolor},
        {lblProgramBG, OptionsModel::Swatch::ProgramBG},
        {lblProgramFC, OptionsModel::Swatch::ProgramFC}};
    for (const auto& [button, which] : swatches) {
        button->signal_clicked().connect([this, which = which] { swatch_Click(which); });
    }
    PBForeColor->signal_clicked().connect(sigc::mem_fun(*this, &frmOptions::PBForeColor_Click));

    Text1->signal_changed().connect([this] {
        if (syncing_) return;
        model().setText(OptionId::HomePage, Text1->get_text());
        SetHP->setEnabled(true);
    });
    cboSite->signal_changed().connect(sigc::mem_fun(*this, &frmOptions::cboSite_Click));
    Combo2->signal_changed().connect([this] {
        if (!syncing_) model().setText(OptionId::PopupTarget, Combo2->get_active_text());
    });

    // "&Reset": a label that acts as a link.
    if (auto* resetBox = dynamic_cast<Gtk::EventBox*>(control("Label5_Box"))) {
        resetBox->add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK |
                             Gdk::ENTER_NOTIFY_MASK);
        resetBox->signal_button_release_event().connect([this](GdkEventButton* e) {
            if (e->button == 1) Label5_Click();
            return true;
        });
        resetBox->signal_enter_notify_event().connect([this](GdkEventCrossing*) {
            style::setForeground(*Label5, kLinkHover);
            return false;
        });
        Label5->set_mnemonic_widget(*resetBox);
        resetBox->signal_mnemonic_activate().connect([this](bool) {
            Label5_Click();
            return true;
        });
    }
    if (auto* area = dynamic_cast<Gtk::EventBox*>(control("Privacy_Area"))) {
        area->add_events(Gdk::POINTER_MOTION_MASK | Gdk::ENTER_NOTIFY_MASK);
        auto back = [this] { style::setForeground(*Label5, kSysButtonText); };
        area->signal_motion_notify_event().connect([back](GdkEventMotion*) {
            back();
            return false;
        });
        area->signal_enter_notify_event().connect([back](GdkEventCrossing*) {
            back();
            return false;
        });
    }
}

}  // namespace larkspan
