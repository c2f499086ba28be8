// The options dialog as a window: activation, page switching and sizing, closing.
#include <algorithm>
#include <memory>
#include <string>

#include "controls/StyledButton.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

// ---- Activation and page switching ----------------------------------------------------

void frmOptions::onActiveChanged() {
    bool active = property_is_active().get_value();
    if (active && !wasActive_) {
        if (activationIsReturn_) {
            activationIsReturn_ = false;
        } else {
            Form_Activate();
        }
    }
    wasActive_ = active;
}

void frmOptions::Form_Activate() {
    BApply->setEnabled(false);
}

// All pages share one place, as large as the largest of them. Measuring every page costs
// tens of milliseconds, so it waits until the dialog is first shown: the colour passes
// build the dialog hidden at start-up, while the home page loads.
void frmOptions::sizePages() {
    if (pagesSized_) return;
    pagesSized_ = true;
    Gtk::Widget* shown = nullptr;
    for (const auto& page : OptionsModel::pages()) {
        Gtk::Widget* frame = control(Glib::ustring(page.frame.data(), page.frame.size()));
        if (frame && frame->get_visible()) shown = frame;
    }
    int width = 0;
    int height = 0;
    for (const auto& page : OptionsModel::pages()) {
        Gtk::Widget* frame = control(Glib::ustring(page.frame.data(), page.frame.size()));
        if (!frame) continue;
        frame->set_visible(true);
        Gtk::Requisition minimum, natural;
        frame->get_preferred_size(minimum, natural);
        width = std::max(width, natural.width);
        height = std::max(height, natural.height);
        frame->set_visible(false);
    }
    if (Gtk::Widget* pages = control("Pages")) pages->set_size_request(width, height);

    if (shown) shown->set_visible(true);
}

void frmOptions::on_show() {
    sizePages();
    Gtk::Window::on_show();
}

void frmOptions::on_hide() {
    activationIsReturn_ = false;
    wasActive_ = false;
    Gtk::Window::on_hide();
}

void frmOptions::returningFromChooser() {
    if (get_visible() && !property_is_active().get_value()) activationIsReturn_ = true;
}

void frmOptions::List1_Click() {
    auto it = List1->get_selection()->get_selected();
    if (!it) return;
    Glib::ustring text;
    it->get_value(0, text);
    showPage(text);
}

void frmOptions::showPage(const std::string& entry) {
    auto frame = OptionsModel::pageFrame(entry);
    if (!frame) return;
    for (const auto& page : OptionsModel::pages()) {
        if (Gtk::Widget* w = control(Glib::ustring(page.frame.data(), page.frame.size()))) {
            w->set_visible(page.frame == *frame);
        }
    }
}

std::string frmOptions::visiblePage() const {
    for (const auto& page : OptionsModel::pages()) {
        Gtk::Widget* w = control(Glib::ustring(page.frame.data(), page.frame.size()));
        if (w && w->get_visible()) return std::string(page.frame);
    }
    return {};
}

// ---- Closing -------------------------------------------------------------------------

void frmOptions::CloseB_Click() {
    // Destroyed once the handler that asked for it has returned (and only while this
    // dialog is still the one the registry holds).
    Glib::signal_idle().connect_once([alive = std::weak_ptr<bool>(alive_), ctx = &ctx_] {
        if (auto a = alive.lock(); a && *a) ctx->windows().close("frmOptions");
    });
}

bool frmOptions::on_delete_event(GdkEventAny*) {
    CloseB_Click();
    return true;
}

}  // namespace larkspan
