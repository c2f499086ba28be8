#include "controls/StyledButton.hpp"

#include "common/Failure.hpp"
#include "controls/ButtonLook.hpp"

#include <gdkmm/cursor.h>
#include <gdkmm/rgba.h>
#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/window.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "controls/ButtonLink.hpp"

namespace larkspan {

namespace {

// MousePointer values and the cursors they stand for (0 leaves the default in place).
const char* cursorName(int pointer) {
    switch (pointer) {
        case 1:
            return "default";
        case 2:
            return "crosshair";
        case 3:
            return "text";
        case 4:
            return "default";
        case 5:
            return "move";
        case 6:
            return "nesw-resize";
        case 7:
            return "ns-resize";
        case 8:
            return "nwse-resize";
        case 9:
            return "ew-resize";
        case 10:
            return "n-resize";
        case 11:
            return "wait";
        case 12:
            return "not-allowed";
        case 13:
            return "progress";
        case 14:
            return "help";
        case 15:
            return "all-scroll";
        default:
            return nullptr;
    }
}

void clearWeak(GtkWidget*& ptr) {
    if (ptr != nullptr) {
        g_object_remove_weak_pointer(G_OBJECT(ptr), reinterpret_cast<gpointer*>(&ptr));
        ptr = nullptr;
    }
}

void setWeak(GtkWidget*& ptr, GtkWidget* target) {
    clearWeak(ptr);
    ptr = target;
    if (ptr != nullptr) g_object_add_weak_pointer(G_OBJECT(ptr), reinterpret_cast<gpointer*>(&ptr));
}

}  // namespace

StyledButton::StyledButton() : StyledButton(Glib::ustring("StyledButton")) {}

StyledButton::StyledButton(const Glib::ustring& name) : model_(name) {
    set_name(name);
    init(name);
}

StyledButton::StyledButton(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& /*builder*/)
    : Gtk::DrawingArea(cobject) {
    const gchar* id = gtk_buildable_get_name(GTK_BUILDABLE(cobject));
    Glib::ustring name =
        (id != nullptr && *id != '\0') ? Glib::ustring(id) : Glib::ustring("StyledButton");
    set_name(name);
    model_.setCaption(name);
    // A tooltip given to the placeholder is the button's own tooltip text.
    if (gtk_widget_get_has_tooltip(GTK_WIDGET(cobject))) {
        gchar* text = gtk_widget_get_tooltip_text(GTK_WIDGET(cobject));
        if (text != nullptr && *text != '\0') model_.setToolTipText(text);
        g_free(text);
    }
    init(name);
}

void StyledButton::init(const Glib::ustring& /*name*/) {
    add_events(Gdk::ENTER_NOTIFY_MASK | Gdk::LEAVE_NOTIFY_MASK | Gdk::POINTER_MOTION_MASK |
               Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK | Gdk::KEY_PRESS_MASK |
               Gdk::KEY_RELEASE_MASK | Gdk::FOCUS_CHANGE_MASK);
    set_can_focus(true);
    // The button shows its own tooltip; GTK's must never show as well.
    gtk_widget_set_tooltip_text(GTK_WIDGET(gobj()), nullptr);
    model_.clearPropertiesChanged();
    // Connected before any owner's handler, so the tooltip is gone before a dialog opens.
    model_.signalClick().connect(sigc::mem_fun(*this, &StyledButton::dropTooltip));
    model_.signalRedraw().connect(sigc::mem_fun(*this, &StyledButton::queue_draw));
    model_.signalTooltipShow().connect(sigc::mem_fun(*this, &StyledButton::onTooltipShow));
    model_.signalTooltipHide().connect(sigc::mem_fun(*this, &StyledButton::onTooltipHide));
    signal_state_flags_changed().connect(sigc::mem_fun(*this, &StyledButton::onStateFlagsChanged));
    // To assistive technology the button is a push button named by its caption.
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(gobj()))) {
        atk_object_set_role(accessible, ATK_ROLE_PUSH_BUTTON);
    }
    updateAccessibleName();
    // A button made by a window description is in its window already.
    followWindowFocus();
}

