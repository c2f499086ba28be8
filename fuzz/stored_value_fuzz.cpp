// Feeds arbitrary bytes to every conversion of stored text. Besides crashes and sanitizer
// reports, it checks the promises the conversions make to their callers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/StoredValue.hpp"

using namespace larkspan::stored;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    auto b = toBool(text);
    auto i16 = toInt16(text);
    auto i32 = toInt32(text);
    auto f = toSingle(text);
    auto c = toColor(text);

    // A colour is a signed 32-bit decimal, so it converts exactly when toInt32 does.
    if (c.has_value() != i32.has_value() || (c && *c != *i32)) std::abort();
    // Whatever fits 16 bits fits 32 bits, with the same value.
    if (i16 && (!i32 || *i32 != *i16)) std::abort();
    // Every number is a truth value too.
    if ((i32 || f) && !b) std::abort();
    if (f && !std::isfinite(*f)) std::abort();

    // The program's own number form reads back as the same value.
    if (i32) {
        auto again = toInt32(number(*i32));
        if (!again || *again != *i32) std::abort();
    }
    if (f) {
        auto again = toSingle(number(static_cast<double>(*f)));
        if (!again || *again != *f) std::abort();
    }
    return 0;
}
