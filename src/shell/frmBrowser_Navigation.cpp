// The main window's address box, toolbar, Back and Forward, File > Open and the commands
// that open other windows.
#include <gio/gio.h>

#include <algorithm>

#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "common/StoredValue.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/Guards.hpp"
#include "shell/MailLink.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

namespace {

// Appends a text entry to one of the toolbar's drop-down lists. Choosing an entry does
// nothing: the lists are a record of where the window has been.
void appendToMenu(Gtk::Menu* menu, const std::string& text) {
    if (!menu) return;
    auto* item = Gtk::make_managed<Gtk::MenuItem>(text);
    item->show();
    menu->append(*item);
}

}  // namespace

void frmBrowser::connectNavigation() {
    Gtk::Entry* entry = cboAddress->get_entry();
    // Enter runs the navigation first and the list handling second, as one key.
    entry->signal_key_press_event().connect(
        [this](GdkEventKey* event) {
            guint key = event->keyval;
            if (key == GDK_KEY_Return || key == GDK_KEY_KP_Enter || key == GDK_KEY_ISO_Enter) {
                cboAddress_KeyDown(13);
                cboAddress_KeyPress(13);
                return true;
            }
            if (key == GDK_KEY_BackSpace) {
                cboAddress_KeyPress(8);
            } else if (gunichar c = gdk_keyval_to_unicode(key); c != 0) {
                cboAddress_KeyPress(static_cast<int>(c));
            }
            return false;
        },
        false);
    cboAddress->signal_changed().connect([this] {
        if (!settingAddress_ && cboAddress->get_active_row_number() >= 0) cboAddress_Click();
    });
    Timer1.signalTimer.connect(sigc::mem_fun(*this, &frmBrowser::Timer1_Timer));

    auto onClick = [this](const char* name, const std::string& caption) {
        Gtk::ToolButton* button = nullptr;
        builder_->get_widget(name, button);
        if (button) {
            button->signal_clicked().connect([this, caption] { Toolbar1_ButtonClick(caption); });
        }
    };
    onClick("Toolbar1_Back", "Back");
    onClick("Toolbar1_Forward", "Forward");
    onClick("Toolbar1_Stop", "Stop");
    onClick("Toolbar1_Refresh", "Refresh");
    onClick("Toolbar1_Home", "Home");
    onClick("Toolbar1_Favorites", "Favorites");
    onClick("Toolbar1_History", "History");
    onClick("Toolbar1_Email", "Email");
    onClick("Toolbar1_Print", "Print");
    onClick("Toolbar1_Options", "Options");

    auto onEntry = [this](const char* name, const std::string& key) {
        Gtk::MenuItem* item = nullptr;
        builder_->get_widget(name, item);
        if (item) item->signal_activate().connect([this, key] { Toolbar1_ButtonMenuClick(key); });
    };
    onEntry("Toolbar1_AddToFavorites", "Add To Favorites");
    onEntry("Toolbar1_ViewFavorites", "View Favorites");
    onEntry("Toolbar1_CheckMail", "C Mail");
    onEntry("Toolbar1_SendMail", "S Mail");

    connectItem("mnuBack", &frmBrowser::mnuBack_Click);
    connectItem("mnuForward", &frmBrowser::mnuForward_Click);
    connectItem("mnuOpen", &frmBrowser::mnuOpen_Click);
    connectItem("mnuToolsOptions", &frmBrowser::mnuToolsOptions_Click);
}

void frmBrowser::LoadAddressList() {
    std::vector<std::string>& list = addressLogic_.list();
    list.clear();
    settingAddress_ = true;
    cboAddress->remove_all();
    // Clearing the list empties the box as well.
    cboAddress->get_entry()->set_text("");
    larkspan::LoadAddressList(listfile::historyFilePath(), list);
    for (const auto& address : list) cboAddress->append(address);
    settingAddress_ = false;
}

void frmBrowser::clearAddressList() {
    settingAddress_ = true;
    addressLogic_.list().clear();
    cboAddress->remove_all();
    settingAddress_ = false;
}

void frmBrowser::cboAddress_KeyDown(int keyCode) {
    std::string text = cboAddress->get_entry()->get_text();
    switch (addressLogic_.keyDown(keyCode, text, locks::webLocked(ctx_))) {
        case AddressBoxLogic::EnterAction::Guard:
            locks::showLockDialog(ctx_, locks::Unlock::EnableBrowser);
            break;
        case AddressBoxLogic::EnterAction::Navigate:
            engine_->navigate(text);
            engine_->grabFocus();
            break;
        case AddressBoxLogic::EnterAction::None:
            break;
    }
}

void frmBrowser::cboAddress_KeyPress(int charCode) {
    std::string text = cboAddress->get_entry()->get_text();
    auto historyOn = [this] {
        // The store's "History", defaulting to the options' "Save History".
        bool def = ctx_.options().History;
        auto v = stored::toBool(ctx_.settings().read("Settings", "History", stored::truth(def)));
        return v.value_or(def);
    };
    auto outcome = addressLogic_.keyPress(charCode, text, historyOn);
    if (outcome.addedToList) {
        settingAddress_ = true;
        cboAddress->append(text);
        settingAddress_ = false;
    }
    if (outcome.appendToHistory) AppendAddressToHistory(listfile::historyFilePath(), text);
    Timer1.setEnabled(addressLogic_.timerEnabled());
}

