#pragma once

// The styled push button without any window: its properties with their defaults, the
// visual state machine fed by mouse, keyboard and focus input, the colour rules per state
// and the reading and writing of its properties. The GTK widget (StyledButton) feeds events
// in and paints what ButtonPainter draws from this model; tests drive it directly.

#include <gdkmm/pixbuf.h>
#include <sigc++/signal.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/Color.hpp"

namespace larkspan {

// The visual states of the button, numbered as the program has always numbered them.
enum class ButtonVisualState : int { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4 };

// The system's selection colour, the default highlight (face colour when hot or pressed).
inline constexpr ColorValue kSysHighlight = static_cast<ColorValue>(0x8000000D);

// Looks: 0 to 10. 6 follows the desktop theme.
inline constexpr int kButtonStyleMin = 0;
inline constexpr int kButtonStyleMax = 10;
inline constexpr int kThemeButtonStyle = 6;
// The look used in place of the theme look when NonThemeStyle itself names the theme look.
inline constexpr int kDefaultNonThemeStyle = 5;

enum class IconAlign : int { Center = 0, Left = 1, Right = 2, Top = 3, Bottom = 4 };
enum class CaptionAlign : int { Center = 0, Left = 1, Right = 2 };
enum class ToolTipIconKind : int { None = 0, Info = 1, Warning = 2, Error = 3 };

// A caption with its access-key marker removed: "&Save" gives "Save" with the "S"
// underlined and 's' as key; "&&" stands for a literal "&".
struct CaptionText {
    std::string text;         // valid UTF-8
    int underlineStart = -1;  // byte range of the underlined character, -1 when none
    int underlineEnd = -1;
    std::uint32_t accessKey = 0;  // lower-case Unicode character, 0 when none
};
CaptionText parseCaption(std::string_view caption);

// Stored property values by name; names match without regard to letter case.
class ButtonPropertyBag {
  public:
    void write(std::string_view name, std::string value);
    std::optional<std::string> read(std::string_view name) const;
    bool contains(std::string_view name) const { return read(name).has_value(); }
    std::size_t size() const { return values_.size(); }

  private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, std::string, NoCaseLess> values_;
};

class ButtonModel {
  public:
    // A newly placed button: look 0, caption = the control's own name.
    explicit ButtonModel(std::string name = "StyledButton");
    ~ButtonModel();
    ButtonModel(const ButtonModel&) = delete;
    ButtonModel& operator=(const ButtonModel&) = delete;

    static constexpr std::string_view kVersion = "1.0.0";
    std::string_view version() const { return kVersion; }

    // ---- Properties. Setters return false (and change nothing) for values out of range.
    int style() const { return style_; }
    bool setStyle(int style);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const Glib::RefPtr<Gdk::Pixbuf>& icon() const { return icon_; }
    void setIcon(Glib::RefPtr<Gdk::Pixbuf> icon);
    int iconAlign() const { return iconAlign_; }
    bool setIconAlign(int align);
    int iconSize() const { return iconSize_; }
    bool setIconSize(int pixels);  // 0 to kMaxIconSize
    int captionAlign() const { return captionAlign_; }
    void setCaptionAlign(int align);  // 0 centre, 1 left, 2 right; others draw centred
    int nonThemeStyle() const { return nonThemeStyle_; }
    bool setNonThemeStyle(int style);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool showFocus() const { return showFocus_; }
    void setShowFocus(bool show);
    bool useCustomColors() const { return useCustomColors_; }
    void setUseCustomColors(bool use);
    ColorValue backColor() const { return backColor_; }
    void setBackColor(ColorValue c);
    ColorValue highlightColor() const { return highlightColor_; }
    void setHighlightColor(ColorValue c);
    ColorValue fontColor() const { return fontColor_; }
    void setFontColor(ColorValue c);
    ColorValue fontHighlightColor() const { return fontHighlightColor_; }
    void setFontHighlightColor(ColorValue c);
    const std::string& toolTipText() const { return toolTipText_; }
    void setToolTipText(std::string text);
    const std::string& toolTipTitle() const { return toolTipTitle_; }
    void setToolTipTitle(std::string title);
    int toolTipIcon() const { return toolTipIcon_; }
    void setToolTipIcon(int icon);  // 0 none, 1 information, 2 warning, 3 error
    int toolTipType() const { return toolTipType_; }
    void setToolTipType(int type);  // 1 balloon, anything else rectangular
    bool toolTipIsBalloon() const { return toolTipType_ == 1; }
    ColorValue toolTipBackColor() const { return toolTipBackColor_; }
    void setToolTipBackColor(ColorValue c);  // 0 keeps the system colour
    ColorValue toolTipForeColor() const { return toolTipForeColor_; }
    void setToolTipForeColor(ColorValue c);  // 0 keeps the system colour
    // A font description such as "Sans Bold 9"; empty means the control's initial font.
    const std::string& font() const { return font_.empty() ? initialFont_ : font_; }
    void setFont(std::string description);
    void setInitialFont(std::string description);  // the control's initial font, not persisted
    int buttonType() const { return buttonType_; }
    bool setButtonType(int type);  // 0 push button, 1 toggle button
    bool isToggle() const { return buttonType_ == 1; }
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    bool value() const { return value_; }
    void setValue(bool value);
    ColorValue maskColor() const { return maskColor_; }
    void setMaskColor(ColorValue c);
    bool useMaskColor() const { return useMaskColor_; }
    void setUseMaskColor(bool use);
    bool roundedBordersByTheme() const { return roundedBordersByTheme_; }
    void setRoundedBordersByTheme(bool rounded);
    bool rightToLeft() const { return rightToLeft_; }
    void setRightToLeft(bool rtl);

