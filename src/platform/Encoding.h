#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// The program keeps its text in UTF-16. Everything exchanged with a printer or written to a
// print file is 8-bit text in the system's ANSI code page, which on Linux is UTF-8.

// UTF-8 to UTF-16. Malformed or truncated sequences become U+FFFD; never throws.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD; never throws.
std::string Utf16ToUtf8(std::u16string_view text);

// The ANSI code page conversions the program uses (UTF-8 here).
inline std::u16string AnsiToWide(std::string_view text) {
    return Utf8ToUtf16(text);
}
inline std::string WideToAnsi(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

// The length of text without a UTF-8 sequence cut short at its end (a byte limit that fell
// inside a character); everything else is counted as it is.
size_t Utf8PrefixLength(std::string_view text);

// Half-width mapping: U+FF01..U+FF5E become U+0021..U+007E, U+3000 becomes a blank; every
// other character is kept.
std::u16string ToHalfWidth(std::u16string_view text);

// Upper-cases ASCII letters only.
std::u16string AsciiUpper(std::u16string_view text);

// Convenience for literals and tests: an ASCII/UTF-8 string as UTF-16.
inline std::u16string U16(std::string_view text) {
    return Utf8ToUtf16(text);
}

} // namespace qm
