#include "common/Color.hpp"

#include <algorithm>
#include <cmath>

namespace larkspan {

namespace {
// Until the GTK side reads the theme, the classic desktop colours stand in.
SystemColors gSystem;
}  // namespace

void setSystemColors(const SystemColors& colors) {
    gSystem = colors;
}

Rgb resolveColor(ColorValue c) {
    if (!isSystemColor(c)) return unpackRgb(c);
    switch (static_cast<std::uint32_t>(c) & 0xFF) {
        case 0x05:
            return gSystem.window;
        case 0x08:
            return gSystem.windowText;
        case 0x0F:
            return gSystem.buttonFace;
        case 0x11:
            return gSystem.grayText;
        case 0x12:
            return gSystem.buttonText;
        case 0x16:
            return gSystem.buttonHover;
        case 0x1A:
            return gSystem.hotText;
        default:
            return gSystem.buttonFace;
    }
}

Rgb mixRgb(Rgb from, Rgb to, double share) {
    share = std::clamp(share, 0.0, 1.0);
    auto channel = [share](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * share));
    };
    return Rgb{channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

}  // namespace larkspan
