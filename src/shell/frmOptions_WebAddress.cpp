// The options dialog's "Address Bar" page.
#include "controls/StyledButton.hpp"
#include "shell/OptionBinder.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

WebAddressPage::WebAddressPage(frmOptions& dialog) : OptionsPage(dialog, "WebAddress") {
    button("command8", "Change")->signal_click().connect([this] {
        pickColor(OptionId::AddressBackColor);
    });
    button("Command6", "Font")
        ->signal_click()
        .connect(sigc::mem_fun(*this, &WebAddressPage::Command6_Click));
    button("Command7", "Change")->signal_click().connect([this] {
        pickColor(OptionId::AddressTextColor);
    });
}

// The two colour buttons: the picker starts from the address box's own colour, and the
// chosen one becomes the option at once; the main windows' address and search boxes, the
// engine box and the swatch follow it.
void WebAddressPage::pickColor(OptionId id) {
    dialog_.markDirty();
    dialog_.binder().pickColor(id);
}

void WebAddressPage::Command6_Click() {
    Gtk::Window* chooser = ctx_.windows().touch("frmFont");
    if (chooser) {
        if (Gtk::Window* owner = ctx_.ownerWindow()) chooser->set_transient_for(*owner);
        chooser->present();
    }
    dialog_.markDirty();
}

}  // namespace larkspan
