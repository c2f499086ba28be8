#include "common/Color.hpp"

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
        default:
            return gSystem.buttonFace;
    }
}

}  // namespace larkspan
