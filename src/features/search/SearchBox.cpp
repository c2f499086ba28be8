#include "features/search/SearchBox.hpp"

#include <gtkmm.h>

#include "common/Color.hpp"
#include "common/Dialogs.hpp"
#include "common/WidgetStyle.hpp"
#include "controls/StyledButton.hpp"
#include "features/search/SearchBoxRules.hpp"
#include "features/search/SearchEngines.hpp"
#include "settings/OptionsModel.hpp"
#include "settings/SettingsStore.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::search {

namespace {

constexpr const char* kAutoSelectText = "No Search Engine selected. Using default: Google Search";
constexpr const char* kAutoSelectTitle = "Auto-Select Search";

}  // namespace

void runSearch(ShellContext& context, frmBrowser& window) {
    auto* box = dynamic_cast<Gtk::Entry*>(window.place("txtSearch"));
    if (!box) return;
    // The first touch of the options loads them.
    std::string engineName = context.options().searchEngine;
    SearchPlan plan = planSearch(engineName, box->get_text().raw());
    // The note on the engine chosen for the user is shown while the search runs.
    if (plan.autoSelected) {
        context.dialogs().message(&window, kAutoSelectText, kAutoSelectTitle, Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Information, [](Dialogs::Answer) {});
    }
    window.page().engine().navigate(plan.address);
    // The engine used is kept as the last one.
    context.options().writeNow(context.settings(), OptionId::SearchEngine);
}

void attachSearchBox(ShellContext& context, frmBrowser& window) {
    auto* box = dynamic_cast<Gtk::Entry*>(window.place("txtSearch"));
    if (!box) return;
    ShellContext* ctx = &context;
    frmBrowser* w = &window;

    // Click: a box showing an engine's name is emptied; the box has the focus already.
    box->signal_button_release_event().connect(
        [box](GdkEventButton* event) {
            if (event->button == 1 && clickClears(box->get_text().raw())) box->set_text("");
            return false;
        },
        false);
    box->signal_focus_in_event().connect(
        [ctx, box](GdkEventFocus*) {
            style::setForeground(*box, ctx->options().programFontColor);
            return false;
        },
        false);
    box->signal_focus_out_event().connect(
        [ctx, box](GdkEventFocus*) {
            if (auto placeholder =
                    placeholderOnLeaving(box->get_text().raw(), ctx->options().searchEngine)) {
                style::setForeground(*box, kSysGrayText);
                box->set_text(*placeholder);
            }
            return false;
        },
        false);
    box->signal_activate().connect([ctx, w] { runSearch(*ctx, *w); });
    if (auto* button = dynamic_cast<StyledButton*>(window.place("Command1"))) {
        button->signal_click().connect([ctx, w] { runSearch(*ctx, *w); });
    }
}

}  // namespace larkspan::search
