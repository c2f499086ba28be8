#include "settings/frmOptions.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/Application.hpp"
#include "common/Dialogs.hpp"
#include "common/ListFile.hpp"
#include "common/MakerSite.hpp"
#include "common/StoredValue.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "controls/StyledProgressBar.hpp"
#include "locks/Guards.hpp"
#include "settings/ColorScheme.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmOptions.ui";
constexpr ColorValue kLinkHover = packRgb(0, 0, 255);
// The face "Smooth" and "Standard" give each other when one is pressed.
constexpr ColorValue kReleasedFace = 14215660;

const std::vector<frmBrowser*>& mainWindows() {
    return Application::instance().browsers();
}

// Replaces the history file by an empty one (mode 0600, like every list file).
bool createEmptyFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

}  // namespace

// ---- Creation ---------------------------------------------------------------------------

frmOptions::frmOptions(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder)
    : Gtk::Window(cobject), builder_(builder) {
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
                                                              {DefualtHP, "Defualt"},
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
    // values.
    takeSampleLooks();
    syncFromModel();
    connectSignals();

    // The first page shows until another entry is clicked.
    if (auto first = pageList_->children().begin()) List1->get_selection()->select(first);
    showPage(std::string(OptionsModel::pages().front().entry));
}

frmOptions::~frmOptions() {
    *alive_ = false;
    activeConn_.disconnect();
}

OptionsModel& frmOptions::model() {
    return Application::instance().options();
}

Gtk::Widget* frmOptions::control(const Glib::ustring& name) const {
    Gtk::Widget* w = nullptr;
    builder_->get_widget(name, w);
    return w;
}

void frmOptions::takeSampleLooks() {
    for (StyledButton* b :
         {CloseB, BApply, DefualtHP, SetHP, RestoreB, Command3, Command4, Command6, Command7,
          command8, PBo1, PBo2, ChgPass, ApplyChgs, Enable, CP, ShowFont, ViewLog}) {
        scheme::takeSampleLook(*b);
    }
}

void frmOptions::syncFromModel() {
    OptionsModel& m = model();
    syncing_ = true;

    Text1->set_text(m.Text1);
    SetHP->setEnabled(m.SetHP_Enabled);
    if (m.cboSite.empty()) {
        cboSite->set_active(-1);
    } else {
        cboSite->set_active_text(m.cboSite);
    }

    History->set_active(m.History);
    CheckUpdate->set_active(m.CheckUpdate);
    Check1->set_active(m.Check1);
    Minimize->set_active(m.Minimize);
    SuppressErrors->set_active(m.SuppressErrors);

    LockBrowser->set_active(m.LockBrowser);
    LockFavorites->set_active(m.LockFavorites);
    LockFavorites1->set_active(m.LockFavorites1);
    LockEmail->set_active(m.LockEmail);
    LockHistory->set_active(m.LockHistory);
    LockOptions->set_active(m.LockOptions);
    Frame13->set_sensitive(m.LockablesEnabled);
    Enable->setCaption(m.EnableCaption);

    switch (m.popupMode) {
        case OptionsModel::PopupMode::AskMe:
            Option1->set_active(true);
            break;
        case OptionsModel::PopupMode::Allow:
            Option2->set_active(true);
            break;
        case OptionsModel::PopupMode::BlockAndAlert:
            Option30->set_active(true);
            break;
        case OptionsModel::PopupMode::Block:
            Option3->set_active(true);
            break;
    }
    Check2->set_active(m.Check2);
    BlockedLog->set_active(m.BlockedLog);
    Combo2->set_active_text(m.Combo2);
    Label25->set_text(m.Label25);

    lblFontName->set_text(m.lblFontName);
    Gtk::RadioButton* choices[] = {Button1, Button2, Button3, Button4, Button5};
    if (m.selectedStyleChoice >= 0 && m.selectedStyleChoice < 5) {
        choices[m.selectedStyleChoice]->set_active(true);
    }
    showSwatches();
    applyLook(*Example, m.Example);

    PB->setValue(m.samplePBValue);
    PB->setScrolling(m.samplePBScrolling);
    PB->setShowText(m.samplePBShowText);
    PB->setColor(m.samplePBColor);
    ShowFont->setValue(m.ShowFont);
    ShowFont->setCaption(m.ShowFontCaption);
    PBo1->setValue(m.PBo1);
    PBo2->setValue(m.PBo2);

    Larkspanlbl->set_text(m.Larkspanlbl);
    updateApply();
    updateRestore();
    syncing_ = false;
}

