// The wiring of the options dialog's controls to their handlers.
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "settings/OptionDecls.hpp"
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

    // The check boxes and option buttons of the options, as their declarations name them.
    for (const OptionDecl& d : optionDecls()) {
        if (d.control.empty()) continue;
        Gtk::Widget* w = control(Glib::ustring(d.control.data(), d.control.size()));
        if (auto* choice = dynamic_cast<Gtk::RadioButton*>(w); choice && d.choice) {
            choice->signal_toggled().connect([this, choice, &d] { choiceToggled(*choice, d); });
        } else if (auto* box = dynamic_cast<Gtk::CheckButton*>(w)) {
            box->signal_toggled().connect([this, box, id = d.id] { checkToggled(box, id); });
        }
    }
    LockFavorites1->signal_toggled().connect(
        sigc::mem_fun(*this, &frmOptions::LockFavorites1_Click));

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