void frmBrowser::Timer1_Timer() {
    Gtk::Entry* entry = cboAddress->get_entry();
    auto completed = addressLogic_.timerTick(entry->get_text().raw());
    Timer1.setEnabled(false);
    if (!completed) return;
    settingAddress_ = true;
    entry->set_text(completed->text);
    entry->select_region(completed->selectionStart,
                         completed->selectionStart + completed->selectionLength);
    settingAddress_ = false;
}

void frmBrowser::cboAddress_Click() {
    engine_->navigate(cboAddress->get_entry()->get_text());
    engine_->grabFocus();
}

// Back and Forward note the page they leave in the other button's drop-down list, once.
void frmBrowser::recordLocation(std::vector<std::string>& list, const char* menuName) {
    std::string here = engine_->locationURL();
    if (std::find(list.begin(), list.end(), here) != list.end()) return;
    list.push_back(here);
    Gtk::Menu* menu = nullptr;
    builder_->get_widget(menuName, menu);
    appendToMenu(menu, here);
}

void frmBrowser::mnuBack_Click() {
    recordLocation(forwardList_, "Toolbar1_ForwardList");
    engine_->goBack();
}

void frmBrowser::mnuForward_Click() {
    recordLocation(backList_, "Toolbar1_BackList");
    engine_->goForward();
}

void frmBrowser::showShared(const std::string& name) {
    Gtk::Window* w = ctx_.windows().touch(name);
    if (!w) return;
    w->set_transient_for(*this);
    w->present();
}

void frmBrowser::Toolbar1_ButtonClick(const std::string& caption) {
    if (caption == "Back") {
        mnuBack_Click();
    } else if (caption == "Forward") {
        mnuForward_Click();
    } else if (caption == "Stop") {
        engine_->stop();
    } else if (caption == "Refresh") {
        engine_->refresh();
    } else if (caption == "Home") {
        engine_->navigate(ctx_.settings().read("Settings", "Homepage", ctx_.options().Text1));
    } else if (caption == "Favorites") {
        Toolbar1_ButtonMenuClick("View Favorites");
    } else if (caption == "History") {
        if (locks::historyLocked(ctx_)) {
            locks::showLockDialog(ctx_, locks::Unlock::UnlockHis, "Unlock History");
        } else {
            showShared("frmHistory");
        }
    } else if (caption == "Print") {
        engine_->print();
    } else if (caption == "Options") {
        if (locks::optionsLocked(ctx_)) {
            locks::showLockDialog(ctx_, locks::Unlock::UnlockOpt, "Unlock Options");
        } else {
            showOptionsDialog(ctx_);
        }
    }
}

void frmBrowser::Toolbar1_ButtonMenuClick(const std::string& key) {
    if (key == "View Favorites") {
        if (locks::favoritesLocked(ctx_)) {
            locks::showLockDialog(ctx_, locks::Unlock::UnlockFav);
        } else {
            showShared("frmFavorites");
        }
    } else if (key == "C Mail") {
        if (locks::emailLocked(ctx_)) {
            locks::showLockDialog(ctx_, locks::Unlock::EnableEmailRead, "Unlock Check Mail");
            return;
        }
        // The user's mail reader: the default handler of "mailto" addresses, started
        // without an address so it opens its inbox.
        if (GAppInfo* reader = g_app_info_get_default_for_uri_scheme("mailto")) {
            g_app_info_launch(reader, nullptr, nullptr, nullptr);
            g_object_unref(reader);
        }
    } else if (key == "S Mail") {
        if (locks::emailLocked(ctx_)) {
            locks::showLockDialog(ctx_, locks::Unlock::EnableEmailSend, "Unlock Send Mail");
            return;
        }
        if (auto link = askMailLink(this)) engine_->navigate(*link);
    }
}

void frmBrowser::mnuOpen_Click() {
    const std::vector<Dialogs::FileFilter> filters{
        {"Web page (*.htm;*.html)", {"*.htm", "*.html"}},
        {"Supported image formats",
         {"*.gif", "*.tif", "*.pcd", "*.jpg", "*.wmf", "*.tga", "*.jpeg", "*.ras", "*.png", "*.eps",
          "*.bmp", "*.pcx"}},
        {"Text formats (*.txt;*.doc)", {"*.txt", "*.doc"}},
        {"All files (*.*)", {"*"}},
    };
    auto file = dialogs().openFile(this, "Open", filters);
    if (!file || file->empty()) return;
    queue_draw();
    engine_->navigate(*file);
    settingAddress_ = true;
    cboAddress->get_entry()->set_text(*file);
    addressLogic_.list().push_back(*file);
    cboAddress->append(*file);
    settingAddress_ = false;
}

void frmBrowser::mnuToolsOptions_Click() {
    Toolbar1_ButtonClick("Options");
}

}  // namespace larkspan
