// The options dialog's frame: the list of pages, the place they show in, "Apply" and
// "Cancel", and its make/find/show functions.
#include "shell/frmOptions.hpp"

#include <algorithm>

#include "BuildConfig.hpp"
#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "controls/StyledButton.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/OptionBinder.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmOptionsPages.hpp"

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

    builder_->get_widget("List1", List1);
    builder_->get_widget_derived("BApply", BApply);
    builder_->get_widget_derived("CloseB", CloseB);
    BApply->setCaption("Apply");
    CloseB->setCaption("Cancel");
    Gtk::Label* Larkspanlbl = nullptr;
    builder_->get_widget("Larkspanlbl", Larkspanlbl);
    Larkspanlbl->set_text(versionCaption());

    // The pages share one place; the binder shows the model's values in their controls.
    binder_ = std::make_unique<OptionBinder>(
        model(), [ctx = &ctx_]() -> Dialogs& { return ctx->dialogs(); }, *this);
    pages_ = makeOptionsPages(*this);
    Gtk::Box* place = nullptr;
    builder_->get_widget("Pages", place);
    for (const auto& page : pages_) {
        place->pack_start(page->frame(), true, true);
        binder_->bind(page->builder());
        page->show();
    }

    // The load: the dialog's buttons take the sample's looks. The load's own fills leave
    // "Apply" enabled (the design style choice reads back as clicked).
    takeSampleLooks();
    BApply->setEnabled(true);

    activeConn_ = property_is_active().signal_changed().connect(
        sigc::mem_fun(*this, &frmOptions::onActiveChanged));
    List1->get_selection()->signal_changed().connect(
        sigc::mem_fun(*this, &frmOptions::List1_Click));
    BApply->signal_click().connect(sigc::mem_fun(*this, &frmOptions::BApply_Click));
    CloseB->signal_click().connect(sigc::mem_fun(*this, &frmOptions::CloseB_Click));
    // A change of an option enables "Apply"; the home page is stored by its own "Set".
    binder_->signalEdited().connect([this](OptionId id) {
        if (id != OptionId::HomePage) markDirty();
    });
    // A colour picked brings the dialog back above the first main window.
    binder_->signalPicked().connect([this](OptionId, bool chosen) {
        returningFromDialog();
        if (chosen) reshow();
    });
    model().signalChanged().connect(sigc::mem_fun(*this, &frmOptions::showModel));

    // The first page shows until another entry is clicked.
    auto pageList = List1->get_model();
    if (auto first = pageList->children().begin()) List1->get_selection()->select(first);
    showPage(std::string(OptionsModel::pages().front().entry));
}

frmOptions::~frmOptions() {
    *alive_ = false;
    activeConn_.disconnect();
}

OptionsModel& frmOptions::model() {
    return ctx_.options();
}

Gtk::Widget* frmOptions::find(const Glib::ustring& name) const {
    auto find = [&name](const Glib::RefPtr<Gtk::Builder>& b) {
        return dynamic_cast<Gtk::Widget*>(b->get_object(name).get());
    };
    if (Gtk::Widget* w = find(builder_)) return w;
    for (const auto& page : pages_) {
        if (Gtk::Widget* w = find(page->builder())) return w;
    }
    return nullptr;
}

void frmOptions::takeSampleLooks() {
    // Each "Apply" gives these buttons the scheme's colours and the sample's style.
    for (StyledButton* b : {CloseB, BApply}) scheme::followButtonLook(ctx_, *b, true);
    for (const auto& page : pages_) {
        for (StyledButton* b : page->buttons()) scheme::followButtonLook(ctx_, *b, true);
    }
}

void frmOptions::showModel(OptionId, OptionsModel::Cause) {
    for (const auto& page : pages_) page->show();
}

void frmOptions::markDirty() {
    BApply->setEnabled(true);
}

void frmOptions::unlockLockables() {
    for (const auto& page : pages_) {
        if (auto* lock = dynamic_cast<PassLockPage*>(page.get())) lock->unlockLockables();
    }
}

// ---- Apply ---------------------------------------------------------------------------

void frmOptions::BApply_Click() {
    // 1. Nothing is left to apply.
    BApply->setEnabled(false);

    // 2. The program colours reach every window.
    scheme::applyProgramColors(ctx_);

    // 3. Every option "Apply" stores, in one transaction.
    OptionsModel& m = model();
    m.writeApplied(ctx_.settings());

    // 4. The windows take up what only "Apply" brings: the button colours and the sample's
    // style, the menu ticks, the scroll style and the status bar.
    m.applied();
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
    BApply->setEnabled(false);
}

void frmOptions::returningFromDialog() {
    // The desktop hands the focus back once the dialog has gone; that activation is the
    // return to this dialog, not a new one.
    if (get_visible() && !property_is_active().get_value()) activationIsReturn_ = true;
}

void frmOptions::reshow() {
    if (Gtk::Window* owner = ctx_.ownerWindow()) set_transient_for(*owner);
    present();
}

// All pages share one place, as large as the largest of them. Measuring every page costs
// tens of milliseconds, so it waits until the dialog is first shown: the colour passes
// build the dialog hidden at start-up, while the home page loads.
void frmOptions::sizePages() {
    if (pagesSized_) return;
    pagesSized_ = true;
    Gtk::Widget* shown = nullptr;
    for (const auto& page : pages_) {
        if (page->frame().get_visible()) shown = &page->frame();
    }
    int width = 0;
    int height = 0;
    for (const auto& page : pages_) {
        Gtk::Frame& frame = page->frame();
        frame.set_visible(true);
        Gtk::Requisition minimum, natural;
        frame.get_preferred_size(minimum, natural);
        width = std::max(width, natural.width);
        height = std::max(height, natural.height);
        frame.set_visible(false);
    }
    if (Gtk::Widget* place = control("Pages")) place->set_size_request(width, height);

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
    for (const auto& page : pages_) page->frame().set_visible(page->name() == *frame);
}

std::string frmOptions::visiblePage() const {
    for (const auto& page : pages_) {
        if (page->frame().get_visible()) return std::string(page->name());
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
