// The main window's address box, toolbar, Back and Forward, File > Open and the commands
// that open other windows.
#include <algorithm>
#include <map>

#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/Guards.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

// The Back and Forward drop-down menus show the nearest this many pages; the engine's
// history itself may hold more.
constexpr std::size_t kMaxHistoryMenuItems = 25;

// Fills one of the toolbar's drop-down lists with the pages that way, the nearest first;
// choosing the n-th entry goes n pages that way at once.
void fillHistoryMenu(Gtk::Menu* menu, const std::vector<HistoryEntry>& entries, int direction,
                     PageEngine& engine) {
    if (!menu) return;
    for (Gtk::Widget* item : menu->get_children()) gtk_widget_destroy(item->gobj());
    const std::size_t count = std::min(entries.size(), kMaxHistoryMenuItems);
    for (std::size_t i = 0; i < count; ++i) {
        const HistoryEntry& entry = entries[i];
        auto* item = Gtk::make_managed<Gtk::MenuItem>(entry.address);
        if (!entry.title.empty() && entry.title != entry.address) {
            item->set_tooltip_text(entry.title);
        }
        const int steps = direction * static_cast<int>(i + 1);
        item->signal_activate().connect([&engine, steps] { engine.goToHistory(steps); });
        item->show();
        menu->append(*item);
    }
}

// A drop-down tool button's arrow can only be opened while its menu has entries. GTK
// offers no call for the arrow alone: it is the toggle button beside the main button.
void setArrowSensitive(Gtk::MenuToolButton* button, bool sensitive) {
    if (!button) return;
    auto* box = dynamic_cast<Gtk::Container*>(button->get_child());
    if (!box) return;
    for (Gtk::Widget* part : box->get_children()) {
        if (dynamic_cast<Gtk::ToggleButton*>(part)) part->set_sensitive(sensitive);
    }
}

}  // namespace

void frmBrowser::WebBrowser1_HistoryChange() {
    Gtk::Menu* menu = nullptr;
    builder_->get_widget("Toolbar1_BackList", menu);
    const std::vector<HistoryEntry> back = engine().backHistory();
    fillHistoryMenu(menu, back, -1, engine());
    builder_->get_widget("Toolbar1_ForwardList", menu);
    const std::vector<HistoryEntry> forward = engine().forwardHistory();
    fillHistoryMenu(menu, forward, 1, engine());
    setArrowSensitive(widget<Gtk::MenuToolButton>("Toolbar1_Back"), !back.empty());
    setArrowSensitive(widget<Gtk::MenuToolButton>("Toolbar1_Forward"), !forward.empty());
}

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
            bool command = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0;
            if (auto code = addressKeyPressCode(key, command)) cboAddress_KeyPress(*code);
            return false;
        },
        false);
    cboAddress->signalChosen.connect(sigc::mem_fun(*this, &frmBrowser::cboAddress_Click));
    Timer1.signalTimer.connect(sigc::mem_fun(*this, &frmBrowser::Timer1_Timer));
}

void frmBrowser::LoadAddressList() {
    // Clearing the list empties the box as well.
    cboAddress->get_entry()->set_text("");
    // The list is shared by every main window: read once, in one pass, and kept up to
    // date by the windows themselves from then on.
    AddressList& list = addressLogic_.list();
    if (!list.loaded()) list.load(listfile::historyFilePath());
}

void frmBrowser::cboAddress_KeyDown(int keyCode) {
    std::string text = cboAddress->get_entry()->get_text();
    // The web lock is the guard table's to apply: it holds typed navigation back.
    if (addressLogic_.keyDown(keyCode, text, false) != AddressBoxLogic::EnterAction::Navigate) {
        return;
    }
    // Held back, the lock dialog navigates to what the box holds once it is unlocked.
    auto go = [this] {
        page().expectTypedArrival();
        engine().navigate(cboAddress->get_entry()->get_text());
        engine().grabFocus();
    };
    if (locks::holdBack(ctx_, "address-enter", this, go)) return;
    go();
}

void frmBrowser::cboAddress_KeyPress(int charCode) {
    std::string text = cboAddress->get_entry()->get_text();
    auto historyOn = [this] { return ctx_.options().saveHistory; };
    // A private window leaves no typed address behind, in the list or in the file.
    auto outcome = addressLogic_.keyPress(charCode, text, historyOn, !private_);
    if (outcome.appendToHistory) AppendTypedAddress(listfile::historyFilePath(), text);
    Timer1.setEnabled(addressLogic_.timerEnabled());
}

void frmBrowser::Timer1_Timer() {
    Gtk::Entry* entry = cboAddress->get_entry();
    auto completed = addressLogic_.timerTick(entry->get_text().raw());
    Timer1.setEnabled(false);
    if (!completed) return;
    entry->set_text(completed->text);
    entry->select_region(completed->selectionStart,
                         completed->selectionStart + completed->selectionLength);
}

void frmBrowser::cboAddress_Click() {
    page().expectTypedArrival();
    engine().navigate(cboAddress->get_entry()->get_text());
    engine().grabFocus();
}

void frmBrowser::mnuBack_Click() {
    engine().goBack();
}

void frmBrowser::mnuForward_Click() {
    engine().goForward();
}

// The toolbar's buttons and drop-down entries run the window's commands.
void frmBrowser::Toolbar1_ButtonClick(const std::string& caption) {
    static const std::map<std::string, const char*> commands{
        {"Back", "back"},       {"Forward", "forward"},
        {"Stop", "stop"},       {"Refresh", "refresh"},
        {"Home", "home"},       {"Favorites", "favorites"},
        {"History", "history"}, {"Email", "check-mail"},
        {"Print", "print"},     {"Options", "toolbar-options"},
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
    dialogs().openFile(
        this, "Open", filters,
        whileAlive<std::optional<std::string>>(*this, [this](std::optional<std::string> file) {
            if (!file || file->empty()) return;
            queue_draw();
            engine().navigate(*file);
            cboAddress->get_entry()->set_text(*file);
            addressLogic_.list().append(*file);
        }));
}

}  // namespace larkspan
