#include "controls/ButtonModel.hpp"

#include <gdkmm/pixbufloader.h>
#include <glib.h>
#include <glibmm/base64.h>

#include <algorithm>
#include <utility>

#include "common/Failure.hpp"
#include "common/StoredValue.hpp"

namespace larkspan {

// ---------------------------------------------------------------------------------------
// Captions

CaptionText parseCaption(std::string_view caption) {
    CaptionText out;
    // Pango and GTK need valid UTF-8; stored captions may hold anything.
    gchar* valid = g_utf8_make_valid(caption.data(), static_cast<gssize>(caption.size()));
    std::string text(valid);
    g_free(valid);

    out.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            const char* next = g_utf8_next_char(text.c_str() + i);
            std::size_t len = static_cast<std::size_t>(next - (text.c_str() + i));
            out.text.append(text, i, len);
            i += len;
            continue;
        }
        if (i + 1 >= text.size()) break;  // a lone "&" at the end marks nothing
        if (text[i + 1] == '&') {
            out.text.push_back('&');
            i += 2;
            continue;
        }
        // "&x": x is the access key (the first one counts); the marker itself is dropped.
        const char* start = text.c_str() + i + 1;
        const char* next = g_utf8_next_char(start);
        std::size_t len = static_cast<std::size_t>(next - start);
        if (out.accessKey == 0) {
            gunichar ch = g_utf8_get_char(start);
            if (!g_unichar_isspace(ch)) {
                out.accessKey = g_unichar_tolower(ch);
                out.underlineStart = static_cast<int>(out.text.size());
                out.underlineEnd = out.underlineStart + static_cast<int>(len);
            }
        }
        out.text.append(start, len);
        i += 1 + len;
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// Property bag

bool ButtonPropertyBag::NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return g_ascii_tolower(x) < g_ascii_tolower(y);
    });
}

void ButtonPropertyBag::write(std::string_view name, std::string value) {
    auto it = values_.find(name);
    if (it != values_.end()) {
        it->second = std::move(value);
    } else {
        values_.emplace(std::string(name), std::move(value));
    }
}

std::optional<std::string> ButtonPropertyBag::read(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

// ---------------------------------------------------------------------------------------
// Model

namespace {

bool validStyle(int s) {
    return s >= kButtonStyleMin && s <= kButtonStyleMax;
}

std::string encodeIcon(const Glib::RefPtr<Gdk::Pixbuf>& icon) {
    if (!icon) return {};
    try {
        gchar* buffer = nullptr;
        gsize size = 0;
        icon->save_to_buffer(buffer, size, "png");
        std::string bytes(buffer, size);
        g_free(buffer);
        return Glib::Base64::encode(bytes);
    } catch (...) {
        reportFailure("storing a styled button's icon");
        return {};
    }
}

Glib::RefPtr<Gdk::Pixbuf> decodeIcon(const std::string& text) {
    if (text.empty()) return {};
    try {
        std::string bytes = Glib::Base64::decode(text);
        if (bytes.empty()) return {};
        // The loader is driven through GdkPixbuf itself: the C++ wrapper of a loader that
        // met bad data was never freed.
        GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
        bool loaded = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guint8*>(bytes.data()),
                                              bytes.size(), nullptr);
        // Closed whatever happened, or the loader keeps what it was given.
        loaded = gdk_pixbuf_loader_close(loader, nullptr) && loaded;
        GdkPixbuf* pixbuf = loaded ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
        Glib::RefPtr<Gdk::Pixbuf> icon =
            pixbuf ? Glib::wrap(pixbuf, true) : Glib::RefPtr<Gdk::Pixbuf>();
        g_object_unref(loader);
        return icon;
    } catch (...) {
        reportFailure("reading a styled button's stored icon");
        return {};
    }
}

}  // namespace

ButtonModel::ButtonModel(std::string name) : caption_(std::move(name)) {}

ButtonModel::~ButtonModel() {
    *alive_ = false;
}

