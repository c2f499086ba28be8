// The options dialog's creation, syncing from the model, and its make/find/show functions.
#include "shell/frmOptions.hpp"
#include "common/BuiltWindow.hpp"

#include "BuildConfig.hpp"
#include "common/MakerSite.hpp"
#include "common/StoredValue.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "settings/OptionDecls.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptionsInternal.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmOptions.ui";

std::string versionCaption() {
    return "Larkspan [Ver " + std::to_string(build::kVersionMajor) + "." +
           std::to_string(build::kVersionMinor) + "." + std::to_string(build::kVersionRevision) +
           "]";
}

}  // namespace

// ---- Creation ---------------------------------------------------------------------------

frmOptions::frmOptions(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                       ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder) {
    // The system colours stand for the desktop theme's button colours.
    scheme::readSystemColors();

    auto get = [this](const char* name, auto*& target) { builder_->get_widget(name, target); };
    auto derived = [this](const char* name, auto*& target) {
        builder_->get_widget_derived(name, target);
    };
    get("List1", List1);
    derived("BApply", BApply);
    derived("CloseB", CloseB);
    get("Larkspanlbl", Larkspanlbl);

    get("WebAddress", WebAddress);
    derived("command8", command8);
    get("Label2", Label2);
    derived("Command6", Command6);
    derived("Command7", Command7);
    get("Label1", Label1);
    get("lblFontName", lblFontName);

    get("HistoryLst", HistoryLst);
    get("History", History);
    derived("Command3", Command3);
    derived("Command4", Command4);

    get("Homepage", Homepage);
    get("Text1", Text1);
    derived("SetHP", SetHP);
    derived("DefualtHP", DefualtHP);
    derived("CP", CP);
    get("cboSite", cboSite);

    get("Layout", Layout);
    get("Button1", Button1);
    get("Button2", Button2);
    get("Button3", Button3);
    get("Button4", Button4);
    get("Button5", Button5);
    get("lblFontColor", lblFontColor);
    get("lblHFontColor", lblHFontColor);
    get("lblBackColor", lblBackColor);
    get("lblHBackcolor", lblHBackcolor);
    get("lblProgramBG", lblProgramBG);
    get("lblProgramFC", lblProgramFC);
    derived("Example", Example);
    derived("RestoreB", RestoreB);

    get("Misc", Misc);
    get("CheckUpdate", CheckUpdate);
    get("Check1", Check1);
    get("Minimize", Minimize);
    get("SuppressErrors", SuppressErrors);

    get("PassLock", PassLock);
    derived("Enable", Enable);
    get("Frame13", Frame13);
    get("LockBrowser", LockBrowser);
    get("LockFavorites", LockFavorites);
    get("LockFavorites1", LockFavorites1);
    get("LockEmail", LockEmail);
    get("LockHistory", LockHistory);
    get("LockOptions", LockOptions);
    derived("ChgPass", ChgPass);
    derived("ApplyChgs", ApplyChgs);

    get("Privacy", Privacy);
    get("Option1", Option1);
    get("Option2", Option2);
    get("Option30", Option30);
    get("Option3", Option3);
    get("Check2", Check2);
    get("BlockedLog", BlockedLog);
    derived("ViewLog", ViewLog);
    get("Combo2", Combo2);
    get("Label25", Label25);
    get("Label5", Label5);

    get("Progressbar", Progressbar);
    derived("PBo1", PBo1);
    derived("PBo2", PBo2);
    derived("PB", PB);
    get("PBForeColor", PBForeColor);
    derived("ShowFont", ShowFont);

    pageList_ = Glib::RefPtr<Gtk::ListStore>::cast_dynamic(builder_->get_object("List1_store"));

    // Captions and kinds of the styled buttons.
    const std::pair<StyledButton*, const char*> captions[] = {{BApply, "Apply"},
                                                              {CloseB, "Cancel"},
                                                              {command8, "Change"},
                                                              {Command6, "Font"},
                                                              {Command7, "Change"},
                                                              {Command3, "Clear History"},
                                                              {Command4, "View"},
                                                              {SetHP, "Set"},
                                                              {DefualtHP, "Default"},
                                                              {CP, "Current Page"},
                                                              {Example, "Example"},
                                                              {RestoreB, "Restore"},
                                                              {Enable, "Unlock"},
                                                              {ChgPass, "Change Password"},
                                                              {ApplyChgs, "Apply Changes"},
                                                              {ViewLog, "View Log"},
                                                              {PBo1, "Smooth"},
                                                              {PBo2, "Standard"},
                                                              {ShowFont, "Yes"}};
    for (const auto& [button, caption] : captions) button->setCaption(caption);
    PBo1->setButtonType(1);
    PBo2->setButtonType(1);
    ShowFont->setButtonType(1);
    Example->setUseCustomColors(true);
    for (auto entry : OptionsModel::siteEntries()) cboSite->append(std::string(entry));

    // The load: the dialog's buttons take the sample's looks, the controls the model's
    // values. The load's own fills leave "Apply" enabled (the design style choice reads
    // back as clicked), "Set" enabled when the stored home page replaced the design one,
    // and "Restore" enabled unless the scheme is the default one.
    takeSampleLooks();
    syncFromModel();
    Larkspanlbl->set_text(versionCaption());
    Combo2->set_active_text(model().popupTarget);
    BApply->setEnabled(true);
    SetHP->setEnabled(model().homePage != site::kHome);
    RestoreB->setEnabled(!model().swatchesAtDefaults());
    Enable->setCaption("Unlock");
    Frame13->set_sensitive(false);
    connectSignals();
    model().signalChanged().connect(sigc::mem_fun(*this, &frmOptions::optionChanged));

    // The first page shows until another entry is clicked.
    if (auto first = pageList_->children().begin()) List1->get_selection()->select(first);
    showPage(std::string(OptionsModel::pages().front().entry));
}

