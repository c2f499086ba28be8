// The options dialog's "Progressbar" page: the sample bar shows the options as they are.
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "shell/OptionBinder.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

namespace {

// The face "Smooth" and "Standard" give each other when one is pressed: the theme's.
constexpr ColorValue kReleasedFace = kSysButtonFace;

// The caption of the "Show %" toggle: what it is set to, read with its frame ("Show %:
// Yes" while the bar shows its percentage).
const char* percentToggleCaption(bool shown) {
    return shown ? "Yes" : "No";
}

}  // namespace

ProgressbarPage::ProgressbarPage(frmOptions& dialog) : OptionsPage(dialog, "Progressbar") {
    PBo1 = button("PBo1", "Smooth");
    PBo2 = button("PBo2", "Standard");
    ShowFont = button("ShowFont", "Yes");
    for (StyledButton* toggle : {PBo1, PBo2, ShowFont}) toggle->setButtonType(1);
    PBo1->signal_click().connect([this] { scrollStyle(1); });
    PBo2->signal_click().connect([this] { scrollStyle(0); });
    ShowFont->signal_click().connect(sigc::mem_fun(*this, &ProgressbarPage::ShowFont_Click));
    builder()->get_widget_derived("PB", PB);
    PB->setValue(100);
    // Clicking the swatch counts as a change even when the picker is cancelled; the picker
    // starts from the address box's back colour, as it always has.
    get<Gtk::Button>("PBForeColor")->signal_clicked().connect([this] { dialog_.markDirty(); });
    dialog.binder().setPickerStart(OptionId::ProgressColor,
                                   [this] { return model().addressBackColor; });
}

void ProgressbarPage::show() {
    const OptionsModel& m = model();
    PB->setScrolling(m.scrollStyle);
    PB->setShowText(m.showPercent);
    PB->setColor(m.progressColor);
    ShowFont->setValue(m.showPercent);
    // Said from the state, whatever caption an older version stored with it.
    ShowFont->setCaption(percentToggleCaption(m.showPercent));
    PBo1->setValue(m.scrollStyle == 1);
    PBo2->setValue(m.scrollStyle == 0);
}

// "Smooth" (1) and "Standard" (0) act as a pair.
void ProgressbarPage::scrollStyle(int style) {
    model().setNumber(OptionId::ScrollStyle, style);
    (style == 1 ? PBo2 : PBo1)->setBackColor(kReleasedFace);
    show();
    dialog_.markDirty();
}

void ProgressbarPage::ShowFont_Click() {
    // The toggle's new state turns the percentage on or off in the sample and, through
    // the option, in the main windows; both it and the caption are stored at once.
    OptionsModel& m = model();
    bool pressed = ShowFont->value();
    m.setText(OptionId::ShowPercentCaption, percentToggleCaption(pressed));
    m.setFlag(OptionId::ShowPercent, pressed);
    dialog_.markDirty();
    SettingsStore& store = ctx_.settings();
    m.writeNow(store, OptionId::ShowPercent);
    m.writeNow(store, OptionId::ShowPercentCaption);
}

}  // namespace larkspan