void ButtonModel::changed(bool redraw) {
    propertiesChanged_ = true;
    if (redraw) redraw_.emit();
}

bool ButtonModel::setStyle(int style) {
    if (!validStyle(style)) return false;
    style_ = style;
    changed();
    return true;
}

void ButtonModel::setCaption(std::string caption) {
    caption_ = std::move(caption);
    changed();
}

void ButtonModel::setIcon(Glib::RefPtr<Gdk::Pixbuf> icon) {
    icon_ = std::move(icon);
    changed();
}

bool ButtonModel::setIconAlign(int align) {
    if (align < 0 || align > 4) return false;
    iconAlign_ = align;
    changed();
    return true;
}

bool ButtonModel::setIconSize(int pixels) {
    if (pixels < 0 || pixels > kMaxIconSize) return false;
    iconSize_ = pixels;
    changed();
    return true;
}

void ButtonModel::setCaptionAlign(int align) {
    captionAlign_ = align;
    changed();
}

bool ButtonModel::setNonThemeStyle(int style) {
    if (!validStyle(style)) return false;
    nonThemeStyle_ = style;
    changed();
    return true;
}

void ButtonModel::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    spaceHeld_ = false;
    leftHeld_ = false;
    propertiesChanged_ = true;
    if (!enabled && tracking_) {
        // A disabled button hears no more of the mouse; end the pass now so that its
        // MouseLeave is raised and the tooltip goes.
        auto alive = alive_;
        endPass();
        if (!*alive) return;
    }
    state_ = ButtonVisualState::Normal;
    redraw_.emit();
}

void ButtonModel::setShowFocus(bool show) {
    showFocus_ = show;
    changed();
}

void ButtonModel::setUseCustomColors(bool use) {
    useCustomColors_ = use;
    changed();
}

void ButtonModel::setBackColor(ColorValue c) {
    backColor_ = c;
    changed();
}

void ButtonModel::setHighlightColor(ColorValue c) {
    highlightColor_ = c;
    changed();
}

void ButtonModel::setFontColor(ColorValue c) {
    fontColor_ = c;
    changed();
}

void ButtonModel::setFontHighlightColor(ColorValue c) {
    fontHighlightColor_ = c;
    changed();
}

void ButtonModel::setToolTipText(std::string text) {
    toolTipText_ = std::move(text);
    changed(false);
}

void ButtonModel::setToolTipTitle(std::string title) {
    toolTipTitle_ = std::move(title);
    changed(false);
}

void ButtonModel::setToolTipIcon(int icon) {
    toolTipIcon_ = icon;
    changed(false);
}

void ButtonModel::setToolTipType(int type) {
    toolTipType_ = type;
    changed(false);
}

void ButtonModel::setToolTipBackColor(ColorValue c) {
    toolTipBackColor_ = c;
    changed(false);
}

void ButtonModel::setToolTipForeColor(ColorValue c) {
    toolTipForeColor_ = c;
    changed(false);
}

void ButtonModel::setFont(std::string description) {
    font_ = std::move(description);
    changed();
}

void ButtonModel::setInitialFont(std::string description) {
    initialFont_ = description.empty() ? std::string("Sans 9") : std::move(description);
    if (font_.empty()) redraw_.emit();
}

bool ButtonModel::setButtonType(int type) {
    if (type != 0 && type != 1) return false;
    buttonType_ = type;
    changed();
    return true;
}

void ButtonModel::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    changed(false);
}

void ButtonModel::setValue(bool value) {
    value_ = value;
    changed();
}

void ButtonModel::setMaskColor(ColorValue c) {
    maskColor_ = c;
    changed();
}

void ButtonModel::setUseMaskColor(bool use) {
    useMaskColor_ = use;
    changed();
}

void ButtonModel::setRoundedBordersByTheme(bool rounded) {
    roundedBordersByTheme_ = rounded;
    changed();
}

void ButtonModel::setRightToLeft(bool rtl) {
    rightToLeft_ = rtl;
    changed();
}

// ---- Persistence ------------------------------------------------------------------------

