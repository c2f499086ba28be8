#include "shell/ShellRegistration.hpp"

#include <gtkmm/application.h>

#include <string>

#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmFont.hpp"
#include "shell/frmOptions.hpp"

namespace larkspan {

namespace {

struct Shortcut {
    const char* action;
    std::vector<Glib::ustring> accels;
};

// The main window's shortcuts: those of its menus first, then the ones every desktop
// browser has. Ctrl+A and Ctrl+R belong to the favorites commands.
const std::vector<Shortcut>& shortcuts() {
    static const std::vector<Shortcut> table{
        {"win.new-window", {"<Control>n"}},
        {"win.open", {"<Control>o"}},
        {"win.save-as", {"<Control>s"}},
        {"win.print", {"<Control>p"}},
        {"win.exit", {"<Control>q"}},
        {"win.close", {"<Control>w"}},
        {"win.cut", {"<Control>x"}},
        {"win.copy", {"<Control>c"}},
        {"win.paste", {"<Control>v"}},
        {"win.find", {"<Control>f"}},
        {"win.focus-address", {"<Control>l", "<Alt>d", "F6"}},
        {"win.refresh", {"F5"}},
        {"win.back", {"<Alt>Left"}},
        {"win.forward", {"<Alt>Right"}},
        {"win.stop", {"Escape"}},
        {"win.zoom-in", {"<Control>plus", "<Control>equal", "<Control>KP_Add"}},
        {"win.zoom-out", {"<Control>minus", "<Control>KP_Subtract"}},
        {"win.zoom-reset", {"<Control>0", "<Control>KP_0"}},
        {"win.new-tab", {"<Control>t"}},
        {"win.new-private-window", {"<Control><Shift>p"}},
        {"win.next-tab", {"<Control>Tab", "<Control>Page_Down"}},
        {"win.previous-tab",
         {"<Control><Shift>ISO_Left_Tab", "<Control><Shift>Tab", "<Control>Page_Up"}},
        {"win.fullscreen", {"F11"}},
        {"win.inspector", {"<Control><Shift>i", "F12"}},
        {"win.refresh-bypass-cache", {"<Control>F5", "<Shift>F5"}},
        {"win.home", {"<Alt>Home"}},
    };
    return table;
}

}  // namespace

void registerShell(ShellContext& context, Gtk::Application& app) {
    WindowRegistry& windows = context.windows();
    windows.define("frmFont", [&context] { return makeFontChooser(context); });
    windows.define("frmOptions", [&context] { return makeOptionsDialog(context); });
    for (const auto& s : shortcuts()) app.set_accels_for_action(s.action, s.accels);
    // Alt+1 to Alt+9 pick the first to the ninth tab.
    for (int i = 0; i < 9; ++i) {
        app.set_accels_for_action("win.select-tab(" + std::to_string(i) + ")",
                                  {"<Alt>" + std::to_string(i + 1)});
    }
}

void dropUnappliedOptionsOnClose(ShellContext& context, std::function<bool()> ending) {
    context.windows().onClosed = [&context, ending = std::move(ending)](const std::string& name) {
        if (name != "frmOptions") return;
        context.discardOptions();
        if (!ending()) context.options();
    };
}

}  // namespace larkspan
