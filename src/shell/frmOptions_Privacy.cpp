// The options dialog's "Privacy" page.
#include "common/Color.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "engine/ContentFilters.hpp"
#include "shell/ActionButton.hpp"
#include "shell/ContentFilterStatus.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmOptions.hpp"
#include "shell/frmOptionsPages.hpp"

namespace larkspan {

namespace {
// The popup blocker's log window.
constexpr const char* kViewBlockedLog = "app.view-blocked-log";
// The remembered answers to sites' permission requests.
constexpr const char* kSitePermissions = "app.site-permissions";
// The window of the sites' cookies and storage.
constexpr const char* kManageSiteData = "app.manage-site-data";
constexpr ColorValue kLinkHover = packRgb(0, 0, 255);
}  // namespace

PrivacyPage::PrivacyPage(frmOptions& dialog) : OptionsPage(dialog, "Privacy") {
    StyledButton* view = button("ViewLog", "View Log");
    view->signal_click().connect(sigc::mem_fun(*this, &PrivacyPage::ViewLog_Click));
    actions::follow(*view, kViewBlockedLog);
    StyledButton* siteData = button("cmdManageSiteData", "&Manage Site Data...");
    siteData->signal_click().connect([] { actions::activate(kManageSiteData); });
    actions::follow(*siteData, kManageSiteData);
    // Where allowed popups open is the session's choice, never stored.
    Combo2 = get<Gtk::ComboBoxText>("Combo2");
    Combo2->signal_changed().connect([this] {
        if (Combo2->get_active_text() != model().popupTarget) {
            model().setText(OptionId::PopupTarget, Combo2->get_active_text());
        }
    });
    Label5 = get<Gtk::Label>("Label5");
    connectResetLink();
    lblFilterLists = get<Gtk::Label>("lblFilterLists");
    lstAdsAllowed = get<Gtk::ListBox>("lstAdsAllowed");
    StyledButton* remove = button("cmdAdsAllowedRemove", "&Remove");
    remove->signal_click().connect(sigc::mem_fun(*this, &PrivacyPage::cmdAdsAllowedRemove_Click));
    ctx_.contentFilterStatus().signalChanged().connect(
        sigc::mem_fun(*this, &PrivacyPage::showFilterLists));
    showFilterLists();
    StyledButton* permissions = button("cmdSitePermissions", "Site Permissions...");
    permissions->signal_click().connect([] { actions::activate(kSitePermissions); });
    actions::follow(*permissions, kSitePermissions);
    show();
}

void PrivacyPage::show() {
    if (Combo2->get_active_text() != model().popupTarget) {
        Combo2->set_active_text(model().popupTarget);
    }
    if (shownSites_ != model().adsAllowedSites) {
        shownSites_ = model().adsAllowedSites;
        for (Gtk::Widget* row : lstAdsAllowed->get_children()) lstAdsAllowed->remove(*row);
        for (const std::string& site : engine::parseSites(shownSites_)) {
            auto* label = Gtk::make_managed<Gtk::Label>(site);
            label->set_xalign(0.0);
            label->show();
            lstAdsAllowed->append(*label);
        }
    }
}

// The lists in use with their counts; without any, blocking has nothing to work with.
void PrivacyPage::showFilterLists() {
    const auto& lists = ctx_.contentFilterStatus().lists();
    std::string text;
    for (const auto& list : lists) {
        if (!text.empty()) text += "\n";
        text += describe(list);
    }
    if (lists.empty()) {
        text =
            "No ad and tracker lists are installed (package webext-ublock-origin-chromium), "
            "and none are in the \"filters\" folder.";
    }
    lblFilterLists->set_text(text);
    if (Gtk::Widget* check = control("BlockAds")) check->set_sensitive(!lists.empty());
}

// Ads are blocked again on the chosen site; stored at once, like the menu's tick.
void PrivacyPage::cmdAdsAllowedRemove_Click() {
    Gtk::ListBoxRow* row = lstAdsAllowed->get_selected_row();
    auto* label = row != nullptr ? dynamic_cast<Gtk::Label*>(row->get_child()) : nullptr;
    if (label == nullptr) return;
    std::set<std::string> sites = engine::parseSites(model().adsAllowedSites);
    sites.erase(label->get_text());
    model().setText(OptionId::AdsAllowedSites, engine::formatSites(sites));
    model().writeNow(ctx_.settings(), OptionId::AdsAllowedSites);
}

// The log takes the dialog's place; closing it brings the dialog back.
void PrivacyPage::ViewLog_Click() {
    if (actions::activate(kViewBlockedLog)) dialog_.hide();
}

void PrivacyPage::Label5_Click() {
    dialog_.markDirty();
    // The main windows' counters follow the option.
    model().setText(OptionId::BlockedCount, "0");
}

// "&Reset": a label that acts as a link, blue under the pointer until it leaves the page.
void PrivacyPage::connectResetLink() {
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
        // Before the default handler, which would refuse an event box.
        resetBox->signal_mnemonic_activate().connect(
            [this](bool) {
                Label5_Click();
                return true;
            },
            false);
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
