#include "common/StoredValue.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace larkspan;
using namespace larkspan::stored;
using namespace std::string_literals;

namespace {

// Texts no conversion accepts.
const std::vector<std::string> kNotANumber = {
    "",       " ",       "\t",    "abc",   "1a",  "a1",           "0x10",  "&H10",     "1,5",
    "1 000",  "--1",     "+-1",   "- 1",   ".",   "+.",           "-.",    "e3",       "1e",
    "1e+",    "1e-",     "1.2.3", "nan",   "NaN", "inf",          "-inf",  "Infinity", "1\0"s,
    "\0001"s, "1\x00 "s, "\n1",   "1\r\n", "1 2", "\xEF\xBC\x91", "True1", "yes"};

}  // namespace

TEST(StoredValueBool, WordsInAnyLetterCase) {
    for (const char* t : {"True", "true", "TRUE", "tRuE", " True ", "\tTrue"})
        EXPECT_EQ(toBool(t), true) << t;
    for (const char* t : {"False", "false", "FALSE", "fAlSe", " False\t"})
        EXPECT_EQ(toBool(t), false) << t;
}

TEST(StoredValueBool, NumbersZeroIsFalseAnythingElseTrue) {
    for (const char* t : {"1", "-1", "2", "0.5", "-0.0001", "1e3", "1e-400", "99999999999999999999",
                          "1e400", " 1 "})
        EXPECT_EQ(toBool(t), true) << t;
    for (const char* t : {"0", "-0", "+0", "0.0", "000", ".0", "0e999999999999999999999"})
        EXPECT_EQ(toBool(t), false) << t;
}

TEST(StoredValueBool, RejectsWhatIsNeitherWordNorNumber) {
    for (const auto& t : kNotANumber) EXPECT_EQ(toBool(t), std::nullopt) << t;
    EXPECT_EQ(toBool("Tru"), std::nullopt);
    EXPECT_EQ(toBool("Truee"), std::nullopt);
    EXPECT_EQ(toBool("True\0"s), std::nullopt);
}

TEST(StoredValueInt, DecimalTextWithBlanksAndSign) {
    EXPECT_EQ(toInt32("1000"), 1000);
    EXPECT_EQ(toInt32("  8685\t"), 8685);
    EXPECT_EQ(toInt32("+42"), 42);
    EXPECT_EQ(toInt32("-42"), -42);
    EXPECT_EQ(toInt32("-0"), 0);
    EXPECT_EQ(toInt32("007"), 7);
    EXPECT_EQ(toInt32("1e3"), 1000);
    EXPECT_EQ(toInt32("1.5E+2"), 150);
    EXPECT_EQ(toInt32("12345e-2"), 123);
    EXPECT_EQ(toInt32(".5e1"), 5);
    EXPECT_EQ(toInt32("5."), 5);
}

TEST(StoredValueInt, FractionsRoundHalfToEven) {
    struct Case {
        const char* text;
        std::int32_t want;
    };
    for (auto [text, want] : std::vector<Case>{{"0.5", 0},
                                               {"1.5", 2},
                                               {"2.5", 2},
                                               {"3.5", 4},
                                               {"-0.5", 0},
                                               {"-1.5", -2},
                                               {"-2.5", -2},
                                               {"2.4999999", 2},
                                               {"2.5000000000000000000001", 3},
                                               {"1234.5", 1234},
                                               {"1235.5", 1236},
                                               {"0.05e1", 0},
                                               {"25e-1", 2},
                                               {"0.49999999999999999999999", 0},
                                               {"1e-999999", 0}})
        EXPECT_EQ(toInt32(text), want) << text;
}

TEST(StoredValueInt, OutOfRangeGivesNoValue) {
    EXPECT_EQ(toInt32("2147483647"), 2147483647);
    EXPECT_EQ(toInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32("2147483647.4"), 2147483647);
    EXPECT_EQ(toInt32("-2147483648.5"), std::numeric_limits<std::int32_t>::min());
    for (const char* t : {"2147483648", "-2147483649", "2147483647.5", "-2147483648.51", "1e10",
                          "99999999999999999999999999", "1e999999999999999999"})
        EXPECT_EQ(toInt32(t), std::nullopt) << t;

    EXPECT_EQ(toInt16("32767"), 32767);
    EXPECT_EQ(toInt16("-32768"), -32768);
    EXPECT_EQ(toInt16("-32768.5"), -32768);
    EXPECT_EQ(toInt16("32766.5"), 32766);
    for (const char* t : {"32768", "-32769", "32767.5", "6330000", "1e5"})
        EXPECT_EQ(toInt16(t), std::nullopt) << t;
}

