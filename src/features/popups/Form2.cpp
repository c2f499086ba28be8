#include "features/popups/Form2.hpp"

#include "common/BuiltWindow.hpp"
#include "common/Twips.hpp"
#include "features/popups/NoticePlacement.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/Form2.ui";
constexpr const char* kNoticeText = "Blocked Popup! (To allow, change Privacy Settings).";
constexpr const char* kNoticeCss =
    "eventbox { background-color: #ffffe1; }"
    "label { color: #000000; font-family: \"Arial Narrow\", sans-serif; font-size: 9pt; }";

}  // namespace

Form2::Form2(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
             ShellContext& context)
    : Gtk::Window(cobject), ctx_(context), builder_(builder) {
    builder_->get_widget("Label1", Label1);
    builder_->get_widget("Shape1", Shape1);
    css_ = Gtk::CssProvider::create();
    css_->load_from_data(kNoticeCss);
    Gtk::EventBox* events = nullptr;
    builder_->get_widget("Form2_Events", events);
    for (Gtk::Widget* w : std::initializer_list<Gtk::Widget*>{events, Label1}) {
        if (w) w->get_style_context()->add_provider(css_, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    set_keep_above(true);
    if (events) {
        events->add_events(Gdk::BUTTON_PRESS_MASK);
        events->signal_button_press_event().connect([this](GdkEventButton*) {
            Label1_Click();
            return true;
        });
    }
}

void Form2::placeOverOwner() {
    Gtk::Window* owner = ctx_.ownerWindow();
    if (!owner) return;
    popups::Rect main;
    owner->get_position(main.left, main.top);
    main.width = owner->get_width();
    popups::Rect strip = popups::placeNotice(main, screenDpi());
    set_size_request(strip.width, -1);
    resize(strip.width, 1);
    move(strip.left, strip.top);
}

void Form2::showNotice() {
    if (Gtk::Window* owner = ctx_.ownerWindow()) set_transient_for(*owner);
    placeOverOwner();
    // Shown without taking the focus from the page.
    show();
    Label1->set_text(kNoticeText);
}

void Form2::Label1_Click() {
    hide();
}

std::unique_ptr<Gtk::Window> makeNotice(ShellContext& context) {
    return buildWindow<Form2>(kResource, "Form2", context);
}

}  // namespace larkspan
