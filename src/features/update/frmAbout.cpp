#include "features/update/frmAbout.hpp"

#include "common/BuiltWindow.hpp"
#include "common/MakerSite.hpp"
#include "controls/StyledButton.hpp"
#include "features/update/UpdateCheck.hpp"
#include "shell/ColorScheme.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmAbout.ui";
constexpr const char* kName = "frmAbout";

constexpr const char* kCredits[] = {
    "A web browser for the Linux desktop.",
    "Pages drawn by WebKitGTK, windows by gtkmm,",
    "settings kept in SQLite, updates fetched by libsoup.",
    "Made by the Larkspan developers.",
};

void whenClicked(const Glib::RefPtr<Gtk::Builder>& builder, const char* area,
                 std::function<void()> act) {
    Gtk::EventBox* box = nullptr;
    builder->get_widget(area, box);
    box->signal_button_press_event().connect([act = std::move(act)](GdkEventButton* event) {
        if (event->button == 1) act();
        return true;
    });
    box->signal_realize().connect([box] {
        if (auto window = box->get_window())
            window->set_cursor(Gdk::Cursor::create(box->get_display(), "pointer"));
    });
}

}  // namespace

frmAbout::frmAbout(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                   ShellContext& context, update::UpdateCheck& check)
    : Gtk::Window(cobject), ctx_(context), check_(check), builder_(builder) {
    builder_->get_widget("Text1", Text1);
    builder_->get_widget_derived("Command1", Command1);
    builder_->get_widget("Image1", Image1);
    builder_->get_widget("Label1", Label1);
    builder_->get_widget("Label4", Label4);
    Command1->setCaption("Close");

    // Load: the button takes the sample's looks, the text its lines.
    scheme::followButtonLook(ctx_, *Command1, true);
    Text1->get_buffer()->set_text(aboutText());

    Command1->signal_click().connect(sigc::mem_fun(*this, &frmAbout::Command1_Click));
    whenClicked(builder_, "Label1Area", [this] { Label1_Click(); });
    whenClicked(builder_, "Label4Area", [this] { Label4_Click(); });
}

frmAbout::~frmAbout() {
    *alive_ = false;
}

std::string frmAbout::aboutText() {
    std::string text = "Larkspan [Ver " + update::localVersionText() + "]";
    for (const char* line : kCredits) text += std::string("\r\n") + line;
    return text;
}

void frmAbout::Command1_Click() {
    unloadLater();
}

void frmAbout::Label1_Click() {
    // The box closes once the update window has opened; an answer arriving after the box
    // was closed another way finds nothing to close.
    check_.run(update::Trigger::User, [alive = std::weak_ptr<bool>(alive_), this] {
        if (!alive.expired()) unloadLater();
    });
}

void frmAbout::Label4_Click() {
    if (frmBrowser* first = ctx_.firstWindow()) first->page().engine().navigate(site::kHome);
    unloadLater();
}

bool frmAbout::on_delete_event(GdkEventAny*) {
    unloadLater();
    return true;
}

void frmAbout::unloadLater() {
    ctx_.windows().closeWhenIdle(kName, WindowRegistry::ShownAgain::Close);
}

std::unique_ptr<Gtk::Window> makeAboutBox(ShellContext& context, update::UpdateCheck& check) {
    return buildWindow<frmAbout>(kResource, "frmAbout", context, check);
}

}  // namespace larkspan
