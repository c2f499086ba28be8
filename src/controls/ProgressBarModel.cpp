#include "controls/ProgressBarModel.hpp"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Rounding.hpp"
#include "common/StoredValue.hpp"

namespace larkspan {

namespace {

constexpr std::int32_t kDefaultBrushStyle = 4;

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

Rgb resolveBarColor(ColorValue c, Rgb highlight) {
    if (isSystemColor(c) && (static_cast<std::uint32_t>(c) & 0xFF) == 0x0D) return highlight;
    return resolveColor(c);
}

std::optional<std::int32_t> percentFromValue(std::int32_t value, std::int32_t min,
                                             std::int32_t max) {
    // Worked in doubles, so a large value cannot overflow on the way; only a result that
    // does not fit the percentage is a fault.
    if (max == 0) return std::nullopt;
    return toInt32Rounded(static_cast<double>(value) * 100.0 / static_cast<double>(max) +
                          static_cast<double>(min));
}

std::int32_t valueFromPercent(std::int32_t percent, std::int32_t min, std::int32_t max) {
    double divisor = min > 0 ? static_cast<double>(min) : 1.0;
    double v = (static_cast<double>(percent) / 100.0 * static_cast<double>(max)) / divisor;
    if (auto r = toInt32Rounded(v)) return *r;
    return v < 0 ? std::numeric_limits<std::int32_t>::min()
                 : std::numeric_limits<std::int32_t>::max();
}

Pango::FontDescription defaultProgressBarFont() {
    return Pango::FontDescription("Sans 8");
}

ProgressBarModel::ProgressBarModel(Rgb systemHighlight)
    : highlight_(systemHighlight),
      color_(resolveBarColor(kProgressBarDefaultColor, systemHighlight)),
      font_(defaultProgressBarFont()) {}

std::int32_t ProgressBarModel::value() const {
    return valueFromPercent(percent_, min_, max_);
}

void ProgressBarModel::setValue(std::int32_t value) {
    auto p = percentFromValue(value, min_, max_);
    if (!p) return;  // the bar keeps its percentage and its picture
    percent_ = *p;
    redraw();
}

void ProgressBarModel::setMin(std::int32_t min) {
    min_ = min;
    markChanged("Min");
}

void ProgressBarModel::setMax(std::int32_t max) {
    max_ = max;
    markChanged("Max");
}

void ProgressBarModel::setColor(ColorValue color) {
    color_ = resolveBarColor(color, highlight_);
    redraw();
}

void ProgressBarModel::setScrolling(std::int32_t look) {
    scrolling_ = look;
    markChanged("Scrolling");
    redraw();
}

std::int32_t ProgressBarModel::look() const {
    return scrolling_ >= 0 && scrolling_ <= 9 ? scrolling_ : kGlossy;
}

void ProgressBarModel::setOrientation(std::int32_t orientation) {
    orientation_ = orientation;
    markChanged("Orientation");
    redraw();
}

void ProgressBarModel::setShowText(bool show) {
    showText_ = show;
    markChanged("ShowText");
    redraw();
}

void ProgressBarModel::setBrushStyle(std::int32_t style) {
    brushStyle_ = style;
    markChanged("BrushStyle");
}

void ProgressBarModel::setImage(const Cairo::RefPtr<Cairo::Surface>& image) {
    image_ = image;
    markChanged("Image");
    redraw();
}

void ProgressBarModel::setFont(const Pango::FontDescription& font) {
    font_ = font;
    redraw();
}

bool ProgressBarModel::isChanged(std::string_view property) const {
    return std::ranges::any_of(changed_, [&](const std::string& n) { return n == property; });
}

void ProgressBarModel::markChanged(const char* property) {
    if (!isChanged(property)) changed_.emplace_back(property);
}

void ProgressBarModel::clampPercent() {
    percent_ = std::clamp(percent_, 0, 100);
}

void ProgressBarModel::redraw() {
    clampPercent();
    if (redraw_) redraw_();
}

ProgressBarModel::PropertyBag ProgressBarModel::writeProperties() const {
    PropertyBag bag;
    auto put = [&bag](const char* name, std::string text) { bag.emplace_back(name, text); };
    if (percent_ != 0) put("Value", std::to_string(percent_));
    if (min_ != 0) put("Min", std::to_string(min_));
    if (max_ != 100) put("Max", std::to_string(max_));
    // The colour is kept as RGB, so it never equals the system-code default.
    put("Color", stored::color(color()));
    if (scrolling_ != 0) put("Scrolling", std::to_string(scrolling_));
    if (orientation_ != 0) put("Orientation", std::to_string(orientation_));
    if (showText_) put("ShowText", stored::truth(showText_));
    if (brushStyle_ != kDefaultBrushStyle) put("BrushStyle", std::to_string(brushStyle_));
    put("Font", font_.to_string());
    return bag;
}

void ProgressBarModel::readProperties(const PropertyBag& bag) {
    for (const auto& [name, text] : bag) {
        if (sameName(name, "Value")) {
            // The saved form holds the percentage itself.
            if (auto v = stored::toInt32(text)) percent_ = *v;
        } else if (sameName(name, "Min")) {
            if (auto v = stored::toInt32(text)) min_ = *v;
        } else if (sameName(name, "Max")) {
            if (auto v = stored::toInt32(text)) max_ = *v;
        } else if (sameName(name, "Color")) {
            if (auto v = stored::toColor(text)) color_ = resolveBarColor(*v, highlight_);
        } else if (sameName(name, "Scrolling")) {
            if (auto v = stored::toInt32(text)) scrolling_ = *v;
        } else if (sameName(name, "Orientation")) {
            if (auto v = stored::toInt32(text)) orientation_ = *v;
        } else if (sameName(name, "ShowText")) {
            if (auto v = stored::toBool(text)) showText_ = *v;
        } else if (sameName(name, "BrushStyle")) {
            if (auto v = stored::toInt32(text)) brushStyle_ = *v;
        } else if (sameName(name, "Font")) {
            if (!text.empty()) font_ = Pango::FontDescription(text);
        }
    }
    redraw();
}

bool ProgressBarModel::ensureBackBuffer(int width, int height, int scale) {
    if (width <= 0 || height <= 0) return false;
    scale = std::max(scale, 1);
    if (buffer_ && scale != bufferScale_) releaseBackBuffer();
    if (buffer_ && width <= bufferWidth_ && height <= bufferHeight_) return true;
    int w = std::max(width, bufferWidth_);
    int h = std::max(height, bufferHeight_);
    const long long dw = static_cast<long long>(w) * scale;
    const long long dh = static_cast<long long>(h) * scale;
    if (dw > kMaxBufferSide || dh > kMaxBufferSide || dw * dh > kMaxBufferPixels) {
        return false;  // keep what there is; this size is drawn without a buffer
    }
    cairo_surface_t* s =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(dw), static_cast<int>(dh));
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return false;
    }
    cairo_surface_set_device_scale(s, scale, scale);
    buffer_ = Cairo::RefPtr<Cairo::ImageSurface>(new Cairo::ImageSurface(s, true));
    bufferWidth_ = w;
    bufferHeight_ = h;
    bufferScale_ = scale;
    return true;
}

void ProgressBarModel::releaseBackBuffer() {
    buffer_.clear();
    bufferWidth_ = 0;
    bufferHeight_ = 0;
    bufferScale_ = 1;
}

}  // namespace larkspan