TEST(StoredValueInt, RejectsNonNumbers) {
    for (const auto& t : kNotANumber) {
        EXPECT_EQ(toInt16(t), std::nullopt) << t;
        EXPECT_EQ(toInt32(t), std::nullopt) << t;
        EXPECT_EQ(toColor(t), std::nullopt) << t;
        EXPECT_EQ(toSingle(t), std::nullopt) << t;
    }
    EXPECT_EQ(toInt32("True"), std::nullopt);
}

TEST(StoredValueSingle, ConvertsAndKeepsRange) {
    EXPECT_EQ(toSingle("1000"), 1000.0f);
    EXPECT_EQ(toSingle(" -1234.5 "), -1234.5f);
    EXPECT_EQ(toSingle("0.1"), 0.1f);
    EXPECT_EQ(toSingle("1e3"), 1000.0f);
    EXPECT_EQ(toSingle("3.4028234e38"), 3.4028234e38f);
    EXPECT_EQ(toSingle("1e39"), std::nullopt);
    EXPECT_EQ(toSingle("-1e39"), std::nullopt);
    auto tiny = toSingle("1e-50");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0.0f);
    auto negZero = toSingle("-0");
    ASSERT_TRUE(negZero.has_value());
    EXPECT_EQ(*negZero, 0.0f);
}

TEST(StoredValueSingle, IgnoresTheProcessLocale) {
    // A desktop locale with a decimal comma must not change how stored text reads.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                    std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
    EXPECT_EQ(toSingle("1234.5"), 1234.5f);
    EXPECT_EQ(toSingle("1234,5"), std::nullopt);
    EXPECT_EQ(number(1234.5), "1234.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST(StoredValueColor, SignedDecimalIncludingSystemColours) {
    EXPECT_EQ(toColor("14215660"), 14215660);
    EXPECT_EQ(toColor("-2147483633"), kSysButtonFace);
    EXPECT_EQ(toColor("-2147483630"), kSysButtonText);
    EXPECT_EQ(color(kSysButtonFace), "-2147483633");
    EXPECT_EQ(toColor(color(kSysButtonText)), kSysButtonText);
    EXPECT_EQ(toColor("abc"), std::nullopt);
    // The unsigned spelling of a system colour is not a signed 32-bit value.
    EXPECT_EQ(toColor("2147483663"), std::nullopt);
}

TEST(StoredValueForms, WrittenFormsReadBack) {
    EXPECT_EQ(truth(true), "True");
    EXPECT_EQ(truth(false), "False");
    EXPECT_EQ(tick(true), "1");
    EXPECT_EQ(tick(false), "0");
    EXPECT_EQ(toBool(tick(true)), true);
    EXPECT_EQ(toBool(tick(false)), false);
    EXPECT_EQ(toBool(truth(true)), true);
    EXPECT_EQ(toBool(truth(false)), false);
}

TEST(StoredValueForms, NumberHasNoExponentNorTrailingZeros) {
    EXPECT_EQ(number(1000), "1000");
    EXPECT_EQ(number(1234.5), "1234.5");
    EXPECT_EQ(number(-15), "-15");
    EXPECT_EQ(number(0), "0");
    EXPECT_EQ(number(-0.0), "0");
    EXPECT_EQ(number(0.25), "0.25");
    EXPECT_EQ(number(1e20), "100000000000000000000");
    EXPECT_EQ(number(2147483647), "2147483647");
    EXPECT_EQ(number(1e-7), "0.0000001");
    for (double v : {1000.0, 1234.5, -6330.25, 1e20, 0.1, 12763842.0})
        EXPECT_EQ(std::stod(number(v)), v) << number(v);
    EXPECT_EQ(toInt32(number(8685)), 8685);
    EXPECT_EQ(toSingle(number(static_cast<double>(0.1f))), 0.1f);
}

TEST(StoredValueForms, NonFiniteNumbersDoNotReadBackAsNumbers) {
    for (double v : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
        std::string t = number(v);
        EXPECT_EQ(toSingle(t), std::nullopt) << t;
        EXPECT_EQ(toInt32(t), std::nullopt) << t;
    }
}
