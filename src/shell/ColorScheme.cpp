#include "shell/ColorScheme.hpp"

#include <glibmm/main.h>
#include <gtkmm/container.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/settings.h>
#include <gtkmm/stylecontext.h>
#include <gtkmm/window.h>

#include <cmath>
#include <functional>
#include <string>

#include "common/WidgetStyle.hpp"
#include "controls/ButtonLook.hpp"
#include "controls/StyledButton.hpp"
#include "settings/OptionsModel.hpp"
#include "shell/ShellContext.hpp"

namespace larkspan::scheme {

// A coloured widget's own parts (a check box's box, a frame's border) take the colour with
// it; the widgets inside it do not.
std::string programBackCss(ColorValue back) {
    std::string c = std::string(".") + kProgramBackClass;
    return c + ", " + c + " > check, " + c + " > radio, " + c +
           " > border { background-color: " + style::cssColor(back) + "; background-image: none; }";
}

std::string programTextCss(ColorValue text) {
    std::string t = std::string(".") + kProgramTextClass;
    std::string c = std::string(".") + kProgramCaptionsClass;
    return t + ", " + c + " label, " + c + " checkbutton, " + c + " checkbutton > check, " + c +
           " radiobutton, " + c + " radiobutton > radio { color: " + style::cssColor(text) + "; }";
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

// How far a hovered button's face moves from the face towards the text.
constexpr double kHoverShare = 0.1;

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

}  // namespace

void readSystemColors() {
    GtkStyleContext* button =
        contextFor({{GTK_TYPE_WINDOW, "window"}, {GTK_TYPE_BUTTON, "button"}});
    GtkStyleContext* window = contextFor({{GTK_TYPE_WINDOW, "window"}});
    gtk_style_context_add_class(window, "background");  // as every toplevel window has
    GtkStyleContext* entry = contextFor({{GTK_TYPE_WINDOW, "window"}, {GTK_TYPE_ENTRY, "entry"}});
    GtkStyleContext* label = contextFor({{GTK_TYPE_WINDOW, "window"}, {GTK_TYPE_LABEL, "label"}});

    GdkRGBA text;
    gtk_style_context_get_color(button, GTK_STATE_FLAG_NORMAL, &text);
    GdkRGBA gray;
    gtk_style_context_get_color(button, GTK_STATE_FLAG_INSENSITIVE, &gray);
    // Themes often paint the button face with a gradient image over a clear colour; the
    // window's own background is then the nearest plain face colour.
    std::optional<GdkRGBA> face = backgroundOf(button, GTK_STATE_FLAG_NORMAL);
    if (!face) face = backgroundOf(window, GTK_STATE_FLAG_NORMAL);

    SystemColors colors;
    if (face) colors.buttonFace = toRgb(*face);
    colors.buttonText = toRgb(text);
    colors.grayText = toRgb(gray);
    // The text boxes: their own back colour, else the window's with the window's text.
    GdkRGBA entryText;
    gtk_style_context_get_color(entry, GTK_STATE_FLAG_NORMAL, &entryText);
    colors.windowText = toRgb(entryText);
    if (auto base = backgroundOf(entry, GTK_STATE_FLAG_NORMAL)) {
        colors.window = toRgb(*base);
    } else if (auto back = backgroundOf(window, GTK_STATE_FLAG_NORMAL)) {
        colors.window = toRgb(*back);
    }
    // A hovered button lifts a little from the face towards the text, on a light theme and
    // a dark one alike (themes draw their own hover with images, not colours); hot text is
    // the theme's link colour.
    colors.buttonHover = mixRgb(colors.buttonFace, colors.buttonText, kHoverShare);
    GdkRGBA link;
    gtk_style_context_get_color(label, GTK_STATE_FLAG_LINK, &link);
    colors.hotText = toRgb(link);
    setSystemColors(colors);

    g_object_unref(button);
    g_object_unref(window);
    g_object_unref(entry);
    g_object_unref(label);
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

namespace {

// One provider per colour, on the screen for the whole run; its sheet is replaced only
// when the colour changed.
class ColorProvider {
  public:
    // The sheet of `color`, made by `sheet`; kept to be made again when the theme changes.
    void show(ColorValue color, std::string (*sheet)(ColorValue)) {
        color_ = color;
        sheet_ = sheet;
        show(sheet(color));
    }
    // The same colour again, as the theme now resolves it.
    void refresh() {
        if (sheet_) show(sheet_(color_));
    }

  private:
    void show(const std::string& css) {
        if (css == css_) return;
        if (!provider_) {
            provider_ = Gtk::CssProvider::create();
            auto screen = Gdk::Screen::get_default();
            if (!screen) return;
            // Below the per-widget looks, so that a swatch or a hovered link keeps its own.
            Gtk::StyleContext::add_provider_for_screen(screen, provider_,
                                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        }
        try {
            provider_->load_from_data(css);
            css_ = css;
        } catch (const Glib::Error&) {
            // A sheet that does not parse leaves the windows as they were.
        }
    }

    Glib::RefPtr<Gtk::CssProvider> provider_;
    std::string css_;
    ColorValue color_ = 0;
    std::string (*sheet_)(ColorValue) = nullptr;
};

ColorProvider& backProvider() {
    static ColorProvider p;
    return p;
}
ColorProvider& textProvider() {
    static ColorProvider p;
    return p;
}

}  // namespace

void applyProgramColors(ShellContext& context) {
    const OptionsModel& m = context.options();
    // Back colour first, as the passes have always run.
    backProvider().show(m.programBackColor, &programBackCss);
    textProvider().show(m.programFontColor, &programTextCss);
}

namespace {

// The theme changed: the system colours are read again and everything drawn in one of
// them takes its new value.
void takeNewTheme() {
    readSystemColors();
    style::refreshSystemColors();
    backProvider().refresh();
    textProvider().refresh();
    // The drawn controls resolve their colours as they paint.
    for (Gtk::Window* w : Gtk::Window::list_toplevels()) w->queue_draw();
}

}  // namespace

void followDesktopTheme() {
    static bool following = false;
    Glib::RefPtr<Gtk::Settings> settings = Gtk::Settings::get_default();
    if (following || !settings) return;
    following = true;
    // GTK loads the new theme as the setting changes; the colours are read once it has.
    auto changed = [] { Glib::signal_idle().connect_once(&takeNewTheme); };
    settings->property_gtk_theme_name().signal_changed().connect(changed);
    settings->property_gtk_application_prefer_dark_theme().signal_changed().connect(changed);
}

void followButtonLook(ShellContext& context, StyledButton& button, bool takesStyle) {
    takeSampleLook(context, button);
    auto follow = [&context, &button, takesStyle] {
        ButtonLook look = context.options().sampleLook();
        button.setFontColor(look.fontColor);
        button.setFontHighlightColor(look.fontHighlightColor);
        button.setBackColor(look.backColor);
        button.setHighlightColor(look.highlightColor);
        if (takesStyle) button.setStyle(look.style);
    };
    context.options().signalApplied().connect(sigc::track_obj(follow, button));
}

}  // namespace larkspan::scheme