void ButtonModel::resetToDefaults() {
    style_ = 3;
    caption_ = "StyledButton";
    icon_.reset();
    iconAlign_ = 1;
    iconSize_ = 16;
    captionAlign_ = 0;
    nonThemeStyle_ = kDefaultNonThemeStyle;
    enabled_ = true;
    showFocus_ = false;
    useCustomColors_ = false;
    backColor_ = kSysButtonFace;
    highlightColor_ = kSysHighlight;
    fontColor_ = kSysButtonText;
    fontHighlightColor_ = kSysButtonText;
    toolTipText_.clear();
    toolTipTitle_.clear();
    toolTipIcon_ = 0;
    toolTipType_ = 1;
    toolTipBackColor_ = 0;
    toolTipForeColor_ = 0;
    font_.clear();
    buttonType_ = 0;
    mousePointer_ = 0;
    value_ = false;
    maskColor_ = packRgb(192, 192, 192);
    useMaskColor_ = false;
    roundedBordersByTheme_ = true;
    rightToLeft_ = false;
}

void ButtonModel::readProperties(const ButtonPropertyBag& bag) {
    bool wasTracking = tracking_;
    resetToDefaults();

    auto readInt = [&](std::string_view name, int& target, int lo, int hi) {
        if (auto text = bag.read(name)) {
            if (auto v = stored::toInt32(*text); v && *v >= lo && *v <= hi) target = *v;
        }
    };
    auto readBool = [&](std::string_view name, bool& target) {
        if (auto text = bag.read(name)) {
            if (auto v = stored::toBool(*text)) target = *v;
        }
    };
    auto readColor = [&](std::string_view name, ColorValue& target) {
        if (auto text = bag.read(name)) {
            if (auto v = stored::toColor(*text)) target = *v;
        }
    };
    auto readText = [&](std::string_view name, std::string& target) {
        if (auto text = bag.read(name)) target = *text;
    };
    constexpr int kIntMin = INT32_MIN;
    constexpr int kIntMax = INT32_MAX;

    readInt("Style", style_, kButtonStyleMin, kButtonStyleMax);
    readText("Caption", caption_);
    if (auto text = bag.read("Icon")) icon_ = decodeIcon(*text);
    readInt("IconAlign", iconAlign_, 0, 4);
    readInt("IconSize", iconSize_, 0, kMaxIconSize);
    readInt("CaptionAlign", captionAlign_, kIntMin, kIntMax);
    readInt("iNonThemeStyle", nonThemeStyle_, kButtonStyleMin, kButtonStyleMax);
    readBool("Enabled", enabled_);
    readBool("ShowFocus", showFocus_);
    readBool("USeCustomColors", useCustomColors_);
    readColor("BackColor", backColor_);
    readColor("HighlightColor", highlightColor_);
    readColor("FontColor", fontColor_);
    readColor("FontHighlightColor", fontHighlightColor_);
    readText("ToolTipText", toolTipText_);
    readText("Tooltiptitle", toolTipTitle_);
    readInt("ToolTipIcon", toolTipIcon_, kIntMin, kIntMax);
    readInt("ToolTipType", toolTipType_, kIntMin, kIntMax);
    readColor("ttBackColor", toolTipBackColor_);
    readColor("ttForeColor", toolTipForeColor_);
    readText("Font", font_);
    readInt("ButtonType", buttonType_, 0, 1);
    readInt("MousePointer", mousePointer_, kIntMin, kIntMax);
    readBool("Value", value_);
    readColor("MaskColor", maskColor_);
    readBool("UseMaskColor", useMaskColor_);
    readBool("RoundedBordersByTheme", roundedBordersByTheme_);
    readBool("bRTLText", rightToLeft_);

    propertiesChanged_ = false;
    state_ = ButtonVisualState::Normal;
    if (!enabled_ && wasTracking) {
        auto alive = alive_;
        endPass();
        if (!*alive) return;
    }
    redraw_.emit();
}

