#pragma once

#include "common/Color.hpp"

namespace larkspan {

class StyledButton;

// The five looks a styled button copies from the options dialog's sample button: style,
// font colour, back colour, highlight colour and font highlight colour. Colours the user
// never chose are the desktop theme's, so a dark theme gets dark buttons with light text.
struct ButtonLook {
    int style = 3;
    ColorValue fontColor = kSysButtonText;
    ColorValue backColor = kSysButtonFace;
    ColorValue highlightColor = kSysButtonHover;
    ColorValue fontHighlightColor = kSysHotText;
    bool operator==(const ButtonLook&) const = default;
};

// Copies the five looks onto a button, in the order above.
void applyLook(StyledButton& button, const ButtonLook& look);
// The five looks a button has now.
ButtonLook lookOf(const StyledButton& button);

}  // namespace larkspan
