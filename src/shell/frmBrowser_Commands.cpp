// The main window's commands: one `win.` action per built command, each behind the lock
// table, and the shortcuts shown beside the menu items.
#include <gio/gio.h>

#include <algorithm>

#include "common/Dialogs.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/Guards.hpp"
#include "shell/MailLink.hpp"
#include "shell/MailReader.hpp"
#include "shell/PrivateWindow.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowCommands.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

Glib::RefPtr<Gio::SimpleAction> frmBrowser::addCommand(const char* name,
                                                       std::function<void()> handler) {
    std::string command = name;
    return add_action(name, [this, command, handler = std::move(handler)] {
        if (!locks::holdBack(ctx_, command, this, handler)) handler();
    });
}

void frmBrowser::connectActions() {
    addCommand("new-window", [this] { mnuFileNew_Click(); });
    addCommand("new-private-window", [this] { openPrivateWindow(ctx_, {}); });
    addCommand("open", [this] { mnuOpen_Click(); });
    addCommand("print", [this] { mnuFilePrint_Click(); });
    addCommand("exit", [this] { mnuFileExit_Click(); });
    // Closing by shortcut closes the current tab; with the last one it is closing by the
    // title bar: the shut-down sequence.
    addCommand("close", [this] { closePage(*current_); });
    addCommand("new-tab", [this] { openTab(ctx_.options().homePage, TabPlace::LastShown); });
    addCommand("next-tab", [this] { stepTab(1); });
    addCommand("previous-tab", [this] { stepTab(-1); });
    add_action_with_parameter(
        "select-tab", Glib::VARIANT_TYPE_INT32, [this](const Glib::VariantBase& index) {
            selectTab(Glib::VariantBase::cast_dynamic<Glib::Variant<gint32>>(index).get());
        });

    backAction_ = addCommand("back", [this] { mnuBack_Click(); });
    forwardAction_ = addCommand("forward", [this] { mnuForward_Click(); });
    stopAction_ = addCommand("stop", [this] { engine().stop(); });
    // A new page has no history and loads nothing until it is sent somewhere.
    for (const auto& action : {backAction_, forwardAction_, stopAction_}) {
        action->set_enabled(false);
    }
    addCommand("refresh", [this] { engine().refresh(); });
    addCommand("refresh-bypass-cache", [this] { engine().refreshBypassingCache(); });
    addCommand("inspector", [this] { engine().showInspector(); });
    addCommand("home", [this] { engine().navigate(ctx_.options().homePage); });
    addCommand("focus-address", [this] { focusAddressBox(); });
    addCommand("zoom-in", [this] { stepTextSize(1); });
    addCommand("zoom-out", [this] { stepTextSize(-1); });
    addCommand("zoom-reset", [this] { stepTextSize(0); });

    addCommand("options", [this] { showOptionsDialog(ctx_); });
    addCommand("toolbar-options", [this] { showOptionsDialog(ctx_); });
    addCommand("check-mail", [this] { startMailReader(*this, defaultMailReader()); });
    addCommand("send-mail", [this] {
        askMailLink(this, whileAlive<const std::string&>(
                              *this, [this](const std::string& link) { engine().navigate(link); }));
    });

    add_action_with_parameter(
        "auto-refresh", Glib::VARIANT_TYPE_INT32, [this](const Glib::VariantBase& seconds) {
            mnuAR_Click(Glib::VariantBase::cast_dynamic<Glib::Variant<gint32>>(seconds).get());
        });
    autoRefreshOffAction_ = addCommand("auto-refresh-off", [this] { mnuAF_Off_Click(); });
    autoRefreshOffAction_->set_enabled(false);
    statusbarAction_ = add_action_bool(
        "statusbar", [this] { mnuToolsStatusbar_Click(); }, true);

    addCommand("restore", [this] { mPopRestore_Click(); });
    addCommand("tray-website", [this] { mPopWebsite_Click(); });
    addCommand("tray-exit", [this] { mPopExit_Click(); });

    connectDocumentCommands();
    connectFeatureCommands();
    property_application().signal_changed().connect(
        sigc::mem_fun(*this, &frmBrowser::labelShortcuts));
}

void frmBrowser::connectFeatureCommands() {
    for (const auto& command : ctx_.commands().all()) {
        addCommand(command.name.c_str(), [this, run = command.run] { run(*this); });
    }
}

bool frmBrowser::runCommand(const Glib::ustring& action, const Glib::VariantBase& parameter) {
    Glib::RefPtr<Gio::Action> a = lookup_action(action);
    if (!a || !a->get_enabled()) return false;
    if (parameter.gobj()) {
        a->activate(parameter);
    } else {
        a->activate();
    }
    return true;
}

void frmBrowser::labelShortcuts() {
    Glib::RefPtr<Gtk::Application> app = get_application();
    if (!app) return;
    for (const auto& object : builder_->get_objects()) {
        auto* item = dynamic_cast<Gtk::MenuItem*>(object.get());
        if (!item) continue;
        const gchar* name = gtk_actionable_get_action_name(GTK_ACTIONABLE(item->gobj()));
        auto* label = dynamic_cast<Gtk::AccelLabel*>(item->get_child());
        if (!name || !label) continue;
        auto accels = app->get_accels_for_action(name);
        if (accels.empty()) continue;
        guint key = 0;
        GdkModifierType mods{};
        gtk_accelerator_parse(accels.front().c_str(), &key, &mods);
        label->set_accel(key, static_cast<Gdk::ModifierType>(mods));
    }
}

void frmBrowser::focusAddressBox() {
    Gtk::Entry* entry = cboAddress->get_entry();
    entry->grab_focus();
    entry->select_region(0, -1);
}

void frmBrowser::stepTextSize(int step) {
    current_->stepTextSize(step);
}

}  // namespace larkspan
