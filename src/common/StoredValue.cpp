#include "common/StoredValue.hpp"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace larkspan::stored {

namespace {

// A decimal number as written in stored text:
//   [blanks] [+|-] (digits [. [digits]] | . digits) [(e|E) [+|-] digits] [blanks]
// Blanks are spaces and tabs. Nothing else is accepted: no hexadecimal, no "inf" or "nan",
// no thousands separators, no embedded NUL. The decimal point is always ".", whatever the
// process locale says.
struct Decimal {
    bool negative = false;
    std::string_view intDigits;   // digits before the point (may be empty)
    std::string_view fracDigits;  // digits after the point (may be empty)
    std::int64_t exponent = 0;    // clamped to +-kExponentCap
    std::string_view core;        // the number without blanks and without a leading '+'
};

// Exponents beyond this cannot change any result (inputs are far shorter than this), and
// clamping keeps the arithmetic below free of overflow.
constexpr std::int64_t kExponentCap = std::int64_t{1} << 40;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view t) {
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    return t;
}

std::optional<Decimal> parseDecimal(std::string_view text) {
    std::string_view t = trimBlanks(text);
    Decimal d;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        d.negative = t[i] == '-';
        ++i;
    }
    // from_chars takes a leading '-' but not a '+'.
    d.core = d.negative ? t.substr(i - 1) : t.substr(i);

    std::size_t start = i;
    while (i < t.size() && isDigit(t[i])) ++i;
    d.intDigits = t.substr(start, i - start);
    if (i < t.size() && t[i] == '.') {
        ++i;
        start = i;
        while (i < t.size() && isDigit(t[i])) ++i;
        d.fracDigits = t.substr(start, i - start);
    }
    if (d.intDigits.empty() && d.fracDigits.empty()) return std::nullopt;

    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            expNegative = t[i] == '-';
            ++i;
        }
        if (i >= t.size() || !isDigit(t[i])) return std::nullopt;
        std::int64_t e = 0;
        while (i < t.size() && isDigit(t[i])) {
            if (e < kExponentCap) e = e * 10 + (t[i] - '0');
            ++i;
        }
        if (e > kExponentCap) e = kExponentCap;
        d.exponent = expNegative ? -e : e;
    }
    if (i != t.size()) return std::nullopt;
    return d;
}

// The significant digits of a decimal with the position of the decimal point among them:
// value = 0.d1d2d3... * 10^point. Empty digits means the value is zero.
struct Significand {
    std::string digits;  // no leading zeros
    std::int64_t point = 0;
};

Significand significand(const Decimal& d) {
    Significand s;
    s.digits.reserve(d.intDigits.size() + d.fracDigits.size());
    s.digits.append(d.intDigits);
    s.digits.append(d.fracDigits);
    std::size_t lead = s.digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        s.digits.clear();
        return s;
    }
    s.digits.erase(0, lead);
    s.point = static_cast<std::int64_t>(d.intDigits.size()) - static_cast<std::int64_t>(lead) +
              d.exponent;
    return s;
}

// The decimal rounded half to even to an integer, exactly (no detour through binary
// floating point, so "2.5000000000000000001" rounds up and "2.5" rounds down). No value
// when the magnitude is beyond `limit`.
std::optional<std::int64_t> roundedInteger(const Decimal& d, std::int64_t limit) {
    Significand s = significand(d);
    if (s.digits.empty()) return 0;
    // More than 12 integer digits is far beyond any range asked for here.
    if (s.point > 12) return std::nullopt;

    std::int64_t magnitude = 0;
    const auto count = static_cast<std::int64_t>(s.digits.size());
    for (std::int64_t k = 0; k < s.point; ++k) {
        int digit = k < count ? s.digits[static_cast<std::size_t>(k)] - '0' : 0;
        magnitude = magnitude * 10 + digit;
    }
    // The first dropped digit decides, ties go to the even neighbour.
    if (s.point >= 0 && s.point < count) {
        int first = s.digits[static_cast<std::size_t>(s.point)] - '0';
        bool restNonZero = s.digits.find_first_not_of('0', static_cast<std::size_t>(s.point) + 1) !=
                           std::string::npos;
        if (first > 5 || (first == 5 && (restNonZero || magnitude % 2 == 1))) ++magnitude;
    }
    std::int64_t value = d.negative ? -magnitude : magnitude;
    if (value > limit || value < -limit - 1) return std::nullopt;
    return value;
}

}  // namespace

std::optional<bool> toBool(std::string_view text) {
    std::string_view t = trimBlanks(text);
    auto equalsFolded = [&](std::string_view word) {
        if (t.size() != word.size()) return false;
        for (std::size_t i = 0; i < t.size(); ++i) {
            char c = t[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i]) return false;
        }
        return true;
    };
    if (equalsFolded("true")) return true;
    if (equalsFolded("false")) return false;
    auto d = parseDecimal(text);
    if (!d) return std::nullopt;
    return !significand(*d).digits.empty();
}

std::optional<std::int16_t> toInt16(std::string_view text) {
    auto d = parseDecimal(text);
    if (!d) return std::nullopt;
    auto v = roundedInteger(*d, std::numeric_limits<std::int16_t>::max());
    if (!v) return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::optional<std::int32_t> toInt32(std::string_view text) {
    auto d = parseDecimal(text);
    if (!d) return std::nullopt;
    auto v = roundedInteger(*d, std::numeric_limits<std::int32_t>::max());
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<float> toSingle(std::string_view text) {
    auto d = parseDecimal(text);
    if (!d) return std::nullopt;
    float value = 0.0f;
    auto [end, ec] = std::from_chars(d->core.data(), d->core.data() + d->core.size(), value,
                                     std::chars_format::general);
    if (end != d->core.data() + d->core.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large to hold does not convert.
        Significand s = significand(*d);
        if (s.point <= 0) return d->negative ? -0.0f : 0.0f;
        return std::nullopt;
    }
    if (ec != std::errc{} || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<ColorValue> toColor(std::string_view text) {
    return toInt32(text);
}

std::string number(double v) {
    if (v == 0.0) return "0";  // also turns -0 into "0"
    // Shortest fixed-point text that reads back as the same double: "1000", "1234.5".
    // Non-finite values come out as "nan"/"inf", which no reader accepts, so a reader
    // keeps its default instead of taking a made-up number.
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (ec != std::errc{}) return "0";
    return std::string(buf, end);
}

}  // namespace larkspan::stored
