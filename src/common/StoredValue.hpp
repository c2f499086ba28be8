#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Color.hpp"

namespace larkspan::stored {

// Conversions of stored text to what a reader needs. Each gives no value when the text
// does not convert, so the caller's target keeps the value it had.

// "True"/"False" in any letter case, or any decimal number (0 False, anything else True).
std::optional<bool> toBool(std::string_view text);
// Decimal numbers (leading/trailing spaces allowed, fractions rounded half to even) in range.
std::optional<std::int16_t> toInt16(std::string_view text);
std::optional<std::int32_t> toInt32(std::string_view text);
// A single-precision number (window coordinates in twips).
std::optional<float> toSingle(std::string_view text);
// A colour: a signed 32-bit decimal (system colours are negative).
std::optional<ColorValue> toColor(std::string_view text);

// The forms the program writes.
inline std::string truth(bool v) {
    return v ? "True" : "False";
}
inline std::string tick(bool v) {
    return v ? "1" : "0";
}
std::string number(double v);  // "1000", "1234.5": no trailing zeros, no exponent
inline std::string color(ColorValue c) {
    return std::to_string(c);
}

}  // namespace larkspan::stored