void ButtonModel::writeProperties(ButtonPropertyBag& bag) const {
    bag.write("Style", std::to_string(style_));
    bag.write("Caption", caption_);
    bag.write("Icon", encodeIcon(icon_));
    bag.write("IconAlign", std::to_string(iconAlign_));
    bag.write("IconSize", std::to_string(iconSize_));
    bag.write("CaptionAlign", std::to_string(captionAlign_));
    bag.write("iNonThemeStyle", std::to_string(nonThemeStyle_));
    bag.write("Enabled", stored::truth(enabled_));
    bag.write("ShowFocus", stored::truth(showFocus_));
    bag.write("USeCustomColors", stored::truth(useCustomColors_));
    bag.write("BackColor", stored::color(backColor_));
    bag.write("HighlightColor", stored::color(highlightColor_));
    bag.write("FontColor", stored::color(fontColor_));
    bag.write("FontHighlightColor", stored::color(fontHighlightColor_));
    bag.write("ToolTipText", toolTipText_);
    bag.write("Tooltiptitle", toolTipTitle_);
    bag.write("ToolTipIcon", std::to_string(toolTipIcon_));
    bag.write("ToolTipType", std::to_string(toolTipType_));
    bag.write("ttBackColor", stored::color(toolTipBackColor_));
    bag.write("ttForeColor", stored::color(toolTipForeColor_));
    bag.write("Font", font_);
    bag.write("ButtonType", std::to_string(buttonType_));
    bag.write("MousePointer", std::to_string(mousePointer_));
    bag.write("Value", stored::truth(value_));
    bag.write("MaskColor", stored::color(maskColor_));
    bag.write("UseMaskColor", stored::truth(useMaskColor_));
    bag.write("RoundedBordersByTheme", stored::truth(roundedBordersByTheme_));
    bag.write("bRTLText", stored::truth(rightToLeft_));
}

// ---- State machine ------------------------------------------------------------------------

ButtonVisualState ButtonModel::drawState() const {
    if (!enabled_) return ButtonVisualState::Disabled;
    if (isToggle() && value_) return ButtonVisualState::Pressed;
    return state_;
}

void ButtonModel::setState(ButtonVisualState s) {
    if (s == state_) return;
    state_ = s;
    redraw_.emit();
}

void ButtonModel::mouseMove(bool inside) {
    if (!enabled_ || tracking_ || !inside) return;
    tracking_ = true;
    setState(ButtonVisualState::Hot);
    auto alive = alive_;
    mouseEnter_.emit();
    if (!*alive || !tracking_) return;  // the handler may have ended the pass already
    tooltipShow_.emit();
}

void ButtonModel::endPass() {
    tracking_ = false;
    setState(ButtonVisualState::Normal);
    auto alive = alive_;
    tooltipHide_.emit();
    if (!*alive) return;
    mouseLeave_.emit();
}

void ButtonModel::mouseLeave() {
    // Also heard while disabled: a pass that began must end with its MouseLeave.
    if (!tracking_) return;
    endPass();
}

void ButtonModel::tabKey() {
    // Leaving by keyboard ends the pass; a pass that never began raises nothing, so that
    // enter and leave stay paired.
    if (!tracking_) return;
    endPass();
}

void ButtonModel::leftButtonDown() {
    if (!enabled_) return;
    leftHeld_ = true;
    setState(ButtonVisualState::Pressed);
}

void ButtonModel::click() {
    if (isToggle()) value_ = !value_;
    if (isToggle()) propertiesChanged_ = true;
    state_ = ButtonVisualState::Hot;
    redraw_.emit();
    click_.emit();
}

void ButtonModel::leftButtonUp(bool inside) {
    if (!enabled_) return;
    lastButton_ = 1;
    bool pressedHere = leftHeld_;
    leftHeld_ = false;
    if (!inside) {
        // Released away from the button: no click, and it is no longer hot.
        setState(tracking_ ? ButtonVisualState::Hot : ButtonVisualState::Normal);
        return;
    }
    if (isToggle() && !value_) {
        setState(ButtonVisualState::Pressed);
    } else {
        setState(ButtonVisualState::Hot);
    }
    // Only a press that began on the button makes a click.
    if (pressedHere) click();
}

