// The options dialog's "Homepage" page.
#include "common/MakerSite.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

HomepagePage::HomepagePage(frmOptions& dialog) : OptionsPage(dialog, "Homepage") {
    Text1 = get<Gtk::Entry>("Text1");
    cboSite = get<Gtk::ComboBoxText>("cboSite");
    for (auto entry : OptionsModel::siteEntries()) cboSite->append(std::string(entry));
    SetHP = button("SetHP", "Set");
    SetHP->signal_click().connect(sigc::mem_fun(*this, &HomepagePage::SetHP_Click));
    button("DefualtHP", "Default")
        ->signal_click()
        .connect(sigc::mem_fun(*this, &HomepagePage::DefualtHP_Click));
    button("CP", "Current Page")
        ->signal_click()
        .connect(sigc::mem_fun(*this, &HomepagePage::CP_Click));
    // "Set" starts enabled when the stored home page replaced the design one.
    SetHP->setEnabled(model().homePage != site::kHome);
    connectEdited(sigc::mem_fun(*this, &HomepagePage::edited));
    model().signalChanged().connect(sigc::mem_fun(*this, &HomepagePage::followAddressBox));
}

void HomepagePage::edited(OptionId id) {
    if (id == OptionId::HomePage) {
        // Typing changes the option; only "Set" stores it.
        SetHP->setEnabled(true);
    } else if (id == OptionId::SearchEngine) {
        model().writeNow(ctx_.settings(), OptionId::SearchEngine);
    }
}

void HomepagePage::SetHP_Click() {
    model().writeNow(ctx_.settings(), OptionId::HomePage);
    SetHP->setEnabled(false);
}

void HomepagePage::DefualtHP_Click() {
    Text1->set_text(site::kHome);
    model().writeNow(ctx_.settings(), OptionId::HomePage);
}

void HomepagePage::CP_Click() {
    if (ctx_.firstWindow()) Text1->set_text(ctx_.currentAddress());
}

// The engine box wears the address box's colours and font once they are chosen.
void HomepagePage::followAddressBox(OptionId id, OptionsModel::Cause cause) {
    if (cause != OptionsModel::Cause::Edited) return;
    const OptionsModel& m = model();
    auto onEngineBox = [this](auto fn) { scheme::forWidgetAndParts(*cboSite, fn); };
    switch (id) {
        case OptionId::AddressTextColor:
            onEngineBox([&m](Gtk::Widget& w) { style::setForeground(w, m.addressTextColor); });
            break;
        case OptionId::AddressBackColor:
            onEngineBox([&m](Gtk::Widget& w) { style::setBackground(w, m.addressBackColor); });
            break;
        case OptionId::FontName:
            onEngineBox([&m](Gtk::Widget& w) { style::setFontFamily(w, m.fontName); });
            break;
        default:
            break;
    }
}

}  // namespace larkspan
