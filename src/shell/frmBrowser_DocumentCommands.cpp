// The main window's edit, file and view commands: each is passed to the page engine. The
// edit commands act only while the page is the window's active control; the text-size
// ticks and the script-error switch are read back from the engine and the options.
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

// The commands whose shortcuts a focused text box or the find bar sees before the window
// does: a box's own clipboard keys keep working while the page is not the active control,
// and Escape closes the find bar rather than stopping the page.
constexpr const char* kBoxFirstActions[] = {"win.cut",  "win.copy",       "win.paste",
                                            "win.undo", "win.select-all", "win.stop"};

// Ctrl+A: "select all" in every text field, the page's own ones included, whatever command
// the window gives the key elsewhere.
bool isSelectAllKey(const GdkEventKey* event) {
    return gdk_keyval_to_lower(event->keyval) == GDK_KEY_a &&
           (event->state & gtk_accelerator_get_default_mod_mask()) == GDK_CONTROL_MASK;
}

}  // namespace

void frmBrowser::connectDocumentCommands() {
    undoAction_ = addCommand("undo", [this] { mnuEditUndo_Click(); });
    addCommand("cut", [this] { mnuEditCut_Click(); });
    addCommand("copy", [this] { mnuEditCopy_Click(); });
    addCommand("paste", [this] { mnuEditPaste_Click(); });
    addCommand("select-all", [this] { mnuEditSelectAll_Click(); });
    addCommand("find", [this] { mnuEditFind_Click(); });

    addCommand("save-as", [this] { mnuFileSavePageAs_Click(); });
    addCommand("page-setup", [this] { mnuFilePageSetup_Click(); });
    addCommand("print-preview", [this] { mnuFilePrintPreview_Click(); });
    addCommand("properties", [this] { mnuFileProperties_Click(); });

    textSizeAction_ = add_action_radio_integer(
        "text-size", [this](int index) { mnuViewFontSize_Click(index); }, 2);
    suppressAction_ = add_action_bool(
        "suppress-script-errors", [this] { mnuToolsSuppressScriptErrors_Click(); }, false);

    // The Edit menu, the Tools menu and its Text Size submenu refresh as they open.
    Gtk::Menu* menu = nullptr;
    builder_->get_widget("mnuEdit_menu", menu);
    if (menu) menu->signal_show().connect(sigc::mem_fun(*this, &frmBrowser::mnuEdit_Click));
    for (const char* name : {"mnuView_menu", "mnuViewTextSize_menu"}) {
        builder_->get_widget(name, menu);
        if (menu) menu->signal_show().connect(sigc::mem_fun(*this, &frmBrowser::mnuView_Click));
    }

    builder_->get_widget_derived("FindBar", findBar_);
    findBar_->follow(*current_);
}

bool frmBrowser::engineIsActiveControl() {
    return gtk_window_get_focus(GTK_WINDOW(gobj())) == engine().widget().gobj();
}

bool frmBrowser::keyGoesToFocusedBoxFirst(const GdkEventKey* event) {
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(gobj()));
    if (!focus) return false;
    if (focus == engine().widget().gobj())
        return isSelectAllKey(event) && engine().editableFocused();
    if (isSelectAllKey(event)) return GTK_IS_EDITABLE(focus);
    if (!GTK_IS_EDITABLE(focus) && !gtk_widget_is_ancestor(focus, GTK_WIDGET(findBar_->gobj()))) {
        return false;
    }
    Glib::RefPtr<Gtk::Application> app = get_application();
    if (!app) return false;
    guint mask = gtk_accelerator_get_default_mod_mask();
    for (const char* action : kBoxFirstActions) {
        for (const auto& accel : app->get_accels_for_action(action)) {
            guint key = 0;
            GdkModifierType mods{};
            gtk_accelerator_parse(accel.c_str(), &key, &mods);
            if (key != 0 && gdk_keyval_to_lower(event->keyval) == gdk_keyval_to_lower(key) &&
                (event->state & mask) == static_cast<guint>(mods)) {
                return true;
            }
        }
    }
    return false;
}

void frmBrowser::mnuEdit_Click() {
    undoAction_->set_enabled(engineIsActiveControl());
}

void frmBrowser::mnuEditUndo_Click() {
    if (engineIsActiveControl()) engine().undo();
}

void frmBrowser::mnuEditCut_Click() {
    if (engineIsActiveControl()) engine().cut();
}

void frmBrowser::mnuEditCopy_Click() {
    if (engineIsActiveControl()) engine().copy();
}

void frmBrowser::mnuEditPaste_Click() {
    if (engineIsActiveControl()) engine().paste();
}

void frmBrowser::mnuEditSelectAll_Click() {
    if (engineIsActiveControl()) engine().selectAll();
}

void frmBrowser::mnuEditFind_Click() {
    // The engine has no find dialog of its own: the window's find bar searches it.
    findBar_->open();
}

void frmBrowser::mnuFileSavePageAs_Click() {
    engine().saveAs();
}

void frmBrowser::mnuFilePageSetup_Click() {
    engine().pageSetup();
}

void frmBrowser::mnuFilePrint_Click() {
    engine().print();
}

void frmBrowser::mnuFilePrintPreview_Click() {
    engine().printPreview();
}

void frmBrowser::mnuFileProperties_Click() {
    engine().properties([this](const PageProperties& properties) {
        if (!propertiesWindow_) propertiesWindow_ = PagePropertiesWindow::create(this);
        propertiesWindow_->showProperties(properties);
    });
}

void frmBrowser::mnuView_Click() {
    // A failed query leaves the ticks as they are.
    if (std::optional<int> level = engine().zoomLevel()) {
        textSizeAction_->change_state(Glib::Variant<gint32>::create(*level));
    }
}

void frmBrowser::mnuViewFontSize_Click(int index) {
    page().chooseTextSize(index);
    mnuView_Click();
}

bool frmBrowser::suppressScriptErrorsTick() const {
    bool tick = false;
    suppressAction_->get_state(tick);
    return tick;
}

void frmBrowser::setSuppressScriptErrorsTick(bool tick) {
    // The menu item follows the action's state; setting the state runs no command.
    suppressAction_->change_state(Glib::Variant<bool>::create(tick));
}

void frmBrowser::mnuToolsSuppressScriptErrors_Click() {
    bool tick = !suppressScriptErrorsTick();
    setSuppressScriptErrorsTick(tick);
    engine().setSilent(tick);
    // The tick is an option, stored at once.
    OptionsModel& o = ctx_.options();
    o.setFlag(OptionId::SuppressScriptErrors, tick);
    o.writeNow(ctx_.settings(), OptionId::SuppressScriptErrors);
}

}  // namespace larkspan
