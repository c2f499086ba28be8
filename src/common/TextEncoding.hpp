#pragma once

// Text files the program reads may come from older tools that wrote them in a single-byte
// code page. The readers accept both: bytes that form valid UTF-8 are taken as they are,
// anything else is read byte by byte as Windows-1252. Every byte maps to its own character,
// so nothing read is ever lost; the files are always written back as UTF-8.

#include <string>
#include <string_view>

namespace larkspan::text {

// True when `bytes` is well-formed UTF-8: no stray continuation bytes, no truncated,
// overlong or surrogate sequences, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Reads every byte as Windows-1252 and gives the text as UTF-8. ASCII stays as it is,
// 0x80-0x9F give the code page's punctuation and letters (0x80 -> U+20AC), the five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give U+0081, U+008D, ...,
// and 0xA0-0xFF give U+00A0-U+00FF. Distinct bytes always give distinct characters.
std::string fromWindows1252(std::string_view bytes);

// File bytes to UTF-8 text: `bytes` itself when valid UTF-8, else fromWindows1252(bytes).
std::string decodeFileText(std::string_view bytes);

}  // namespace larkspan::text