frmOptions::~frmOptions() {
    *alive_ = false;
    activeConn_.disconnect();
}

OptionsModel& frmOptions::model() {
    return ctx_.options();
}

Gtk::Widget* frmOptions::control(const Glib::ustring& name) const {
    Gtk::Widget* w = nullptr;
    builder_->get_widget(name, w);
    return w;
}

void frmOptions::takeSampleLooks() {
    // Each "Apply" gives these buttons the scheme's colours and the sample's style.
    for (StyledButton* b :
         {CloseB, BApply, DefualtHP, SetHP, RestoreB, Command3, Command4, Command6, Command7,
          command8, PBo1, PBo2, ChgPass, ApplyChgs, Enable, CP, ShowFont, ViewLog}) {
        scheme::followButtonLook(ctx_, *b, true);
    }
}

void frmOptions::syncFromModel() {
    const OptionsModel& m = model();
    bool wasSyncing = syncing_;
    syncing_ = true;

    // Every control that shows an option, as the option's declaration names it.
    for (const OptionDecl& d : optionDecls()) {
        if (d.control.empty()) continue;
        Gtk::Widget* w = control(Glib::ustring(d.control.data(), d.control.size()));
        std::string text = d.storedText(m);
        if (auto* choice = dynamic_cast<Gtk::RadioButton*>(w); choice && d.choice) {
            if (stored::toBool(text).value_or(false)) choice->set_active(true);
        } else if (auto* box = dynamic_cast<Gtk::CheckButton*>(w)) {
            box->set_active(stored::toBool(text).value_or(false));
        } else if (auto* entry = dynamic_cast<Gtk::Entry*>(w)) {
            if (entry->get_text() != text) entry->set_text(text);
        } else if (auto* label = dynamic_cast<Gtk::Label*>(w)) {
            label->set_text(text);
        } else if (auto* list = dynamic_cast<Gtk::ComboBoxText*>(w)) {
            if (text.empty()) {
                list->set_active(-1);
            } else {
                list->set_active_text(text);
            }
        } else if (auto* swatch = dynamic_cast<Gtk::Button*>(w)) {
            if (auto c = stored::toColor(text)) showSwatch(*swatch, *c);
        }
    }
    LockFavorites1->set_active(lockFavoritesHidden_);
    if (Combo2->get_active_text() != m.popupTarget) Combo2->set_active_text(m.popupTarget);
    showBackSwatchesEnabled(m.backSwatchesEnabled());
    applyLook(*Example, m.sampleLook());

    PB->setValue(100);
    PB->setScrolling(m.scrollStyle);
    PB->setShowText(m.showPercent);
    PB->setColor(m.progressColor);
    ShowFont->setValue(m.showPercent);
    // Said from the state, whatever caption an older version stored with it.
    ShowFont->setCaption(percentToggleCaption(m.showPercent));
    PBo1->setValue(m.scrollStyle == 1);
    PBo2->setValue(m.scrollStyle == 0);
    syncing_ = wasSyncing;
}

void frmOptions::optionChanged(OptionId id, OptionsModel::Cause cause) {
    if (!syncing_) syncFromModel();
    if (cause != OptionsModel::Cause::Edited) return;
    // The engine box wears the address box's colours and font once they are chosen.
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

void frmOptions::showSwatch(Gtk::Button& swatch, ColorValue c) {
    style::setBackground(swatch, c);
}

void frmOptions::showBackSwatchesEnabled(bool enabled) {
    // A swatch keeps its colour while disabled; it fades so that the state shows.
    for (Gtk::Button* swatch : {lblBackColor, lblHBackcolor}) {
        swatch->set_sensitive(enabled);
        swatch->set_opacity(enabled ? 1.0 : 0.4);
    }
}

void frmOptions::markDirty() {
    BApply->setEnabled(true);
}

// ---- Factory -------------------------------------------------------------------------

std::unique_ptr<Gtk::Window> makeOptionsDialog(ShellContext& context) {
    return buildWindow<frmOptions>(kResource, "frmOptions", context);
}

frmOptions* findOptionsDialog(ShellContext& context) {
    return dynamic_cast<frmOptions*>(context.windows().find("frmOptions"));
}

frmOptions* showOptionsDialog(ShellContext& app) {
    auto* dialog = dynamic_cast<frmOptions*>(app.windows().touch("frmOptions"));
    if (!dialog) return nullptr;
    if (Gtk::Window* owner = app.ownerWindow()) dialog->set_transient_for(*owner);
    dialog->present();
    return dialog;
}

}  // namespace larkspan
