#pragma once

// What a drop onto a main window means: the address a dropped link, address or file opens,
// and the words dropped text searches for.

#include <optional>
#include <string>
#include <vector>

namespace larkspan::dragdrop {

// The address to open: the first of the dropped addresses (a link, a file), else the first
// line of the dropped text with its blanks trimmed; nothing when nothing is left.
std::optional<std::string> droppedAddress(const std::vector<std::string>& addresses,
                                          const std::string& text);

// The text to search for: the dropped text on one line, each run of blanks (line ends
// included) made one space, trimmed; nothing when nothing is left.
std::optional<std::string> droppedSearchText(const std::string& text);

}  // namespace larkspan::dragdrop
