#include "common/TextEncoding.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace larkspan::text {
namespace {

TEST(TextEncodingTest, ValidUtf8IsTakenAsItIs) {
    const std::string samples[] = {"",
                                   "http://example.com/",
                                   "caf\xC3\xA9",     // é
                                   "\xE2\x82\xAC 5",  // € 5
                                   "\xF0\x9F\x98\x80",
                                   "\xF4\x8F\xBF\xBF",  // U+1F600, U+10FFFF
                                   std::string("nul\0inside", 10)};
    for (const auto& s : samples) {
        EXPECT_TRUE(isValidUtf8(s)) << s;
        EXPECT_EQ(decodeFileText(s), s);
    }
}

TEST(TextEncodingTest, MalformedSequencesAreNotUtf8) {
    const char* bad[] = {
        "\x80",              // a continuation byte on its own
        "\xC0\xAF",          // overlong "/"
        "\xE0\x80\xAF",      // overlong, three bytes
        "\xED\xA0\x80",      // a UTF-16 surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",  // lead byte that never occurs
        "\xE2\x82",          // cut short at the end
        "\xE2\x41\xAC",      // cut short by an ASCII letter
        "caf\xE9",           // a single-byte code page letter
    };
    for (const char* s : bad) EXPECT_FALSE(isValidUtf8(s)) << s;
}

TEST(TextEncodingTest, SingleBytePageLettersAndPunctuation) {
    EXPECT_EQ(decodeFileText("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(decodeFileText("\x80"), "\xE2\x82\xAC");  // €
    EXPECT_EQ(decodeFileText("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(decodeFileText("\x9F"), "\xC5\xB8");  // Ÿ
    EXPECT_EQ(decodeFileText("\xFF"), "\xC3\xBF");  // ÿ
    EXPECT_EQ(decodeFileText("\xA0"), "\xC2\xA0");  // no-break space
}

TEST(TextEncodingTest, UndefinedBytesKeepTheirOwnCodePoint) {
    EXPECT_EQ(fromWindows1252("\x81"), "\xC2\x81");
    EXPECT_EQ(fromWindows1252("\x8D"), "\xC2\x8D");
    EXPECT_EQ(fromWindows1252("\x8F"), "\xC2\x8F");
    EXPECT_EQ(fromWindows1252("\x90"), "\xC2\x90");
    EXPECT_EQ(fromWindows1252("\x9D"), "\xC2\x9D");
}

TEST(TextEncodingTest, EveryByteGivesItsOwnCharacter) {
    std::set<std::string> seen;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string decoded = fromWindows1252(one);
        EXPECT_TRUE(isValidUtf8(decoded)) << b;
        seen.insert(decoded);
        all += one;
    }
    EXPECT_EQ(seen.size(), 256u);
    // A whole buffer decodes as the concatenation of its bytes.
    std::string joined;
    for (int b = 0; b < 256; ++b) joined += fromWindows1252(std::string(1, static_cast<char>(b)));
    EXPECT_EQ(decodeFileText(all), joined);
}

TEST(TextEncodingTest, OneBadByteMakesTheWholeTextSingleByte) {
    // Valid UTF-8 "é" next to a single-byte "é": the text is not UTF-8, so both bytes of
    // the first are read as code page letters rather than dropping anything.
    EXPECT_EQ(decodeFileText("\xC3\xA9\xE9"), "\xC3\x83\xC2\xA9\xC3\xA9");
}

}  // namespace
}  // namespace larkspan::text