void ButtonModel::otherButtonUp(int button) {
    if (!enabled_) return;
    lastButton_ = button;
}

void ButtonModel::spaceDown() {
    if (!enabled_) return;
    spaceHeld_ = true;
    setState(ButtonVisualState::Pressed);
}

void ButtonModel::spaceUp() {
    if (!enabled_ || !spaceHeld_) return;
    spaceHeld_ = false;
    if (isToggle()) value_ = !value_;
    if (isToggle()) propertiesChanged_ = true;
    state_ = ButtonVisualState::Normal;
    redraw_.emit();
    click_.emit();
}

void ButtonModel::accessKey() {
    if (!enabled_) return;
    if (isToggle()) value_ = !value_;
    if (isToggle()) propertiesChanged_ = true;
    state_ = ButtonVisualState::Normal;
    redraw_.emit();
    click_.emit();
}

void ButtonModel::setKeyboardFocusVisible(bool visible) {
    if (visible == keyboardFocusVisible_) return;
    keyboardFocusVisible_ = visible;
    if (hasFocus_) redraw_.emit();
}

void ButtonModel::focusIn() {
    if (hasFocus_) return;
    hasFocus_ = true;
    redraw_.emit();
}

void ButtonModel::focusOut() {
    if (spaceHeld_) {
        // The space bar went down here but comes up elsewhere: no click, no longer pressed.
        spaceHeld_ = false;
        if (!leftHeld_) state_ = tracking_ ? ButtonVisualState::Hot : ButtonVisualState::Normal;
        redraw_.emit();
    }
    if (!hasFocus_) return;
    hasFocus_ = false;
    redraw_.emit();
}

void ButtonModel::appearanceChanged() {
    redraw_.emit();
}

void ButtonModel::markShown() {
    if (shown_) return;
    shown_ = true;
    redraw_.emit();
}

int ButtonModel::edgeMargin(int style) {
    switch (style) {
        case 7:
        case 8:
            return 4;
        case 9:
            return 6;
        case 10:
            return 7;
        default:
            return 3;
    }
}

// ---- Colours ------------------------------------------------------------------------------

Rgb ButtonModel::resolve(ColorValue c) const {
    if (isSystemColor(c) && (static_cast<std::uint32_t>(c) & 0xFF) == 0x0D) return systemHighlight_;
    return resolveColor(c);
}

void ButtonModel::setSystemHighlight(Rgb highlight) {
    if (highlight == systemHighlight_) return;
    systemHighlight_ = highlight;
    redraw_.emit();
}

Rgb ButtonModel::faceColor(ButtonVisualState s) const {
    if (!useCustomColors_) return resolve(kSysButtonFace);
    switch (s) {
        case ButtonVisualState::Hot:
        case ButtonVisualState::Pressed:
            return resolve(highlightColor_);
        default:
            return resolve(backColor_);
    }
}

Rgb ButtonModel::captionColor(ButtonVisualState s) const {
    if (s == ButtonVisualState::Disabled) return resolve(kSysGrayText);
    if (!useCustomColors_) return resolve(kSysButtonText);
    return resolve(s == ButtonVisualState::Normal ? fontColor_ : fontHighlightColor_);
}

Rgb ButtonModel::highlightShade() const {
    return useCustomColors_ ? resolve(highlightColor_) : resolve(kSysHighlight);
}

// ---- Theme look -----------------------------------------------------------------------------

int ButtonModel::fallbackStyle() const {
    return nonThemeStyle_ == kThemeButtonStyle ? kDefaultNonThemeStyle : nonThemeStyle_;
}

void ButtonModel::themeUnavailable() {
    themeFellBack_ = true;
    if (style_ != kThemeButtonStyle) return;
    style_ = fallbackStyle();
    changed();
}

}  // namespace larkspan
