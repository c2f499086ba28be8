#include "shell/PrivateWindow.hpp"

#include <gtkmm/cssprovider.h>
#include <gtkmm/label.h>
#include <gtkmm/separatortoolitem.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolitem.h>

#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan {

namespace {
constexpr const char* kPrivateStyle =
    ".private-window { background-image: none; background-color: #e4daf5; }"
    ".private-window .private-sign { color: #4b2a8a; font-weight: bold; }";
}  // namespace

frmBrowser& openPrivateWindow(ShellContext& context, const std::string& address) {
    std::unique_ptr<PageEngine> engine = context.makePrivateEngine();
    engine->navigate(address.empty() ? frmBrowser::readHomePage(context) : address);
    frmBrowser& window = context.createBrowserWindow(std::move(engine));
    window.show();
    window.present();
    return window;
}

const char* captionSuffix(bool isPrivate) {
    return isPrivate ? " - Larkspan (Private)" : " - Larkspan";
}

void markPrivateToolbar(Gtk::Toolbar& toolbar) {
    static Glib::RefPtr<Gtk::CssProvider> style = [] {
        auto provider = Gtk::CssProvider::create();
        provider->load_from_data(kPrivateStyle);
        return provider;
    }();
    toolbar.get_style_context()->add_class("private-window");
    toolbar.get_style_context()->add_provider(style, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);

    // The sign stands at the far end of the toolbar.
    auto* space = Gtk::make_managed<Gtk::SeparatorToolItem>();
    space->set_draw(false);
    space->set_expand(true);
    auto* item = Gtk::make_managed<Gtk::ToolItem>();
    item->set_name("PrivateSign");
    auto* sign = Gtk::make_managed<Gtk::Label>("Private");
    sign->set_margin_start(8);
    sign->set_margin_end(12);
    sign->get_style_context()->add_class("private-sign");
    sign->get_style_context()->add_provider(style, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    item->add(*sign);
    toolbar.append(*space);
    toolbar.append(*item);
    space->show();
    item->show_all();
}

}  // namespace larkspan
