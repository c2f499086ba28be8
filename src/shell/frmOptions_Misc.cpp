// The options dialog's "Misc." page: its check boxes are bound to their options; beside them
// it shows the spell checker's languages and the desktop's default browser.
#include "common/DefaultBrowser.hpp"
#include "common/SpellDictionaries.hpp"
#include "controls/StyledButton.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

namespace {

std::string languagesText(const std::vector<std::string>& languages) {
    if (languages.empty()) return "No spelling dictionaries are installed.";
    std::string text = "Languages:";
    for (const std::string& language : languages) {
        text += (text.back() == ':' ? " " : ", ") + language;
    }
    return text;
}

}  // namespace

MiscPage::MiscPage(frmOptions& dialog) : OptionsPage(dialog, "Misc") {
    get<Gtk::Label>("lblSpellLanguages")->set_text(languagesText(spelling::checkedLanguages()));
    lblDefaultBrowser = get<Gtk::Label>("lblDefaultBrowser");
    cmdMakeDefaultBrowser = button("cmdMakeDefaultBrowser", "Make Larkspan the default browser");
    cmdMakeDefaultBrowser->signal_click().connect(
        sigc::mem_fun(*this, &MiscPage::cmdMakeDefaultBrowser_Click));
    // Another program may have taken the web's types meanwhile.
    frame().signal_map().connect(sigc::mem_fun(*this, &MiscPage::showDefaultBrowser));
    showDefaultBrowser();
}

void MiscPage::showDefaultBrowser() {
    const bool isDefault = desktop::isDefaultBrowser();
    lblDefaultBrowser->set_text(
        isDefault     ? "Larkspan is the default browser."
        : makeFailed_ ? "Larkspan could not be made the default browser: the desktop does not "
                        "know it as an installed application."
                      : "Larkspan is not the default browser.");
    cmdMakeDefaultBrowser->setEnabled(!isDefault);
}

void MiscPage::cmdMakeDefaultBrowser_Click() {
    makeFailed_ = !desktop::makeDefaultBrowser();
    showDefaultBrowser();
}

}  // namespace larkspan