void StyledButton::updateAccessibleName() {
    if (AtkObject* accessible = gtk_widget_get_accessible(GTK_WIDGET(gobj()))) {
        std::string name = parseCaption(model_.caption()).text;
        if (name.empty()) name = model_.toolTipText();
        atk_object_set_name(accessible, name.c_str());
        atk_object_set_description(accessible, model_.toolTipText().c_str());
    }
}

StyledButton::~StyledButton() {
    *alive_ = false;
    windowFocus_.disconnect();
    tooltipTimer_.disconnect();
    tooltip_.reset();
    handBackContainerTooltip();
    unregisterAccessKey();
}

// ---- Properties needing more than the model --------------------------------------------------

void StyledButton::setCaption(const std::string& caption) {
    model_.setCaption(caption);
    updateAccessibleName();
    registerAccessKey();
    queue_resize();
}

void StyledButton::setToolTipText(const std::string& text) {
    model_.setToolTipText(text);
    updateAccessibleName();
}

void StyledButton::setIcon(const Glib::RefPtr<Gdk::Pixbuf>& icon) {
    model_.setIcon(icon);
    queue_resize();
}

bool StyledButton::setIconAlign(int align) {
    bool ok = model_.setIconAlign(align);
    queue_resize();
    return ok;
}

bool StyledButton::setIconSize(int pixels) {
    bool ok = model_.setIconSize(pixels);
    queue_resize();
    return ok;
}

void StyledButton::setEnabled(bool enabled) {
    auto alive = alive_;
    model_.setEnabled(enabled);  // may end a pass, raising MouseLeave
    if (!*alive) return;
    set_sensitive(enabled);
}

void StyledButton::setFont(const std::string& description) {
    model_.setFont(description);
    queue_resize();
}

void StyledButton::setMousePointer(int pointer) {
    model_.setMousePointer(pointer);
    applyCursor();
}

void StyledButton::copyLookFrom(const StyledButton& sample) {
    applyLook(*this, lookOf(sample));
}

void StyledButton::refresh() {
    queue_draw();
}

bool StyledButton::openLink(const std::string& link) {
    GAppLaunchContext* context = nullptr;
    if (GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(gobj()))) {
        context = G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display));
    }
    bool ok = openLinkWithDefaultHandler(link, context);
    if (context != nullptr) g_object_unref(context);
    return ok;
}

// ---- Drawing ----------------------------------------------------------------------------------

bool StyledButton::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    try {
        const int w = get_allocated_width();
        const int h = get_allocated_height();
        if (w <= 0 || h <= 0) return true;
        // The focus mark shows while the window shows where the keyboard focus is.
        if (auto* top = dynamic_cast<Gtk::Window*>(get_toplevel())) {
            model_.setKeyboardFocusVisible(top->get_focus_visible());
        }
        ButtonVisualState state = model_.drawState();
        if (!is_sensitive()) state = ButtonVisualState::Disabled;  // a disabled container
        ButtonPaintResult result;
        // Drawn at the window's scale factor, so that it stays sharp on a dense screen.
        cairo_surface_t* image = renderButtonImage(model_, state, w, h, get_scale_factor(), result);
        if (!image) return true;

        cr->save();
        cairo_set_source_surface(cr->cobj(), image, 0, 0);
        cr->paint();
        cr->restore();
        updateInputShape(image, result.styleDrawn, w, h);
        cairo_surface_destroy(image);
        if (result.themeUnavailable) model_.themeUnavailable();
    } catch (...) {
        reportFailure("drawing a styled button");
    }
    return true;
}

