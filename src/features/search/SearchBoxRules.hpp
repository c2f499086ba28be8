#pragma once

// The search box's placeholder: while the box is empty and unfocused it shows the chosen
// engine's name in grey, and a click on a box showing any engine's name empties it.

#include <optional>
#include <string>
#include <string_view>

namespace larkspan::search {

// A click empties the box when its text is the name of a listed engine (exact comparison),
// whether it is the placeholder or typed.
bool clickClears(std::string_view boxText);

// The placeholder the box takes as it loses the focus: the engine name when the box is
// empty; no value (the box keeps its text and colour) otherwise.
std::optional<std::string> placeholderOnLeaving(std::string_view boxText,
                                                std::string_view engineName);

}  // namespace larkspan::search
