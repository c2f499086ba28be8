#include "controls/ButtonLook.hpp"

#include "controls/StyledButton.hpp"

namespace larkspan {

void applyLook(StyledButton& button, const ButtonLook& look) {
    button.setStyle(look.style);
    button.setFontColor(look.fontColor);
    button.setBackColor(look.backColor);
    button.setHighlightColor(look.highlightColor);
    button.setFontHighlightColor(look.fontHighlightColor);
}

ButtonLook lookOf(const StyledButton& button) {
    return ButtonLook{button.style(), button.fontColor(), button.backColor(),
                      button.highlightColor(), button.fontHighlightColor()};
}

}  // namespace larkspan
