#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace larkspan {

// Rounds half to even (banker's rounding), as integer conversions of the program do:
// 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0.
inline double roundHalfEven(double v) {
    return std::nearbyint(v);
}

// Converts to a 32-bit integer with half-to-even rounding; no value when out of range
// or not a number.
inline std::optional<std::int32_t> toInt32Rounded(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    double r = roundHalfEven(v);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

}  // namespace larkspan
