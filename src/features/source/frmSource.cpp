#include "features/source/frmSource.hpp"

#include "common/BuiltWindow.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {

constexpr const char* kName = "frmSource";
constexpr const char* kResource = "/org/larkspan/Larkspan/ui/frmSource.ui";
constexpr const char* kCaptionSuffix = " - Larkspan";

}  // namespace

frmSource::frmSource(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder,
                     ShellContext& context)
    : Gtk::Window(cobject), ctx_(context) {
    // Markup reads in the desktop's monospace font; the text is for reading and copying.
    builder->get_widget("Text1", Text1);
}

void frmSource::Form_Load(frmBrowser& owner) {
    if (Glib::RefPtr<Gdk::Pixbuf> icon = owner.get_icon()) set_icon(icon);
    PageEngine& engine = owner.page().engine();
    set_title(engine.locationURL() + kCaptionSuffix);
    // With no document the text stays empty.
    Text1->get_buffer()->set_text("");
    engine.documentMarkup(
        [this, alive = std::weak_ptr<bool>(alive_)](std::optional<std::string> markup) {
            if (alive.expired()) return;
            Text1->get_buffer()->set_text(markup.value_or(std::string()));
        });
}

std::string frmSource::text() const {
    return Text1->get_buffer()->get_text().raw();
}

bool frmSource::on_delete_event(GdkEventAny*) {
    // Closing unloads the window: the next opening reads the page again.
    ctx_.windows().closeWhenIdle(kName, WindowRegistry::ShownAgain::Close);
    return true;
}

std::unique_ptr<Gtk::Window> makeSourceWindow(ShellContext& context) {
    return buildWindow<frmSource>(kResource, kName, context);
}

void showSourceWindow(ShellContext& context, frmBrowser& window) {
    WindowRegistry& windows = context.windows();
    bool open = windows.find(kName) != nullptr;
    Gtk::Window* source = windows.touch(kName);
    if (!source) return;
    if (!open) {
        if (auto* loaded = dynamic_cast<frmSource*>(source)) loaded->Form_Load(window);
    }
    source->set_transient_for(window);
    source->present();
}

}  // namespace larkspan
