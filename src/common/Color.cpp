#include "common/Color.hpp"

namespace larkspan {

namespace {
// Until the GTK side reads the theme, the classic desktop colours stand in.
Rgb gButtonFace{236, 233, 216};
Rgb gButtonText{0, 0, 0};
Rgb gGrayText{172, 168, 153};
}  // namespace

void setSystemColors(Rgb buttonFace, Rgb buttonText, Rgb grayText) {
    gButtonFace = buttonFace;
    gButtonText = buttonText;
    gGrayText = grayText;
}

Rgb resolveColor(ColorValue c) {
    if (!isSystemColor(c)) return unpackRgb(c);
    switch (static_cast<std::uint32_t>(c) & 0xFF) {
        case 0x0F:
            return gButtonFace;
        case 0x11:
            return gGrayText;
        case 0x12:
            return gButtonText;
        default:
            return gButtonFace;
    }
}

}  // namespace larkspan
