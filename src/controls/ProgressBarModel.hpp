#pragma once

// The progress bar's state without any display: its properties with their defaults, the
// conversion between `Value` and the internal percentage, which property changes ask for
// a redraw or mark a property changed for the saved form, and the off-screen back buffer
// that drawing goes to. `ProgressBarPainter.hpp` turns this state into pixels;
// `StyledProgressBar` puts both on screen.

#include <cairomm/surface.h>
#include <pangomm/fontdescription.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Color.hpp"

namespace larkspan {

// The system highlight colour code, the bar's default colour.
inline constexpr ColorValue kProgressBarDefaultColor = static_cast<ColorValue>(0x8000000D);
// What the highlight code stands for until the desktop theme says otherwise.
inline constexpr Rgb kProgressBarFallbackHighlight{49, 106, 197};

// The concrete colour of a value; the highlight code turns into `highlight`, every other
// system code goes through resolveColor.
Rgb resolveBarColor(ColorValue c, Rgb highlight = kProgressBarFallbackHighlight);

// Value -> percentage: CLng(value * 100 / max + min), rounded half to even. No value when
// this faults (max = 0, a result outside 32 bits); the caller keeps its percentage.
std::optional<std::int32_t> percentFromValue(std::int32_t value, std::int32_t min,
                                             std::int32_t max);
// Percentage -> value: CLng((percent / 100 * max) / (min if min > 0, else 1)), rounded half
// to even; a result outside 32 bits saturates at the nearest 32-bit bound.
std::int32_t valueFromPercent(std::int32_t percent, std::int32_t min, std::int32_t max);

class ProgressBarModel {
  public:
    // Persisted property names with their values as text, in writing order.
    using PropertyBag = std::vector<std::pair<std::string, std::string>>;

    // The look numbers of `Scrolling` (any other value draws as kGlossy).
    static constexpr std::int32_t kSegmented = 0;
    static constexpr std::int32_t kGlossy = 1;
    static constexpr std::int32_t kSearching = 2;
    static constexpr std::int32_t kPale = 3;
    static constexpr std::int32_t kEtched = 4;
    static constexpr std::int32_t kTube = 5;
    static constexpr std::int32_t kDark = 6;
    static constexpr std::int32_t kHatched = 7;
    static constexpr std::int32_t kPicture = 8;
    static constexpr std::int32_t kSilver = 9;

    // Side limits of the back buffer; a larger control is drawn straight to the screen.
    static constexpr int kMaxBufferSide = 16384;
    static constexpr long long kMaxBufferPixels = 64LL * 1024 * 1024;

    explicit ProgressBarModel(Rgb systemHighlight = kProgressBarFallbackHighlight);

    // `Value`: reads back as the percentage converted again (valueFromPercent). Setting
    // it converts to the percentage and redraws; a conversion fault changes nothing.
    std::int32_t value() const;
    void setValue(std::int32_t value);

    // `Min`, `Max`: used by the next conversion; no redraw.
    std::int32_t min() const { return min_; }
    void setMin(std::int32_t min);
    std::int32_t max() const { return max_; }
    void setMax(std::int32_t max);

    // `Color`: reads as the RGB value; a system-colour code is resolved when set. Redraws.
    ColorValue color() const { return packRgb(color_.r, color_.g, color_.b); }
    Rgb colorRgb() const { return color_; }
    void setColor(ColorValue color);

    // `Scrolling`: the look, 0 to 9. Redraws.
    std::int32_t scrolling() const { return scrolling_; }
    void setScrolling(std::int32_t look);
    // The look actually drawn (values outside 0 to 9 draw as kGlossy).
    std::int32_t look() const;

    // `Orientation`: 0 horizontal, anything else vertical (looks 0 to 2 only). Redraws.
    std::int32_t orientation() const { return orientation_; }
    void setOrientation(std::int32_t orientation);
    bool vertical() const { return orientation_ != 0; }

    // `ShowText`: draw the centred percentage text. Redraws.
    bool showText() const { return showText_; }
    void setShowText(bool show);

    // `BrushStyle`: hatch style of look 7 (0 horizontal, 1 vertical, 2 falling diagonal,
    // 3 rising diagonal, 4 cross, 5 diagonal cross). The next redraw uses it.
    std::int32_t brushStyle() const { return brushStyle_; }
    void setBrushStyle(std::int32_t style);

    // `Image`: tile pattern of look 8 (empty for none). Redraws.
    const Cairo::RefPtr<Cairo::Surface>& image() const { return image_; }
    void setImage(const Cairo::RefPtr<Cairo::Surface>& image);

    // `Font`: the font of the text. Redraws at once.
    const Pango::FontDescription& font() const { return font_; }
    void setFont(const Pango::FontDescription& font);

    // The internal percentage P; never above 100 nor below 0 once a redraw has run (every
    // redraw starts by cutting it into that range).
    std::int32_t percent() const { return percent_; }

    // The colour the system highlight code stands for. Changing it leaves `Color` alone.
    Rgb systemHighlight() const { return highlight_; }
    void setSystemHighlight(Rgb highlight) { highlight_ = highlight; }

    // Called whenever a property change asks for the control to be drawn again.
    void setRedrawHandler(std::function<void()> handler) { redraw_ = std::move(handler); }

    // Property names (as persisted) marked changed since the last clearChanged().
    const std::vector<std::string>& changedProperties() const { return changed_; }
    bool isChanged(std::string_view property) const;
    void clearChanged() { changed_.clear(); }

    // The saved form of the properties: names as written, values as text, values equal to
    // their default left out ("Font" is always written). `Image` is not text and is not
    // saved. Reading matches names without regard to case, skips values that do not
    // convert, marks nothing changed and redraws once.
    PropertyBag writeProperties() const;
    void readProperties(const PropertyBag& bag);

    // The back buffer. ensureBackBuffer builds it when none exists and both sizes are above
    // 0, and rebuilds it when the requested width or height exceeds the current one, taking
    // the larger of old and requested in each direction (it never shrinks). Returns whether
    // a buffer at least width x height exists afterwards; when it does not, drawing goes
    // straight to the control. Sizes are in pixels; the buffer holds `scale` device pixels
    // to a pixel (the window's scale factor), and a new scale makes a new buffer.
    bool ensureBackBuffer(int width, int height, int scale = 1);
    const Cairo::RefPtr<Cairo::ImageSurface>& backBuffer() const { return buffer_; }
    int backBufferWidth() const { return bufferWidth_; }
    int backBufferHeight() const { return bufferHeight_; }
    int backBufferScale() const { return bufferScale_; }
    void releaseBackBuffer();

    // What every redraw does first: P is cut to 0 to 100.
    void clampPercent();

  private:
    void redraw();
    void markChanged(const char* property);

    std::int32_t percent_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    Rgb highlight_;
    Rgb color_;
    std::int32_t scrolling_ = 0;
    std::int32_t orientation_ = 0;
    bool showText_ = false;
    std::int32_t brushStyle_ = 4;
    Cairo::RefPtr<Cairo::Surface> image_;
    Pango::FontDescription font_;

    std::function<void()> redraw_;
    std::vector<std::string> changed_;

    Cairo::RefPtr<Cairo::ImageSurface> buffer_;
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    int bufferScale_ = 1;
};

// The font a new control starts with.
Pango::FontDescription defaultProgressBarFont();

}  // namespace larkspan
