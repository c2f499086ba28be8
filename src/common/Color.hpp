#pragma once

#include <cstdint>

namespace larkspan {

// A colour as the program stores it: blue * 65536 + green * 256 + red. A value with the
// top bit set names a system colour instead (stored as a negative decimal).
using ColorValue = std::int32_t;

inline constexpr ColorValue kSysWindow = static_cast<ColorValue>(0x80000005);      // -2147483643
inline constexpr ColorValue kSysWindowText = static_cast<ColorValue>(0x80000008);  // -2147483640
inline constexpr ColorValue kSysButtonFace = static_cast<ColorValue>(0x8000000F);  // -2147483633
inline constexpr ColorValue kSysGrayText = static_cast<ColorValue>(0x80000011);    // -2147483631
inline constexpr ColorValue kSysButtonText = static_cast<ColorValue>(0x80000012);  // -2147483630
// The face of a button under the pointer, and text that marks what the pointer is on.
inline constexpr ColorValue kSysButtonHover = static_cast<ColorValue>(0x80000016);  // -2147483626
inline constexpr ColorValue kSysHotText = static_cast<ColorValue>(0x8000001A);      // -2147483622

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr ColorValue packRgb(int r, int g, int b) {
    return static_cast<ColorValue>((b & 0xFF) * 65536 + (g & 0xFF) * 256 + (r & 0xFF));
}

constexpr bool isSystemColor(ColorValue c) {
    return c < 0;
}

constexpr Rgb unpackRgb(ColorValue c) {
    auto u = static_cast<std::uint32_t>(c);
    return Rgb{static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>((u >> 8) & 0xFF),
               static_cast<std::uint8_t>((u >> 16) & 0xFF)};
}

// The concrete colour of a value: plain colours unpack, system colours come from the
// desktop theme (button face, button text, grey text, the back and text of text boxes, a
// hovered button's face, hot text) with fixed fallbacks.
Rgb resolveColor(ColorValue c);

// The desktop theme's colours for the system colours.
struct SystemColors {
    Rgb buttonFace{236, 233, 216};
    Rgb buttonText{0, 0, 0};
    Rgb grayText{172, 168, 153};
    Rgb window{255, 255, 255};
    Rgb windowText{0, 0, 0};
    Rgb buttonHover{224, 224, 224};
    Rgb hotText{34, 79, 147};
};

// `from` moved `share` (0 to 1) of the way towards `to`, each channel rounded.
Rgb mixRgb(Rgb from, Rgb to, double share);

// Lets the desktop theme's colours stand for the system colours (set by the GTK side,
// again whenever the theme changes).
void setSystemColors(const SystemColors& colors);

}  // namespace larkspan
