// The options dialog's "Layout" page.
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "shell/OptionBinder.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

namespace {

// The swatches and the scheme's colours they pick.
constexpr std::pair<OptionId, OptionsModel::Swatch> kSwatches[] = {
    {OptionId::ButtonFontColor, OptionsModel::Swatch::FontColor},
    {OptionId::ButtonFontHighlightColor, OptionsModel::Swatch::HFontColor},
    {OptionId::ButtonBackColor, OptionsModel::Swatch::BackColor},
    {OptionId::ButtonHighlightColor, OptionsModel::Swatch::HBackcolor},
    {OptionId::ProgramBackColor, OptionsModel::Swatch::ProgramBG},
    {OptionId::ProgramFontColor, OptionsModel::Swatch::ProgramFC}};

}  // namespace

LayoutPage::LayoutPage(frmOptions& dialog) : OptionsPage(dialog, "Layout") {
    builder()->get_widget_derived("Example", Example);
    Example->setCaption("Example");
    Example->setUseCustomColors(true);
    RestoreB = button("RestoreB", "Restore");
    RestoreB->signal_click().connect(sigc::mem_fun(*this, &LayoutPage::RestoreB_Click));
    // "Restore" starts enabled unless the scheme is the default one.
    RestoreB->setEnabled(!model().swatchesAtDefaults());
    for (const auto& [id, which] : kSwatches) {
        dialog.binder().setPickerStart(
            id, [this, which = which] { return model().pickerInitial(which); });
    }
    connectEdited(sigc::mem_fun(*this, &LayoutPage::edited));
}

void LayoutPage::show() {
    const OptionsModel& m = model();
    // A swatch keeps its colour while disabled; it fades so that the state shows.
    for (const char* name : {"lblBackColor", "lblHBackcolor"}) {
        Gtk::Widget* swatch = control(name);
        swatch->set_sensitive(m.backSwatchesEnabled());
        swatch->set_opacity(m.backSwatchesEnabled() ? 1.0 : 0.4);
    }
    applyLook(*Example, m.sampleLook());
}

// A style choice or a colour picked is a change of the scheme, which "Restore" can undo.
void LayoutPage::edited(OptionId id) {
    bool scheme = id == OptionId::StyleChoice;
    for (const auto& swatch : kSwatches) scheme = scheme || swatch.first == id;
    if (scheme) RestoreB->setEnabled(true);
}

void LayoutPage::RestoreB_Click() {
    model().restoreScheme();
    dialog_.markDirty();
    RestoreB->setEnabled(false);
}

}  // namespace larkspan