void StyledButton::updateInputShape(cairo_surface_t* image, int style, int w, int h) {
    Glib::RefPtr<Gdk::Window> window = get_window();
    if (!window || style < 0) return;
    // The theme look takes the outline the theme drew; the rounded looks their own outline.
    const bool themed = style == kThemeButtonStyle && model_.roundedBordersByTheme();
    const bool rect = buttonShapeIsRectangular(style) && !themed;
    const int key = themed ? 100 + style : style;
    if (rect &&
        (shapedStyle_ < 0 || (shapedStyle_ < 100 && buttonShapeIsRectangular(shapedStyle_)))) {
        shapedStyle_ = key;
        return;
    }
    if (key == shapedStyle_ && w == shapedW_ && h == shapedH_) return;
    shapedStyle_ = key;
    shapedW_ = w;
    shapedH_ = h;
    if (rect) {
        gdk_window_input_shape_combine_region(window->gobj(), nullptr, 0, 0);
        return;
    }
    // Clicks on the cut-off corners belong to what lies behind the button.
    cairo_region_t* region = nullptr;
    if (themed) {
        // The outline in pixels: the image may hold more device pixels than that.
        cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A1, w, h);
        cairo_t* cr = cairo_create(mask);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        region = gdk_cairo_region_create_from_surface(mask);
        cairo_surface_destroy(mask);
    } else {
        region = cairo_region_create();
        for (const ButtonSpan& s : buttonShapeSpans(style, w, h)) {
            cairo_rectangle_int_t r{s.x0, s.y, s.x1 - s.x0, 1};
            cairo_region_union_rectangle(region, &r);
        }
    }
    gdk_window_input_shape_combine_region(window->gobj(), region, 0, 0);
    cairo_region_destroy(region);
}

void StyledButton::get_preferred_width_vfunc(int& minimum, int& natural) const {
    int textW = 0;
    CaptionText caption = parseCaption(model_.caption());
    if (!caption.text.empty()) {
        PangoLayout* layout = gtk_widget_create_pango_layout(
            const_cast<GtkWidget*>(GTK_WIDGET(gobj())), caption.text.c_str());
        PangoFontDescription* font = pango_font_description_from_string(model_.font().c_str());
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        pango_layout_get_pixel_size(layout, &textW, nullptr);
        g_object_unref(layout);
    }
    int iconRoom = 0;
    if (model_.icon() && model_.iconSize() > 0 &&
        (model_.iconAlign() == 1 || model_.iconAlign() == 2)) {
        iconRoom = model_.iconSize() + 2;
    }
    const int m = ButtonModel::edgeMargin(model_.style());
    minimum = natural = std::max(75, textW + 2 * m + 12 + iconRoom);
}

void StyledButton::get_preferred_height_vfunc(int& minimum, int& natural) const {
    int textH = 0;
    CaptionText caption = parseCaption(model_.caption());
    if (!caption.text.empty()) {
        PangoLayout* layout = gtk_widget_create_pango_layout(
            const_cast<GtkWidget*>(GTK_WIDGET(gobj())), caption.text.c_str());
        PangoFontDescription* font = pango_font_description_from_string(model_.font().c_str());
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        pango_layout_get_pixel_size(layout, nullptr, &textH);
        g_object_unref(layout);
    }
    int iconH = 0;
    if (model_.icon() && model_.iconSize() > 0) {
        iconH = model_.iconSize();
        if (model_.iconAlign() == 3 || model_.iconAlign() == 4) iconH += textH + 2;
    }
    const int m = ButtonModel::edgeMargin(model_.style());
    minimum = natural = std::max({23, textH + 2 * m + 4, iconH + 2 * m});
}

// ---- Pointer ----------------------------------------------------------------------------------

bool StyledButton::insideShape(double x, double y) const {
    const int w = get_allocated_width();
    const int h = get_allocated_height();
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    const int style = model_.style();
    if (buttonShapeIsRectangular(style)) return true;
    const int px = static_cast<int>(std::floor(x));
    const int py = static_cast<int>(std::floor(y));
    for (const ButtonSpan& s : buttonShapeSpans(style, w, h)) {
        if (s.y == py) return px >= s.x0 && px < s.x1;
    }
    return false;
}

