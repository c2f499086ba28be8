#pragma once

// StyledButton: the program's own drawn push button.
//
// It is a Gtk::DrawingArea that takes the focus. In a window description put a
// GtkDrawingArea placeholder where the button goes and fetch it with
//
//     StyledButton* b = nullptr;
//     builder->get_widget_derived("cmdDelete", b);
//
//     <object class="GtkDrawingArea" id="cmdDelete">
//       <property name="visible">True</property>
//       <property name="can-focus">True</property>
//     </object>
//
// The placeholder's id becomes the button's widget name and its first caption; a
// tooltip-text given to the placeholder becomes the button's ToolTipText. Everything else
// (Caption, Style, colours, ...) is set in code by the window that owns the button.
//
// The button's rules live in ButtonModel and its drawing in ButtonPainter; this class feeds
// GTK's pointer, keyboard and focus events into the model, paints the painter's image, shapes
// its input to the rounded looks, registers the caption's access key with its window, and
// shows the button's own tooltip (taking the container's tooltip over while the pointer is
// on the button; gone once the button is clicked or its window loses the focus, as when a
// dialog opens). To assistive technology it is a push button named by its caption, or by
// its tooltip when it has no caption.

#include <gtkmm/builder.h>
#include <gtkmm/drawingarea.h>

#include <memory>
#include <string>

#include "controls/ButtonModel.hpp"
#include "controls/ButtonPainter.hpp"
#include "controls/ButtonTooltip.hpp"

namespace larkspan {

class StyledButton : public Gtk::DrawingArea {
  public:
    StyledButton();
    // A new button named `name` (its widget name and first caption).
    explicit StyledButton(const Glib::ustring& name);
    // For Gtk::Builder::get_widget_derived on a GtkDrawingArea placeholder.
    StyledButton(BaseObjectType* cobject, const Glib::RefPtr<Gtk::Builder>& builder);
    ~StyledButton() override;

    StyledButton(const StyledButton&) = delete;
    StyledButton& operator=(const StyledButton&) = delete;

    ButtonModel& model() { return model_; }
    const ButtonModel& model() const { return model_; }

    // ---- Properties.
    std::string_view version() const { return model_.version(); }
    int style() const { return model_.style(); }
    bool setStyle(int style) { return model_.setStyle(style); }
    const std::string& caption() const { return model_.caption(); }
    void setCaption(const std::string& caption);
    Glib::RefPtr<Gdk::Pixbuf> icon() const { return model_.icon(); }
    void setIcon(const Glib::RefPtr<Gdk::Pixbuf>& icon);
    int iconAlign() const { return model_.iconAlign(); }
    bool setIconAlign(int align);
    int iconSize() const { return model_.iconSize(); }
    bool setIconSize(int pixels);
    int captionAlign() const { return model_.captionAlign(); }
    void setCaptionAlign(int align) { model_.setCaptionAlign(align); }
    int nonThemeStyle() const { return model_.nonThemeStyle(); }
    bool setNonThemeStyle(int style) { return model_.setNonThemeStyle(style); }
    bool enabled() const { return model_.enabled(); }
    void setEnabled(bool enabled);
    bool showFocus() const { return model_.showFocus(); }
    void setShowFocus(bool show) { model_.setShowFocus(show); }
    bool useCustomColors() const { return model_.useCustomColors(); }
    void setUseCustomColors(bool use) { model_.setUseCustomColors(use); }
    ColorValue backColor() const { return model_.backColor(); }
    void setBackColor(ColorValue c) { model_.setBackColor(c); }
    ColorValue highlightColor() const { return model_.highlightColor(); }
    void setHighlightColor(ColorValue c) { model_.setHighlightColor(c); }
    ColorValue fontColor() const { return model_.fontColor(); }
    void setFontColor(ColorValue c) { model_.setFontColor(c); }
    ColorValue fontHighlightColor() const { return model_.fontHighlightColor(); }
    void setFontHighlightColor(ColorValue c) { model_.setFontHighlightColor(c); }
    const std::string& toolTipText() const { return model_.toolTipText(); }
    void setToolTipText(const std::string& text);
    const std::string& toolTipTitle() const { return model_.toolTipTitle(); }
    void setToolTipTitle(const std::string& title) { model_.setToolTipTitle(title); }
    int toolTipIcon() const { return model_.toolTipIcon(); }
    void setToolTipIcon(int icon) { model_.setToolTipIcon(icon); }
    int toolTipType() const { return model_.toolTipType(); }
    void setToolTipType(int type) { model_.setToolTipType(type); }
    ColorValue toolTipBackColor() const { return model_.toolTipBackColor(); }
    void setToolTipBackColor(ColorValue c) { model_.setToolTipBackColor(c); }
    ColorValue toolTipForeColor() const { return model_.toolTipForeColor(); }
    void setToolTipForeColor(ColorValue c) { model_.setToolTipForeColor(c); }
    const std::string& font() const { return model_.font(); }
    void setFont(const std::string& description);
    int buttonType() const { return model_.buttonType(); }
    bool setButtonType(int type) { return model_.setButtonType(type); }
    int mousePointer() const { return model_.mousePointer(); }
    void setMousePointer(int pointer);
    bool value() const { return model_.value(); }
    void setValue(bool value) { model_.setValue(value); }
    ColorValue maskColor() const { return model_.maskColor(); }
    void setMaskColor(ColorValue c) { model_.setMaskColor(c); }
    bool useMaskColor() const { return model_.useMaskColor(); }
    void setUseMaskColor(bool use) { model_.setUseMaskColor(use); }
    bool roundedBordersByTheme() const { return model_.roundedBordersByTheme(); }
    void setRoundedBordersByTheme(bool rounded) { model_.setRoundedBordersByTheme(rounded); }
    bool rightToLeft() const { return model_.rightToLeft(); }
    void setRightToLeft(bool rtl) { model_.setRightToLeft(rtl); }

