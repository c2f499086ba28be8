#pragma once

#include "common/Color.hpp"

namespace larkspan {

class StyledButton;

// The five looks a styled button copies from the options dialog's sample button: style,
// font colour, back colour, highlight colour and font highlight colour.
struct ButtonLook {
    int style = 3;
    ColorValue fontColor = 0;
    ColorValue backColor = 14215660;
    ColorValue highlightColor = 14737632;
    ColorValue fontHighlightColor = 9654050;
    bool operator==(const ButtonLook&) const = default;
};

// Copies the five looks onto a button, in the order above.
void applyLook(StyledButton& button, const ButtonLook& look);
// The five looks a button has now.
ButtonLook lookOf(const StyledButton& button);

}  // namespace larkspan