bool StyledButton::on_enter_notify_event(GdkEventCrossing* event) {
    try {
        pointerRootX_ = event->x_root;
        pointerRootY_ = event->y_root;
        // Coming back from a window inside the button is no new pass.
        if (event->detail != GDK_NOTIFY_INFERIOR) model_.mouseMove(insideShape(event->x, event->y));
    } catch (...) {
        reportFailure("handling a styled button's pointer entry");
    }
    return false;
}

bool StyledButton::on_leave_notify_event(GdkEventCrossing* event) {
    try {
        // Moving into a window inside the button does not leave it.
        if (event->detail != GDK_NOTIFY_INFERIOR) model_.mouseLeave();
    } catch (...) {
        reportFailure("handling a styled button's pointer exit");
    }
    return false;
}

bool StyledButton::on_motion_notify_event(GdkEventMotion* event) {
    try {
        pointerRootX_ = event->x_root;
        pointerRootY_ = event->y_root;
        model_.mouseMove(insideShape(event->x, event->y));
    } catch (...) {
        reportFailure("handling a styled button's pointer motion");
    }
    return false;
}

bool StyledButton::on_button_press_event(GdkEventButton* event) {
    try {
        // A double click arrives as a second plain press (handled as another left button
        // down) followed by GDK_2BUTTON_PRESS, which must not count again.
        if (event->type != GDK_BUTTON_PRESS) return true;
        if (event->button != 1 || !model_.enabled()) return true;
        dropTooltip();
        if (get_can_focus() && !has_focus()) grab_focus();
        model_.leftButtonDown();
    } catch (...) {
        reportFailure("handling a styled button's mouse press");
    }
    return true;
}

bool StyledButton::on_button_release_event(GdkEventButton* event) {
    try {
        if (event->button == 1) {
            model_.leftButtonUp(insideShape(event->x, event->y));  // may raise Click
        } else {
            model_.otherButtonUp(static_cast<int>(event->button));
        }
    } catch (...) {
        reportFailure("handling a styled button's mouse release");
    }
    return true;
}

// ---- Keyboard and focus ------------------------------------------------------------------------

void StyledButton::moveFocus(GtkDirectionType direction) {
    Gtk::Widget* top = get_toplevel();
    if (top == nullptr || !top->get_is_toplevel() || !GTK_IS_WINDOW(top->gobj())) return;
    g_signal_emit_by_name(top->gobj(), "move-focus", direction);
}

bool StyledButton::on_key_press_event(GdkEventKey* event) {
    try {
        switch (event->keyval) {
            case GDK_KEY_space:
            case GDK_KEY_KP_Space:
                model_.spaceDown();
                return true;
            case GDK_KEY_Return:
            case GDK_KEY_KP_Enter:
            case GDK_KEY_ISO_Enter:
                // Enter presses the focused button at once, as it does a push button.
                model_.accessKey();
                return true;
            case GDK_KEY_Right:
            case GDK_KEY_Down:
            case GDK_KEY_KP_Right:
            case GDK_KEY_KP_Down:
                moveFocus(GTK_DIR_TAB_FORWARD);
                return true;
            case GDK_KEY_Left:
            case GDK_KEY_Up:
            case GDK_KEY_KP_Left:
            case GDK_KEY_KP_Up:
                moveFocus(GTK_DIR_TAB_BACKWARD);
                return true;
            case GDK_KEY_Tab:
            case GDK_KEY_ISO_Left_Tab:
            case GDK_KEY_KP_Tab: {
                auto alive = alive_;
                model_.tabKey();  // raises MouseLeave; the window then moves the focus
                if (!*alive) return true;
                break;
            }
            default:
                break;
        }
        return Gtk::DrawingArea::on_key_press_event(event);
    } catch (...) {
        reportFailure("handling a styled button's key press");
        return true;
    }
}

bool StyledButton::on_key_release_event(GdkEventKey* event) {
    try {
        if (event->keyval == GDK_KEY_space || event->keyval == GDK_KEY_KP_Space) {
            model_.spaceUp();  // may raise Click
            return true;
        }
        return Gtk::DrawingArea::on_key_release_event(event);
    } catch (...) {
        reportFailure("handling a styled button's key release");
        return true;
    }
}

