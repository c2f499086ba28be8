#include "shell/ColorScheme.hpp"

#include <gtkmm/checkbutton.h>
#include <gtkmm/container.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <cmath>
#include <functional>
#include <string>

#include "common/WidgetStyle.hpp"
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"
#include "shell/WindowRegistry.hpp"
#include "shell/frmBrowser.hpp"

namespace larkspan::scheme {

namespace {

constexpr std::string_view kOptions = "frmOptions";

}  // namespace

const std::vector<Target>& buttonColorTargets() {
    static const std::vector<Target> targets{
        {kMainWindow, "Command1"},
        {kOptions, "CloseB"},
        {kOptions, "BApply"},
        {kOptions, "ViewLog"},
        {kOptions, "DefualtHP"},
        {kOptions, "SetHP"},
        {kOptions, "RestoreB"},
        {kOptions, "Command3"},
        {kOptions, "Command4"},
        {kOptions, "Command6"},
        {kOptions, "Command7"},
        {kOptions, "command8"},
        {kOptions, "ChgPass"},
        {kOptions, "ApplyChgs"},
        {kOptions, "Enable"},
        {kOptions, "CP"},
        {kOptions, "PBo1"},
        {kOptions, "PBo2"},
        {"frmFont", "Command1"},
        {"frmFont", "Command2"},
        {"frmHistory", "BClose"},
        {"frmHistory", "Delete"},
        {"frmHistory", "DeleteAll"},
        {"frmPassword", "UnlockFav"},
        {"frmPassword", "UnlockHis"},
        {"frmPassword", "UnlockOpt"},
        {"frmPassword", "UnlockPass"},
        {"frmPassword", "ChgPass"},
        {"frmPassword", "Enable"},
        {"frmPassword", "EnableEmailRead"},
        {"frmPassword", "EnableEmailSend"},
        {kOptions, "ShowFont"},
        {"frmBlockedLog", "BClose"},
        {"frmBlockedLog", "Delete"},
        {"frmBlockedLog", "DeleteAll"},
    };
    return targets;
}

const std::vector<std::string_view>& optionsStyleTargets() {
    static const std::vector<std::string_view> names{
        "ViewLog",  "CloseB",   "BApply",   "DefualtHP", "SetHP",    "CP",
        "Command3", "Command4", "Command6", "Command7",  "command8", "RestoreB",
        "PBo1",     "PBo2",     "ChgPass",  "ApplyChgs", "Enable",   "ShowFont"};
    return names;
}

const std::vector<Target>& backColorTargets() {
    static const std::vector<Target> targets{
        {kOptions, "BlockedLog"},
        {kOptions, ""},
        // Page frames and the frames inside them.
        {kOptions, "Layout"},
        {kOptions, "fraButtons"},
        {kOptions, "fraColors"},
        {kOptions, "Homepage"},
        {kOptions, "HistoryLst"},
        {kOptions, "Misc"},
        {kOptions, "fraEnableDisable"},
        {kOptions, "WebAddress"},
        {kOptions, "fraFont"},
        {kOptions, "fraBackground"},
        {kOptions, "Privacy"},
        {kOptions, "fraPopups"},
        {kOptions, "Progressbar"},
        {kOptions, "fraScrollType"},
        {kOptions, "fraShowPercent"},
        {kOptions, "fraColor"},
        {kOptions, "fraExample"},
        {kOptions, "PassLock"},
        {kOptions, "Frame13"},
        // Style choices, check boxes and popup modes.
        {kOptions, "Button1"},
        {kOptions, "Button2"},
        {kOptions, "Button3"},
        {kOptions, "Button4"},
        {kOptions, "Button5"},
        {kOptions, "History"},
        {kOptions, "Check1"},
        {kOptions, "Minimize"},
        {kOptions, "SuppressErrors"},
        {kOptions, "CheckUpdate"},
        {kOptions, "Option1"},
        {kOptions, "Option2"},
        {kOptions, "Option3"},
        {kOptions, "Option30"},
        {kOptions, "LockFavorites"},
        {kOptions, "LockHistory"},
        {kOptions, "LockOptions"},
        {kOptions, "LockEmail"},
        {kOptions, "LockBrowser"},
        {kOptions, "Check2"},
        // The windows themselves.
        {kMainWindow, ""},
        {"frmAbout", ""},
        {"frmFavorites", ""},
        {"frmFavorites", "frmInfo"},
        {"frmFont", ""},
        {"frmHistory", ""},
        {"frmPassword", ""},
        {"frmPop", ""},
        {"frmBlockedLog", ""},
        {"frmIE2LarkspanConverter", ""},
    };
    return targets;
}

const std::vector<Target>& fontColorTargets() {
    static const std::vector<Target> targets{
        {kOptions, ""},  // every caption, label and check box of the dialog
        {"frmAbout", "Label1"},
        {"frmAbout", "Label4"},
        {"frmFavorites", "lblname"},
        {"frmFavorites", "lblTitle"},
        {"frmFavorites", "lblModified"},
        {"frmFavorites", "lblMod"},
        {"frmFavorites", "Label1"},
        {"frmFavorites", "lblURL"},
        {"frmFavorites", "Label2"},
        {"frmFavorites", "lblOfFavorites"},
        {"frmFavorites", "frmInfo"},
        {"frmPop", "Label1"},
        {"frmPop", "Label2"},
        {"frmPop", "Label3"},
        {"frmPop", "Label6"},
        {"frmPop", "Label7"},
        {"frmPop", "Label8"},
        {"frmFont", "Label1"},
        {"frmIE2LarkspanConverter", "Label1"},
    };
    return targets;
}

bool passMayCreate(std::string_view window) {
    return window != "frmPop";
}

// ---- GTK side -----------------------------------------------------------------------------

namespace {

Rgb toRgb(const GdkRGBA& c) {
    auto channel = [](double v) {
        long n = std::lround(v * 255.0);
        return static_cast<std::uint8_t>(n < 0 ? 0 : (n > 255 ? 255 : n));
    };
    return Rgb{channel(c.red), channel(c.green), channel(c.blue)};
}

// A style context for a node path such as window > button.
GtkStyleContext* contextFor(std::initializer_list<std::pair<GType, const char*>> nodes) {
    GtkWidgetPath* path = gtk_widget_path_new();
    for (const auto& [type, name] : nodes) {
        gtk_widget_path_append_type(path, type);
        gtk_widget_path_iter_set_object_name(path, -1, name);
    }
    GtkStyleContext* ctx = gtk_style_context_new();
    gtk_style_context_set_path(ctx, path);
    gtk_widget_path_unref(path);
    return ctx;
}

std::optional<GdkRGBA> backgroundOf(GtkStyleContext* ctx, GtkStateFlags state) {
    GdkRGBA* bg = nullptr;
    gtk_style_context_get(ctx, state, "background-color", &bg, nullptr);
    if (!bg) return std::nullopt;
    GdkRGBA out = *bg;
    gdk_rgba_free(bg);
    if (out.alpha < 0.5) return std::nullopt;  // drawn by an image, not a colour
    return out;
}

// The windows a pass reaches under a table name: every main window, or the shared window
// (created when it does not exist yet and the pass may create it).
std::vector<Gtk::Window*> windowsNamed(ShellContext& app, std::string_view name, bool create) {
    std::vector<Gtk::Window*> out;
    if (name == kMainWindow) {
        for (frmBrowser* b : app.browsers()) out.push_back(b);
        return out;
    }
    std::string key(name);
    Gtk::Window* w =
        (create && passMayCreate(name)) ? app.windows().touch(key) : app.windows().find(key);
    if (w) out.push_back(w);
    return out;
}

// Runs `fn` on each target that exists: the window itself for an empty control name.
void forEachTarget(ShellContext& app, const Target& t,
                   const std::function<void(Gtk::Widget&)>& fn) {
    for (Gtk::Window* w : windowsNamed(app, t.window, true)) {
        if (t.control.empty()) {
            fn(*w);
        } else if (Gtk::Widget* c = findNamed(*w, t.control)) {
            fn(*c);
        }
    }
}

void colorCaptions(Gtk::Widget& w, ColorValue c) {
    if (dynamic_cast<Gtk::CheckButton*>(&w) || dynamic_cast<Gtk::Label*>(&w)) {
        style::setForeground(w, c);
    }
    if (auto* box = dynamic_cast<Gtk::Container*>(&w)) {
        for (Gtk::Widget* child : box->get_children()) colorCaptions(*child, c);
    }
}

}  // namespace

void readSystemColors() {
    GtkStyleContext* button =
        contextFor({{GTK_TYPE_WINDOW, "window"}, {GTK_TYPE_BUTTON, "button"}});
    GtkStyleContext* window = contextFor({{GTK_TYPE_WINDOW, "window"}});
    gtk_style_context_add_class(window, "background");  // as every toplevel window has

    GdkRGBA text;
    gtk_style_context_get_color(button, GTK_STATE_FLAG_NORMAL, &text);
    GdkRGBA gray;
    gtk_style_context_get_color(button, GTK_STATE_FLAG_INSENSITIVE, &gray);
    // Themes often paint the button face with a gradient image over a clear colour; the
    // window's own background is then the nearest plain face colour.
    std::optional<GdkRGBA> face = backgroundOf(button, GTK_STATE_FLAG_NORMAL);
    if (!face) face = backgroundOf(window, GTK_STATE_FLAG_NORMAL);

    Rgb faceRgb = face ? toRgb(*face) : resolveColor(kSysButtonFace);
    setSystemColors(faceRgb, toRgb(text), toRgb(gray));

    g_object_unref(button);
    g_object_unref(window);
}

void takeSampleLook(ShellContext& context, StyledButton& button) {
    button.setUseCustomColors(true);
    applyLook(button, context.options().sampleLook());
}

void forWidgetAndParts(Gtk::Widget& w, const std::function<void(Gtk::Widget&)>& fn) {
    fn(w);
    auto* box = dynamic_cast<Gtk::Container*>(&w);
    if (!box) return;
    std::vector<Gtk::Widget*> inner;
    gtk_container_forall(
        box->gobj(),
        [](GtkWidget* child, gpointer data) {
            static_cast<std::vector<Gtk::Widget*>*>(data)->push_back(Glib::wrap(child));
        },
        &inner);
    for (Gtk::Widget* child : inner) {
        if (child) forWidgetAndParts(*child, fn);
    }
}

Gtk::Widget* findNamed(Gtk::Widget& root, std::string_view name) {
    if (root.get_name() == Glib::ustring(name.data(), name.size())) return &root;
    if (auto* box = dynamic_cast<Gtk::Container*>(&root)) {
        for (Gtk::Widget* child : box->get_children()) {
            if (Gtk::Widget* found = findNamed(*child, name)) return found;
        }
    }
    return nullptr;
}

void applyButtonColors(ShellContext& context) {
    const OptionsModel& m = context.options();
    using Setter = void (StyledButton::*)(ColorValue);
    const std::pair<ColorValue, Setter> passes[] = {
        {m.buttonFontColor, &StyledButton::setFontColor},
        {m.buttonFontHighlightColor, &StyledButton::setFontHighlightColor},
        {m.buttonBackColor, &StyledButton::setBackColor},
        {m.buttonHighlightColor, &StyledButton::setHighlightColor},
    };
    for (const auto& [color, set] : passes) {
        for (const Target& t : buttonColorTargets()) {
            forEachTarget(context, t, [&, color = color, set = set](Gtk::Widget& w) {
                if (auto* b = dynamic_cast<StyledButton*>(&w)) (b->*set)(color);
            });
        }
    }
}

void applyProgramBackColor(ShellContext& context) {
    ColorValue c = context.options().programBackColor;
    for (const Target& t : backColorTargets()) {
        forEachTarget(context, t, [c](Gtk::Widget& w) { style::setBackground(w, c); });
    }
}

void applyProgramFontColor(ShellContext& context) {
    ColorValue c = context.options().programFontColor;
    for (const Target& t : fontColorTargets()) {
        if (t.window == kOptions && t.control.empty()) {
            forEachTarget(context, t, [c](Gtk::Widget& w) { colorCaptions(w, c); });
        } else {
            forEachTarget(context, t, [c](Gtk::Widget& w) { style::setForeground(w, c); });
        }
    }
}

}  // namespace larkspan::scheme