    // Copies the button look of a sample button: style, font colour, back colour, highlight
    // colour and font highlight colour, in that order.
    void copyLookFrom(const StyledButton& sample);

    // Takes every property from stored values (see ButtonModel::readProperties).
    void readProperties(const ButtonPropertyBag& bag);
    void writeProperties(ButtonPropertyBag& bag) const { model_.writeProperties(bag); }

    // ---- Methods.
    void refresh();
    // Opens link with the desktop's default handler; true when it was handed over.
    bool openLink(const std::string& link);
    static bool paintIconGrayscale(cairo_t* cr, const Glib::RefPtr<Gdk::Pixbuf>& icon, int x, int y,
                                   int height, int width) {
        return larkspan::paintIconGrayscale(cr, icon, x, y, height, width);
    }

    // ---- Events.
    sigc::signal<void()>& signal_click() { return model_.signalClick(); }
    sigc::signal<void()>& signal_mouse_enter() { return model_.signalMouseEnter(); }
    sigc::signal<void()>& signal_mouse_leave() { return model_.signalMouseLeave(); }

    // ---- The tooltip.
    // The tooltip window while one is up (shown after the hover delay), else null.
    ButtonTooltipWindow* tooltipWindow() { return tooltip_.get(); }
    // Delay between MouseEnter and the tooltip appearing (500 ms unless set).
    void setTooltipDelay(unsigned milliseconds) { tooltipDelayMs_ = milliseconds; }

  protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_enter_notify_event(GdkEventCrossing* event) override;
    bool on_leave_notify_event(GdkEventCrossing* event) override;
    bool on_motion_notify_event(GdkEventMotion* event) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_button_release_event(GdkEventButton* event) override;
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_key_release_event(GdkEventKey* event) override;
    bool on_focus_in_event(GdkEventFocus* event) override;
    bool on_focus_out_event(GdkEventFocus* event) override;
    bool on_mnemonic_activate(bool group_cycling) override;
    void on_style_updated() override;
    void on_hierarchy_changed(Gtk::Widget* previous_toplevel) override;
    void on_realize() override;
    void on_map() override;
    void on_unmap() override;
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;

  private:
    void init(const Glib::ustring& name);
    void updateAccessibleName();
    bool insideShape(double x, double y) const;
    void onTooltipShow();
    void onTooltipHide();
    bool onTooltipTimeout();
    void takeOverContainerTooltip();
    void handBackContainerTooltip();
    void registerAccessKey();
    void unregisterAccessKey();
    void applyCursor();
    void updateInputShape(cairo_surface_t* image, int style, int w, int h);
    void moveFocus(GtkDirectionType direction);
    void onStateFlagsChanged(Gtk::StateFlags previous);
    // Takes the tooltip down (the pass goes on: the pointer may still be on the button).
    void dropTooltip();
    void followWindowFocus();

    ButtonModel model_;
    std::unique_ptr<ButtonTooltipWindow> tooltip_;
    sigc::connection tooltipTimer_;
    unsigned tooltipDelayMs_ = 500;
    double pointerRootX_ = 0;
    double pointerRootY_ = 0;

    // The container whose tooltip is taken over while the pointer is on the button.
    GtkWidget* tooltipOwner_ = nullptr;  // weak pointer
    std::string ownerMarkup_;
    bool ownerHadMarkup_ = false;
    bool ownerHadTooltip_ = false;
    std::string takenOverText_;

    GtkWidget* mnemonicWindow_ = nullptr;  // weak pointer to the window holding the key
    sigc::connection windowFocus_;         // the toplevel's loss of the focus
    guint mnemonicKey_ = 0;

    int shapedStyle_ = -1;
    int shapedW_ = -1;
    int shapedH_ = -1;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace larkspan
