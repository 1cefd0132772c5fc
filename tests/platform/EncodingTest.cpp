#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Encoding, RoundTripsEveryPlaneAndScript) {
    const std::u16string text = u"ABC \u00AE \u65E5\u672C\u8A9E \uD55C\uAD6D\uC5B4 \U0001F5A8";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\u00AE"), "\xC2\xAE");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F5A8"), "\xF0\x9F\x96\xA8");
}

TEST(Encoding, MalformedInputBecomesReplacementWithoutLosingTheRest) {
    // Truncated sequence at the end, a stray continuation byte, an overlong form.
    EXPECT_EQ(Utf8ToUtf16("A\xE6\x97"), u"A\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("A\x80"
                          "B"),
              u"A\uFFFDB");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"
                          "Z"),
              u"\uFFFDZ");
    EXPECT_EQ(Utf8ToUtf16("\xE6\x97X"), u"\uFFFDX");
    // An unpaired surrogate on the way out.
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(Encoding, PrefixLengthLeavesOutOnlyACharacterCutAtTheEnd) {
    EXPECT_EQ(Utf8PrefixLength(""), 0u);
    EXPECT_EQ(Utf8PrefixLength("abc"), 3u);
    EXPECT_EQ(Utf8PrefixLength("a\xC3\xA9"), 3u);
    EXPECT_EQ(Utf8PrefixLength("a\xC3"), 1u);
    EXPECT_EQ(Utf8PrefixLength("a\xE2\x82"), 1u);
    EXPECT_EQ(Utf8PrefixLength("a\xE2\x82\xAC"), 4u);
    EXPECT_EQ(Utf8PrefixLength("a\xF0\x9F\x98"), 1u);
    EXPECT_EQ(Utf8PrefixLength("\x80\x80"), 2u); // not a cut character: kept as it is
}

TEST(Encoding, HalfWidthMapsFullWidthAsciiAndIdeographicSpaceOnly) {
    EXPECT_EQ(ToHalfWidth(u"\uFF19\uFF16\uFF10\uFF10\u3000\uFF2E\uFF58"), u"9600 Nx");
    EXPECT_EQ(ToHalfWidth(u"\uFF00\uFF5F\u65E5"), u"\uFF00\uFF5F\u65E5");
    EXPECT_EQ(AsciiUpper(u"n x \u00E9"), u"N X \u00E9");
}

} // namespace
} // namespace qm