bool StyledButton::on_focus_in_event(GdkEventFocus* event) {
    try {
        model_.focusIn();
    } catch (...) {
        reportFailure("handling a styled button's focus entry");
    }
    return Gtk::DrawingArea::on_focus_in_event(event);
}

bool StyledButton::on_focus_out_event(GdkEventFocus* event) {
    try {
        model_.focusOut();
    } catch (...) {
        reportFailure("handling a styled button's focus exit");
    }
    return Gtk::DrawingArea::on_focus_out_event(event);
}

bool StyledButton::on_mnemonic_activate(bool group_cycling) {
    try {
        if (!model_.enabled() || !is_sensitive()) return false;
        if (group_cycling) {
            // Several controls share the key: move between them instead of clicking.
            grab_focus();
            return true;
        }
        model_.accessKey();  // may raise Click
    } catch (...) {
        reportFailure("handling a styled button's access key");
    }
    return true;
}

void StyledButton::registerAccessKey() {
    unregisterAccessKey();
    CaptionText caption = parseCaption(model_.caption());
    if (caption.accessKey == 0) return;
    Gtk::Widget* top = get_toplevel();
    if (top == nullptr || !top->get_is_toplevel() || !GTK_IS_WINDOW(top->gobj())) return;
    guint key = gdk_keyval_to_lower(gdk_unicode_to_keyval(caption.accessKey));
    gtk_window_add_mnemonic(GTK_WINDOW(top->gobj()), key, GTK_WIDGET(gobj()));
    setWeak(mnemonicWindow_, GTK_WIDGET(top->gobj()));
    mnemonicKey_ = key;
}

void StyledButton::unregisterAccessKey() {
    if (mnemonicWindow_ == nullptr) return;
    if (gobj() != nullptr) {
        gtk_window_remove_mnemonic(GTK_WINDOW(mnemonicWindow_), mnemonicKey_, GTK_WIDGET(gobj()));
    }
    clearWeak(mnemonicWindow_);
    mnemonicKey_ = 0;
}

// ---- Life cycle ---------------------------------------------------------------------------------

void StyledButton::on_hierarchy_changed(Gtk::Widget* previous_toplevel) {
    try {
        Gtk::DrawingArea::on_hierarchy_changed(previous_toplevel);
        registerAccessKey();
        followWindowFocus();
    } catch (...) {
        reportFailure("registering a styled button's access key");
    }
}

void StyledButton::on_style_updated() {
    Gtk::DrawingArea::on_style_updated();
    try {
        auto context = get_style_context();
        model_.setInitialFont(context->get_font().to_string());
        Gdk::RGBA selected;
        if (context->lookup_color("theme_selected_bg_color", selected)) {
            model_.setSystemHighlight(Rgb{static_cast<std::uint8_t>(selected.get_red_u() >> 8),
                                          static_cast<std::uint8_t>(selected.get_green_u() >> 8),
                                          static_cast<std::uint8_t>(selected.get_blue_u() >> 8)});
        }
        model_.appearanceChanged();
        queue_resize();
    } catch (...) {
        reportFailure("taking the theme's font and colours for a styled button");
    }
}

void StyledButton::on_realize() {
    Gtk::DrawingArea::on_realize();
    shapedStyle_ = -1;
    applyCursor();
}

void StyledButton::applyCursor() {
    Glib::RefPtr<Gdk::Window> window = get_window();
    if (!window) return;
    const char* name = cursorName(model_.mousePointer());
    if (name == nullptr) {
        window->set_cursor();
        return;
    }
    window->set_cursor(Gdk::Cursor::create(get_display(), name));
}

void StyledButton::on_map() {
    Gtk::DrawingArea::on_map();
    model_.markShown();
}

void StyledButton::on_unmap() {
    try {
        // A hidden button is left by the pointer.
        auto alive = alive_;
        model_.mouseLeave();
        if (!*alive) return;
    } catch (...) {
        reportFailure("hiding a styled button");
    }
    Gtk::DrawingArea::on_unmap();
}