void frmOptions::showSwatch(Gtk::Button& swatch, ColorValue c) {
    style::setBackground(swatch, c);
}

void frmOptions::showSwatches() {
    const OptionsModel& m = model();
    showSwatch(*lblFontColor, m.lblFontColor);
    showSwatch(*lblHFontColor, m.lblHFontColor);
    showSwatch(*lblBackColor, m.lblBackColor);
    showSwatch(*lblHBackcolor, m.lblHBackcolor);
    showSwatch(*lblProgramBG, m.lblProgramBG);
    showSwatch(*lblProgramFC, m.lblProgramFC);
    showSwatch(*Label1, m.Label1);
    showSwatch(*Label2, m.Label2);
    showSwatch(*PBForeColor, m.PBForeColor);
    showBackSwatchesEnabled(m.backSwatchesEnabled());
}

void frmOptions::showBackSwatchesEnabled(bool enabled) {
    // A swatch keeps its colour while disabled; it fades so that the state shows.
    for (Gtk::Button* swatch : {lblBackColor, lblHBackcolor}) {
        swatch->set_sensitive(enabled);
        swatch->set_opacity(enabled ? 1.0 : 0.4);
    }
}

void frmOptions::updateApply() {
    BApply->setEnabled(model().BApply_Enabled);
}
void frmOptions::updateRestore() {
    RestoreB->setEnabled(model().RestoreB_Enabled);
}

void frmOptions::markDirty() {
    model().BApply_Enabled = true;
    updateApply();
}

