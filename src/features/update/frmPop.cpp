#include "features/update/frmPop.hpp"

#include <array>

#include "common/BuiltWindow.hpp"
#include "common/Dialogs.hpp"
#include "common/MakerSite.hpp"
#include "common/TextEncoding.hpp"
#include "common/WidgetStyle.hpp"
#include "features/update/UpdateCheck.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmPop.ui";

// The three fetches, in order, and the message each one's failure shows. A failure
// reports itself and the fetches after it, which are not tried.
struct Fetch {
    const char* file;
    Gtk::Label* frmPop::*label;
    const char* error;
};
const std::array<Fetch, 3> kFetches{{
    {update::kNameFile, &frmPop::Label2, "There was an error retrieving the Program Name!"},
    {update::kDescriptionFile, &frmPop::Label3, "Error getting file Description!"},
    {update::kVersionFile, &frmPop::Label6, "Error getting file Version!"},
}};

}  // namespace

frmPop::frmPop(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
               ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder) {
    builder_->get_widget("Label2", Label2);
    builder_->get_widget("Label3", Label3);
    builder_->get_widget("Label4", Label4);
    builder_->get_widget("Label6", Label6);
    builder_->get_widget("Label7", Label7);
    builder_->get_widget("Label8", Label8);
    style::setForeground(*Label4, kLinkColor);

    Gtk::EventBox* linkArea = nullptr;
    builder_->get_widget("Label4Area", linkArea);
    linkArea->signal_motion_notify_event().connect([this](GdkEventMotion*) {
        Label4_MouseMove();
        return true;
    });
    linkArea->signal_enter_notify_event().connect([this](GdkEventCrossing*) {
        Label4_MouseMove();
        return true;
    });
    linkArea->signal_button_press_event().connect([this](GdkEventButton* event) {
        if (event->button == 1) Label4_Click();
        return true;
    });
    signal_motion_notify_event().connect([this](GdkEventMotion*) {
        Form_MouseMove();
        return false;
    });

    // Load: the own version, then the fetches.
    Label7->set_text(update::localVersionText());
    fetchStep(0);
}

frmPop::~frmPop() = default;

void frmPop::fetchStep(int step) {
    if (step >= static_cast<int>(kFetches.size())) return;
    std::string address = update::updateFileAddress(ctx_, kFetches[step].file);
    fetcher_.fetch(address, [this, step](std::optional<std::string> text) {
        if (!text) {
            fetchFailed(step);
            return;
        }
        (this->*kFetches[step].label)->set_text(text::decodeFileText(*text));
        fetchStep(step + 1);
    });
}

void frmPop::fetchFailed(int step) {
    if (step >= static_cast<int>(kFetches.size())) {
        unloadLater();
        return;
    }
    // One message after the other; a window closed meanwhile says no more.
    ctx_.dialogs().message(this, kFetches[step].error, "Update Error", Dialogs::Buttons::Ok,
                           Dialogs::Icon::None,
                           whileAlive<Dialogs::Answer>(
                               *this, [this, step](Dialogs::Answer) { fetchFailed(step + 1); }));
}

void frmPop::Label4_MouseMove() {
    style::setForeground(*Label4, kLinkHoverColor);
}

void frmPop::Form_MouseMove() {
    style::setForeground(*Label4, kLinkColor);
}

void frmPop::Label4_Click() {
    if (frmBrowser* first = ctx_.firstWindow())
        first->page().engine().navigate(site::kDownloadPage);
    unloadLater();
}

bool frmPop::on_delete_event(GdkEventAny*) {
    unloadLater();
    return true;
}

void frmPop::unloadLater() {
    ctx_.windows().closeWhenIdle(update::kUpdateWindow, WindowRegistry::ShownAgain::Close);
}

std::unique_ptr<Gtk::Window> makeUpdateWindow(ShellContext& context) {
    return buildWindow<frmPop>(kResource, "frmPop", context);
}

}  // namespace larkspan