void StyledButton::onStateFlagsChanged(Gtk::StateFlags /*previous*/) {
    try {
        // Made insensitive (by itself or a container): no further crossing events come, so
        // the current pass ends here.
        if (!is_sensitive() && model_.tracking()) model_.mouseLeave();
        queue_draw();
    } catch (...) {
        reportFailure("handling a styled button's change of sensitivity");
    }
}

// ---- Tooltip
// --------------------------------------------------------------------------------------

void StyledButton::onTooltipShow() {
    takeOverContainerTooltip();
    tooltipTimer_.disconnect();
    tooltip_.reset();
    if (tooltipContent(model_, takenOverText_).empty()) return;
    if (tooltipDelayMs_ == 0) {
        onTooltipTimeout();
        return;
    }
    tooltipTimer_ = Glib::signal_timeout().connect(
        sigc::mem_fun(*this, &StyledButton::onTooltipTimeout), tooltipDelayMs_);
}

bool StyledButton::onTooltipTimeout() {
    try {
        if (!model_.tracking() || !get_mapped()) return false;
        ButtonTooltipContent content = tooltipContent(model_, takenOverText_);
        if (content.empty()) return false;
        tooltip_ = std::make_unique<ButtonTooltipWindow>(std::move(content));
        tooltip_->set_screen(get_screen());
        tooltip_->showAt(static_cast<int>(std::lround(pointerRootX_)),
                         static_cast<int>(std::lround(pointerRootY_)));
    } catch (...) {
        reportFailure("showing a styled button's tooltip");
        tooltip_.reset();
    }
    return false;
}

void StyledButton::onTooltipHide() {
    dropTooltip();
    handBackContainerTooltip();
}

void StyledButton::dropTooltip() {
    tooltipTimer_.disconnect();
    tooltip_.reset();
}

void StyledButton::followWindowFocus() {
    windowFocus_.disconnect();
    auto* window = dynamic_cast<Gtk::Window*>(get_toplevel());
    if (window == nullptr) return;
    windowFocus_ = window->property_is_active().signal_changed().connect([this, window] {
        if (!window->is_active()) dropTooltip();
    });
}

void StyledButton::takeOverContainerTooltip() {
    if (tooltipOwner_ != nullptr) return;
    for (GtkWidget* w = gtk_widget_get_parent(GTK_WIDGET(gobj())); w != nullptr;
         w = gtk_widget_get_parent(w)) {
        if (!gtk_widget_get_has_tooltip(w)) continue;
        gchar* markup = gtk_widget_get_tooltip_markup(w);
        gchar* text = gtk_widget_get_tooltip_text(w);
        ownerHadMarkup_ = markup != nullptr;
        ownerMarkup_ = markup != nullptr ? markup : "";
        takenOverText_ = text != nullptr ? text : "";
        ownerHadTooltip_ = true;
        g_free(markup);
        g_free(text);
        gtk_widget_set_tooltip_text(w, nullptr);  // blank: only one tooltip shows
        setWeak(tooltipOwner_, w);
        return;
    }
}

void StyledButton::handBackContainerTooltip() {
    if (tooltipOwner_ != nullptr) {
        // Give the tooltip back unless the container has been given a new one meanwhile.
        gchar* now = gtk_widget_get_tooltip_markup(tooltipOwner_);
        bool untouched = now == nullptr && !gtk_widget_get_has_tooltip(tooltipOwner_);
        g_free(now);
        if (untouched) {
            if (ownerHadMarkup_) gtk_widget_set_tooltip_markup(tooltipOwner_, ownerMarkup_.c_str());
            gtk_widget_set_has_tooltip(tooltipOwner_, ownerHadTooltip_);
        }
        clearWeak(tooltipOwner_);
    }
    takenOverText_.clear();
    ownerMarkup_.clear();
    ownerHadMarkup_ = false;
    ownerHadTooltip_ = false;
}

}  // namespace larkspan