void frmOptions::connectSignals() {
    activeConn_ = property_is_active().signal_changed().connect(
        sigc::mem_fun(*this, &frmOptions::onActiveChanged));
    List1->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmOptions::List1_Click));

    auto click = [](StyledButton* b, auto handler, frmOptions* self) {
        b->signal_click().connect(sigc::mem_fun(*self, handler));
    };
    click(BApply, &frmOptions::BApply_Click, this);
    click(CloseB, &frmOptions::CloseB_Click, this);
    click(SetHP, &frmOptions::SetHP_Click, this);
    click(DefualtHP, &frmOptions::DefualtHP_Click, this);
    click(CP, &frmOptions::CP_Click, this);
    click(Command3, &frmOptions::Command3_Click, this);
    click(Command4, &frmOptions::Command4_Click, this);
    click(ViewLog, &frmOptions::ViewLog_Click, this);
    click(PBo1, &frmOptions::PBo1_Click, this);
    click(PBo2, &frmOptions::PBo2_Click, this);
    click(ShowFont, &frmOptions::ShowFont_Click, this);
    click(Enable, &frmOptions::Enable_Click, this);
    click(ChgPass, &frmOptions::ChgPass_Click, this);
    click(ApplyChgs, &frmOptions::ApplyChgs_Click, this);
    click(RestoreB, &frmOptions::RestoreB_Click, this);
    click(Command6, &frmOptions::Command6_Click, this);
    click(Command7, &frmOptions::Command7_Click, this);
    click(command8, &frmOptions::command8_Click, this);

    // Check boxes that only change their option.
    const std::pair<Gtk::CheckButton*, bool OptionsModel::*> boxes[] = {
        {History, &OptionsModel::History},
        {CheckUpdate, &OptionsModel::CheckUpdate},
        {Check1, &OptionsModel::Check1},
        {Minimize, &OptionsModel::Minimize},
        {SuppressErrors, &OptionsModel::SuppressErrors},
        {BlockedLog, &OptionsModel::BlockedLog},
        {LockBrowser, &OptionsModel::LockBrowser},
        {LockEmail, &OptionsModel::LockEmail},
        {LockHistory, &OptionsModel::LockHistory},
        {LockOptions, &OptionsModel::LockOptions}};
    for (const auto& [box, member] : boxes) {
        box->signal_toggled().connect(
            [this, box = box, member = member] { checkToggled(box, member); });
    }
    Check2->signal_toggled().connect(sigc::mem_fun(*this, &frmOptions::Check2_Click));
    LockFavorites->signal_toggled().connect(sigc::mem_fun(*this, &frmOptions::LockFavorites_Click));
    LockFavorites1->signal_toggled().connect(
        sigc::mem_fun(*this, &frmOptions::LockFavorites1_Click));

    const std::pair<Gtk::RadioButton*, OptionsModel::PopupMode> modes[] = {
        {Option1, OptionsModel::PopupMode::AskMe},
        {Option2, OptionsModel::PopupMode::Allow},
        {Option30, OptionsModel::PopupMode::BlockAndAlert},
        {Option3, OptionsModel::PopupMode::Block}};
    for (const auto& [button, mode] : modes) {
        button->signal_toggled().connect(
            [this, button = button, mode = mode] { modeToggled(button, mode); });
    }
    Gtk::RadioButton* choices[] = {Button1, Button2, Button3, Button4, Button5};
    for (int i = 0; i < 5; ++i) {
        choices[i]->signal_toggled().connect([this, i] { styleToggled(i); });
    }

    // The swatches of the Layout page and the progress colour.
    const std::pair<Gtk::Button*, OptionsModel::Swatch> swatches[] = {
        {lblFontColor, OptionsModel::Swatch::FontColor},
        {lblHFontColor, OptionsModel::Swatch::HFontColor},
        {lblBackColor, OptionsModel::Swatch::BackColor},
        {lblHBackcolor, OptionsModel::Swatch::HBackcolor},
        {lblProgramBG, OptionsModel::Swatch::ProgramBG},
        {lblProgramFC, OptionsModel::Swatch::ProgramFC}};
    for (const auto& [button, which] : swatches) {
        button->signal_clicked().connect([this, which = which] { swatch_Click(which); });
    }
    PBForeColor->signal_clicked().connect(sigc::mem_fun(*this, &frmOptions::PBForeColor_Click));

    Text1->signal_changed().connect([this] {
        if (syncing_) return;
        OptionsModel& m = model();
        m.Text1 = Text1->get_text();
        m.SetHP_Enabled = true;
        SetHP->setEnabled(true);
    });
    cboSite->signal_changed().connect(sigc::mem_fun(*this, &frmOptions::cboSite_Click));
    Combo2->signal_changed().connect([this] {
        if (!syncing_) model().Combo2 = Combo2->get_active_text();
    });

    // The counter's caption follows into the main windows' counter labels.
    Label25->property_label().signal_changed().connect([this] {
        for (frmBrowser* b : mainWindows()) {
            if (b->Label1) b->Label1->set_text(Label25->get_text());
        }
    });

    // "&Reset": a label that acts as a link.
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
        resetBox->signal_mnemonic_activate().connect([this](bool) {
            Label5_Click();
            return true;
        });
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
    model().BApply_Enabled = false;
    updateApply();
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

