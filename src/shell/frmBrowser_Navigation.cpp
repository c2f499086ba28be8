// The main window's address box, toolbar, Back and Forward, File > Open and the commands
// that open other windows.
#include <algorithm>
#include <map>

#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "common/StoredValue.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/Guards.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

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
    // The web lock is the guard table's to apply: it holds typed navigation back.
    if (addressLogic_.keyDown(keyCode, text, false) != AddressBoxLogic::EnterAction::Navigate) {
        return;
    }
    if (locks::holdBack(ctx_, "address-enter")) return;
    engine_->navigate(text);
    engine_->grabFocus();
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

// The toolbar's buttons and drop-down entries run the window's commands.
void frmBrowser::Toolbar1_ButtonClick(const std::string& caption) {
    static const std::map<std::string, const char*> commands{
        {"Back", "back"},       {"Forward", "forward"}, {"Stop", "stop"},
        {"Refresh", "refresh"}, {"Home", "home"},       {"Favorites", "favorites"},
        {"History", "history"}, {"Print", "print"},     {"Options", "toolbar-options"},
    };
    if (auto it = commands.find(caption); it != commands.end()) runCommand(it->second);
}

void frmBrowser::Toolbar1_ButtonMenuClick(const std::string& key) {
    static const std::map<std::string, const char*> commands{
        {"Add To Favorites", "add-favorite"},
        {"View Favorites", "favorites"},
        {"C Mail", "check-mail"},
        {"S Mail", "send-mail"},
    };
    if (auto it = commands.find(key); it != commands.end()) runCommand(it->second);
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
    runCommand("options");
}

}  // namespace larkspan