    static constexpr int kMaxIconSize = 1024;

    // ---- Persistence.
    // Reads every property from the bag; a missing or malformed value gives the property's
    // default (Style 3 and Caption "StyledButton" for a button read without them).
    void readProperties(const ButtonPropertyBag& bag);
    void writeProperties(ButtonPropertyBag& bag) const;
    bool propertiesChanged() const { return propertiesChanged_; }
    void clearPropertiesChanged() { propertiesChanged_ = false; }

    // ---- Input to the state machine.
    void mouseMove(bool inside);  // pointer moved; inside = over the button
    void mouseLeave();
    void leftButtonDown();           // also a double click
    void leftButtonUp(bool inside);  // clicks when released over the button
    void otherButtonUp(int button);  // remembered as the last button released
    void spaceDown();
    void spaceUp();
    void accessKey();
    void tabKey();
    void focusIn();
    void focusOut();
    void appearanceChanged();  // system colours, theme or default-button display changed
    void markShown();

    // ---- Internal state.
    ButtonVisualState state() const { return state_; }
    // The state the button is drawn in: pressed for a toggle whose Value is True, disabled
    // for a disabled button, the visual state otherwise.
    ButtonVisualState drawState() const;
    bool tracking() const { return tracking_; }
    bool hasFocus() const { return hasFocus_; }
    // Whether the window shows where the keyboard focus is (the user moves it with keys);
    // a button that has the focus then draws its focus mark even without ShowFocus.
    void setKeyboardFocusVisible(bool visible);
    // The focus mark is drawn: the button has the focus, and ShowFocus or the window asks.
    bool focusMarked() const { return hasFocus_ && (showFocus_ || keyboardFocusVisible_); }
    bool shown() const { return shown_; }
    int lastButtonReleased() const { return lastButton_; }
    // The gap kept between the edge and the icon and caption for a look.
    static int edgeMargin(int style);

    // ---- Colours.
    Rgb resolve(ColorValue c) const;  // system colours, including the highlight colour
    void setSystemHighlight(Rgb highlight);
    Rgb faceColor(ButtonVisualState s) const;
    Rgb captionColor(ButtonVisualState s) const;
    // The highlight colour the flat border is mixed from.
    Rgb highlightShade() const;

    // ---- The theme look.
    // Called when the theme look could not be drawn: Style takes NonThemeStyle for good.
    void themeUnavailable();
    bool themeFellBack() const { return themeFellBack_; }
    // The look drawn instead of the theme look (NonThemeStyle, never the theme look itself).
    int fallbackStyle() const;

    // ---- Events, raised in the order Click, MouseEnter, MouseLeave of the control.
    sigc::signal<void()>& signalClick() { return click_; }
    sigc::signal<void()>& signalMouseEnter() { return mouseEnter_; }
    sigc::signal<void()>& signalMouseLeave() { return mouseLeave_; }
    // For the widget: the drawing is out of date; the tooltip must appear or go.
    sigc::signal<void()>& signalRedraw() { return redraw_; }
    sigc::signal<void()>& signalTooltipShow() { return tooltipShow_; }
    sigc::signal<void()>& signalTooltipHide() { return tooltipHide_; }

  private:
    void changed(bool redraw = true);
    void setState(ButtonVisualState s);
    void endPass();  // stop tracking, state 1, tooltip gone, MouseLeave
    void click();    // flip a toggle, state 2, Click
    void resetToDefaults();

    int style_ = 0;
    std::string caption_;
    Glib::RefPtr<Gdk::Pixbuf> icon_;
    int iconAlign_ = 1;
    int iconSize_ = 16;
    int captionAlign_ = 0;
    int nonThemeStyle_ = kDefaultNonThemeStyle;
    bool enabled_ = true;
    bool showFocus_ = false;
    bool useCustomColors_ = false;
    ColorValue backColor_ = kSysButtonFace;
    ColorValue highlightColor_ = kSysHighlight;
    ColorValue fontColor_ = kSysButtonText;
    ColorValue fontHighlightColor_ = kSysButtonText;
    std::string toolTipText_;
    std::string toolTipTitle_;
    int toolTipIcon_ = 0;
    int toolTipType_ = 1;
    ColorValue toolTipBackColor_ = 0;
    ColorValue toolTipForeColor_ = 0;
    std::string font_;
    std::string initialFont_ = "Sans 9";
    int buttonType_ = 0;
    int mousePointer_ = 0;
    bool value_ = false;
    ColorValue maskColor_ = packRgb(192, 192, 192);
    bool useMaskColor_ = false;
    bool roundedBordersByTheme_ = true;
    bool rightToLeft_ = false;

    ButtonVisualState state_ = ButtonVisualState::Normal;
    bool tracking_ = false;
    bool hasFocus_ = false;
    bool keyboardFocusVisible_ = false;
    bool shown_ = false;
    bool spaceHeld_ = false;
    bool leftHeld_ = false;  // a left press began on the button and is not released yet
    bool themeFellBack_ = false;
    int lastButton_ = 0;
    bool propertiesChanged_ = false;
    Rgb systemHighlight_{49, 106, 197};

    // Cleared on destruction, so code running after an event handler can tell whether the
    // handler destroyed the button.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    sigc::signal<void()> click_, mouseEnter_, mouseLeave_, redraw_, tooltipShow_, tooltipHide_;
};

}  // namespace larkspan