template <typename F>
auto frmOptions::runOwnDialog(F&& dialog) -> decltype(dialog()) {
    auto weak = std::weak_ptr<bool>(alive_);
    auto result = dialog();
    // The desktop hands the focus back once the dialog has gone; that activation is the
    // return to this dialog, not a new one.
    if (auto alive = weak.lock();
        alive && *alive && get_visible() && !property_is_active().get_value()) {
        activationIsReturn_ = true;
    }
    return result;
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

// ---- Check boxes and option buttons --------------------------------------------------

void frmOptions::checkToggled(Gtk::CheckButton* box, bool OptionsModel::*member) {
    if (syncing_) return;
    model().*member = box->get_active();
    markDirty();
}

void frmOptions::modeToggled(Gtk::RadioButton* button, OptionsModel::PopupMode mode) {
    if (syncing_ || !button->get_active()) return;
    model().popupMode = mode;
    markDirty();
}

void frmOptions::styleToggled(int index) {
    Gtk::RadioButton* choices[] = {Button1, Button2, Button3, Button4, Button5};
    if (syncing_ || !choices[index]->get_active()) return;
    OptionsModel& m = model();
    m.selectStyleChoice(index);
    Example->setStyle(m.Example.style);
    showBackSwatchesEnabled(m.backSwatchesEnabled());
    updateApply();
    updateRestore();
}

void frmOptions::Check2_Click() {
    if (syncing_) return;
    bool show = Check2->get_active();
    model().Check2 = show;
    markDirty();
    for (frmBrowser* b : mainWindows()) {
        if (b->Frame1) b->Frame1->set_visible(show);
    }
}

void frmOptions::setFavoritesEntryVisible(bool visible) {
    for (frmBrowser* b : mainWindows()) {
        if (Gtk::Widget* entry = b->control("mnuFavoriteT_0")) entry->set_visible(visible);
    }
}

void frmOptions::LockFavorites_Click() {
    if (syncing_) return;
    bool ticked = LockFavorites->get_active();
    model().LockFavorites = ticked;
    setFavoritesEntryVisible(!ticked);
    markDirty();
}

void frmOptions::LockFavorites1_Click() {
    if (syncing_) return;
    model().LockFavorites1 = LockFavorites1->get_active();
    if (model().LockFavorites) {
        setFavoritesEntryVisible(false);
        locks::showLockDialog(locks::Unlock::UnlockFav, "Unlock Favorites");
    } else {
        setFavoritesEntryVisible(true);
    }
    markDirty();
}

// ---- Homepage page -------------------------------------------------------------------

void frmOptions::SetHP_Click() {
    OptionsModel& m = model();
    Application::instance().settings().write("Settings", "Homepage", Text1->get_text().raw());
    m.SetHP_Enabled = false;
    SetHP->setEnabled(false);
}

void frmOptions::DefualtHP_Click() {
    Text1->set_text(site::kHome);
    Application::instance().settings().write("Settings", "Homepage", Text1->get_text().raw());
}

void frmOptions::CP_Click() {
    if (frmBrowser* first = Application::instance().firstWindow()) {
        Text1->set_text(first->WebBrowser1().locationURL());
    }
}

void frmOptions::cboSite_Click() {
    if (syncing_) return;
    std::string engine = cboSite->get_active_text();
    model().cboSite = engine;
    Application::instance().settings().write("WebSearch", "LastEngine", engine);
    markDirty();
}

// ---- History page --------------------------------------------------------------------

void frmOptions::Command3_Click() {
    Application& app = Application::instance();
    if (locks::historyLocked()) {
        if (Gtk::Window* history = app.windows().find("frmHistory")) history->hide();
        locks::showLockDialog(locks::Unlock::DeleteHis);
        return;
    }
    auto answer = runOwnDialog([this] {
        return dialogs().message(this, "Delete History?  ", "History", Dialogs::Buttons::YesNo,
                                 Dialogs::Icon::Question);
    });
    if (answer != Dialogs::Answer::Yes) return;

    // Delete the file, empty the address lists, create the file again and refill the lists
    // from it (it holds nothing now).
    std::filesystem::path file = listfile::historyFilePath();
    std::error_code ec;
    std::filesystem::remove(file, ec);
    for (frmBrowser* b : mainWindows()) b->clearAddressList();
    createEmptyFile(file);
    for (frmBrowser* b : mainWindows()) b->LoadAddressList();
}

void frmOptions::Command4_Click() {
    Application& app = Application::instance();
    if (locks::historyLocked()) {
        locks::showLockDialog(locks::Unlock::UnlockHis);
        return;
    }
    Gtk::Window* history = app.windows().touch("frmHistory");
    if (!history) return;  // no history window in this program: stay open
    if (frmBrowser* first = app.firstWindow()) history->set_transient_for(*first);
    history->present();
    CloseB_Click();
}

// ---- Privacy page --------------------------------------------------------------------

void frmOptions::ViewLog_Click() {
    Application& app = Application::instance();
    Gtk::Window* log = app.windows().touch("frmBlockedLog");
    if (!log) return;
    if (frmBrowser* first = app.firstWindow()) log->set_transient_for(*first);
    log->present();
    hide();
}

void frmOptions::Label5_Click() {
    markDirty();
    model().Label25 = "0";
    Label25->set_text("0");
    for (frmBrowser* b : mainWindows()) {
        if (b->Label1) b->Label1->set_text("0");
    }
}

// ---- Progressbar page ----------------------------------------------------------------

void frmOptions::PBo1_Click() {
    OptionsModel& m = model();
    m.clickSmooth();
    PBo1->setValue(m.PBo1);
    PBo2->setValue(m.PBo2);
    PBo2->setBackColor(kReleasedFace);
    PB->setScrolling(m.samplePBScrolling);
    updateApply();
}

void frmOptions::PBo2_Click() {
    OptionsModel& m = model();
    m.clickStandard();
    PBo2->setValue(m.PBo2);
    PBo1->setValue(m.PBo1);
    PBo1->setBackColor(kReleasedFace);
    PB->setScrolling(m.samplePBScrolling);
    updateApply();
}

void frmOptions::ShowFont_Click() {
    OptionsModel& m = model();
    bool pressed = ShowFont->value();
    m.setShowPercent(pressed);
    ShowFont->setCaption(m.ShowFontCaption);
    PB->setShowText(pressed);
    for (frmBrowser* b : mainWindows()) {
        if (b->PB) b->PB->setShowText(pressed);
    }
    updateApply();
    SettingsStore& store = Application::instance().settings();
    store.write("Settings", "ShowText", stored::truth(pressed));
    store.write("Settings", "ShowTextCap", m.ShowFontCaption);
}

std::optional<ColorValue> frmOptions::pickColor(ColorValue initial) {
    return runOwnDialog([this, initial] { return dialogs().chooseColor(this, initial); });
}

void frmOptions::reshow() {
    if (frmBrowser* first = Application::instance().firstWindow()) set_transient_for(*first);
    present();
}

void frmOptions::PBForeColor_Click() {
    markDirty();
    // The picker starts from the address box's back colour, as it always has.
    ColorValue initial = model().Label2;
    if (frmBrowser* first = Application::instance().firstWindow()) {
        initial = style::background(*first->cboAddress->get_entry()).value_or(initial);
    }
    auto chosen = pickColor(initial);
    if (!chosen) return;
    OptionsModel& m = model();
    for (frmBrowser* b : mainWindows()) {
        if (b->PB) b->PB->setColor(*chosen);
    }
    m.samplePBColor = *chosen;
    PB->setColor(*chosen);
    m.PBForeColor = *chosen;
    showSwatch(*PBForeColor, *chosen);
    reshow();
}

// ---- Address Bar page ----------------------------------------------------------------

void frmOptions::Command6_Click() {
    Application& app = Application::instance();
    Gtk::Window* chooser = app.windows().touch("frmFont");
    if (chooser) {
        if (frmBrowser* first = app.firstWindow()) chooser->set_transient_for(*first);
        chooser->present();
    }
    markDirty();
}

void frmOptions::Command7_Click() {
    pickAddressColor(&style::foreground, &style::setForeground, model().Label1, *Label1);
}

void frmOptions::command8_Click() {
    pickAddressColor(&style::background, &style::setBackground, model().Label2, *Label2);
}

// The two colour buttons of the Address Bar page: the colour starts from the address box's
// own and goes at once to the address and search boxes of every main window, to the
// engine box and to the swatch.
void frmOptions::pickAddressColor(std::optional<ColorValue> (*current)(Gtk::Widget&),
                                  void (*apply)(Gtk::Widget&, ColorValue), ColorValue& target,
                                  Gtk::Button& swatch) {
    markDirty();
    ColorValue initial = target;
    if (frmBrowser* first = Application::instance().firstWindow()) {
        initial = current(*first->cboAddress->get_entry()).value_or(initial);
    }
    auto chosen = pickColor(initial);
    if (!chosen) return;
    ColorValue c = *chosen;
    for (frmBrowser* b : mainWindows()) {
        apply(*b->cboAddress->get_entry(), c);
        apply(*b->txtSearch, c);
    }
    scheme::forWidgetAndParts(*cboSite, [apply, c](Gtk::Widget& w) { apply(w, c); });
    target = c;
    showSwatch(swatch, c);
    reshow();
}

// ---- Layout page ---------------------------------------------------------------------

void frmOptions::swatch_Click(OptionsModel::Swatch which) {
    auto chosen = pickColor(model().pickerInitial(which));
    if (!chosen) return;
    OptionsModel& m = model();
    m.pickSwatch(which, *chosen);
    showSwatches();
    applyLook(*Example, m.Example);
    reshow();
    updateApply();
    updateRestore();
}

void frmOptions::RestoreB_Click() {
    OptionsModel& m = model();
    m.restoreScheme();
    syncing_ = true;
    Button3->set_active(true);
    syncing_ = false;
    showSwatches();
    applyLook(*Example, m.Example);
    updateApply();
    updateRestore();
}

// ---- Password Lock page --------------------------------------------------------------

void frmOptions::Enable_Click() {
    OptionsModel& m = model();
    if (Enable->caption() == "Unlock") {
        if (locks::showLockDialog(locks::Unlock::Enable)) hide();
    } else if (Enable->caption() == "Lock") {
        m.LockablesEnabled = false;
        Frame13->set_sensitive(false);
        m.EnableCaption = "Unlock";
        Enable->setCaption("Unlock");
    }
}

void frmOptions::ChgPass_Click() {
    locks::showLockDialog(locks::Unlock::UnlockPass);
}

void frmOptions::ApplyChgs_Click() {
    const OptionsModel& m = model();
    SettingsStore& store = Application::instance().settings();
    store.write("Settings", "PassLockHis", stored::tick(m.LockHistory));
    store.write("Settings", "PassLockFav", stored::tick(m.LockFavorites));
    store.write("Settings", "PassLockOpt", stored::tick(m.LockOptions));
    store.write("Settings", "PassLockEmail", stored::tick(m.LockEmail));
    store.write("Settings", "PassLockBrowser", stored::tick(m.LockBrowser));
    runOwnDialog([this] {
        return dialogs().message(this,
                                 "Locked the Selected boxes, Unlocks may require Restart of "
                                 "Larkspan!",
                                 "Larkspan", Dialogs::Buttons::Ok, Dialogs::Icon::None);
    });
    present();
}

// ---- Apply and Cancel ----------------------------------------------------------------

void frmOptions::BApply_Click() {
    Application& app = Application::instance();
    SettingsStore& store = app.settings();
    OptionsModel& m = model();
    auto write = [&store](std::string_view key, const std::string& value) {
        store.write("Settings", key, value);
    };
    frmBrowser* first = app.firstWindow();

    // 1. Nothing is left to apply.
    m.BApply_Enabled = false;
    updateApply();

    // 2. The scheme reaches every window.
    scheme::applyButtonColors();
    scheme::applyProgramBackColor();
    scheme::applyProgramFontColor();

    // 3. The sample's style reaches this dialog's buttons and the search buttons.
    for (std::string_view name : scheme::optionsStyleTargets()) {
        if (auto* b = dynamic_cast<StyledButton*>(scheme::findNamed(*this, name))) {
            b->setStyle(m.Example.style);
        }
    }
    for (frmBrowser* b : mainWindows()) {
        if (b->Command1) b->Command1->setStyle(m.Example.style);
    }

    // 4. Style choices, popup modes, counter, and the options that act at once.
    for (int i = 0; i < static_cast<int>(OptionsModel::kStyleCodes.size()); ++i) {
        write("Button" + std::to_string(i + 1), stored::truth(m.selectedStyleChoice == i));
    }
    using Mode = OptionsModel::PopupMode;
    write("PopupBlocker1", stored::truth(m.popupMode == Mode::AskMe));
    write("PopupBlocker2", stored::truth(m.popupMode == Mode::Allow));
    write("PopupBlocker3", stored::truth(m.popupMode == Mode::Block));
    write("PopupBlocker30", stored::truth(m.popupMode == Mode::BlockAndAlert));
    write("Blocked#", m.Label25);
    write("ShowBlock", stored::tick(m.Check2));
    write("ProgressBarForeColor", stored::color(m.PBForeColor));
    write("toolbarFont", m.lblFontName);
    ColorValue addressFC = m.Label1;
    ColorValue addressBG = m.Label2;
    if (first) {
        addressFC = style::foreground(*first->cboAddress->get_entry()).value_or(addressFC);
        addressBG = style::background(*first->cboAddress->get_entry()).value_or(addressBG);
    }
    write("AddressFC", stored::color(addressFC));
    write("AddressBG", stored::color(addressBG));
    write("Systray", stored::tick(m.Minimize));

    // 5. Script errors: the menu tick follows the box, then both are stored.
    for (frmBrowser* b : mainWindows())
        b->mnuToolsSuppressScriptErrors->set_active(m.SuppressErrors);
    bool suppressTick =
        first ? first->mnuToolsSuppressScriptErrors->get_active() : m.SuppressErrors;
    write("SuppressScriptErrors", stored::truth(suppressTick));
    write("SuppressScriptErrors1", stored::tick(m.SuppressErrors));

    // 6. The colour scheme.
    auto writeColor = [&store](std::string_view key, ColorValue c) {
        store.write("ButtonColors", key, stored::color(c));
    };
    writeColor("FontColor", m.lblFontColor);
    writeColor("FontHighlightColor", m.lblHFontColor);
    writeColor("BackColor", m.lblBackColor);
    writeColor("BackHighlightColor", m.lblHBackcolor);
    writeColor("ProgramBackColor", m.lblProgramBG);
    writeColor("ProgramFontColor", m.lblProgramFC);

    // 7. Scroll style.
    for (frmBrowser* b : mainWindows()) {
        if (m.PBo1) {
            b->PB->setScrolling(1);
        } else if (m.PBo2) {
            b->PB->setScrolling(0);
        }
    }
    write("ProgressBar", std::to_string(m.samplePBScrolling));

    // 8. History and the update check.
    write("History", stored::tick(m.History));
    write("CheckUpdatesAtStart", stored::tick(m.CheckUpdate));

    // 9. Status bar.
    for (frmBrowser* b : mainWindows()) {
        b->setStatusBarVisible(m.Check1);
        b->mnuToolsStatusbar->set_active(m.Check1);
    }
    bool statusTick = first ? first->mnuToolsStatusbar->get_active() : m.Check1;
    write("StatusbarVisible", stored::truth(statusTick));
    write("StatusbarVisible1", stored::tick(m.Check1));

    // 10. The main windows place their controls again.
    for (frmBrowser* b : mainWindows()) {
        b->runLayout();
        b->runLayout();
    }

    // 11. The log switch.
    write("BlockedLog", stored::tick(m.BlockedLog));
}

void frmOptions::CloseB_Click() {
    // Destroyed once the handler that asked for it has returned (and only while this
    // dialog is still the one the registry holds).
    Glib::signal_idle().connect_once([alive = std::weak_ptr<bool>(alive_)] {
        if (auto a = alive.lock(); a && *a) Application::instance().windows().close("frmOptions");
    });
}

bool frmOptions::on_delete_event(GdkEventAny*) {
    CloseB_Click();
    return true;
}

// ---- Factory -------------------------------------------------------------------------

std::unique_ptr<Gtk::Window> makeOptionsDialog() {
    auto builder = Gtk::Builder::create_from_resource(kResource);
    frmOptions* raw = nullptr;
    builder->get_widget_derived("frmOptions", raw);
    return std::unique_ptr<Gtk::Window>(raw);
}

frmOptions* findOptionsDialog() {
    return dynamic_cast<frmOptions*>(Application::instance().windows().find("frmOptions"));
}

frmOptions* showOptionsDialog() {
    Application& app = Application::instance();
    auto* dialog = dynamic_cast<frmOptions*>(app.windows().touch("frmOptions"));
    if (!dialog) return nullptr;
    if (frmBrowser* first = app.firstWindow()) dialog->set_transient_for(*first);
    dialog->present();
    return dialog;
}

void refreshOptionsDialog() {
    if (frmOptions* dialog = findOptionsDialog()) dialog->syncFromModel();
}

}  // namespace larkspan
