#include "common/WidgetStyle.hpp"

#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>
#include <gtkmm/widget.h>

#include <cstdio>
#include <set>

namespace larkspan::style {

namespace {

struct State {
    Glib::RefPtr<Gtk::CssProvider> provider;
    std::optional<ColorValue> fg;
    std::optional<ColorValue> bg;
    std::optional<std::string> font;
};

const char* kKey = "larkspan-style";

// Every widget's style, so that a theme change reaches those drawn in system colours.
std::set<State*>& liveStates() {
    static std::set<State*> states;
    return states;
}

State& stateOf(Gtk::Widget& w) {
    auto* s = static_cast<State*>(w.get_data(kKey));
    if (!s) {
        s = new State;
        s->provider = Gtk::CssProvider::create();
        w.get_style_context()->add_provider(s->provider,
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
        liveStates().insert(s);
        w.set_data(kKey, s, [](void* p) {
            liveStates().erase(static_cast<State*>(p));
            delete static_cast<State*>(p);
        });
    }
    return *s;
}

// Font names come from the store: keep only characters that cannot break out of the
// quoted CSS string.
std::string quoteFamily(const std::string& family) {
    std::string out = "\"";
    for (char ch : family) {
        if (ch == '"' || ch == '\\' || ch == '\n' || ch == '\r' || ch == '{' || ch == '}' ||
            ch == ';')
            continue;
        out += ch;
    }
    return out + "\"";
}

void rebuild(State& s) {
    // Every part of the widget but a text selection, which keeps the theme's colours so that
    // selected text stays visible whatever the box's own colours are.
    std::string css = "*:not(selection) {";
    if (s.fg) css += " color: " + cssColor(*s.fg) + ";";
    if (s.bg) css += " background-color: " + cssColor(*s.bg) + "; background-image: none;";
    if (s.font && !s.font->empty()) css += " font-family: " + quoteFamily(*s.font) + ";";
    css += " }";
    try {
        s.provider->load_from_data(css);
    } catch (const Glib::Error&) {
        // A style that does not parse leaves the widget as it was.
    }
}

}  // namespace

void refreshSystemColors() {
    for (State* s : liveStates()) {
        if ((s->fg && isSystemColor(*s->fg)) || (s->bg && isSystemColor(*s->bg))) rebuild(*s);
    }
}

std::string cssColor(ColorValue c) {
    Rgb rgb = resolveColor(c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return buf;
}

void setForeground(Gtk::Widget& w, ColorValue c) {
    State& s = stateOf(w);
    s.fg = c;
    rebuild(s);
}

void setBackground(Gtk::Widget& w, ColorValue c) {
    State& s = stateOf(w);
    s.bg = c;
    rebuild(s);
}

void setFontFamily(Gtk::Widget& w, const std::string& family) {
    State& s = stateOf(w);
    s.font = family;
    rebuild(s);
}

std::optional<ColorValue> foreground(Gtk::Widget& w) {
    return stateOf(w).fg;
}
std::optional<ColorValue> background(Gtk::Widget& w) {
    return stateOf(w).bg;
}
std::optional<std::string> fontFamily(Gtk::Widget& w) {
    return stateOf(w).font;
}

}  // namespace larkspan::style
