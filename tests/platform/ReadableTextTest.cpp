#include "platform/ReadableText.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ReadableText, ControlsAndBrokenBytesAreEscapedTheRestKept) {
    // OSC 52 (clipboard), a screen clear, C1 CSI, a bidirectional override, a line separator,
    // a byte that is not UTF-8, an overlong "/", a lone surrogate and a cut sequence.
    EXPECT_EQ(EscapeControls("a\x1b]52;c;aGk=\x07z\x1b[2J\xc2\x9b"
                             "1m\xe2\x80\xae\xe2\x80\xa8\xff\xc0\xaf\xed\xa0\x80\xe3\x83"),
              "a\\x1b]52;c;aGk=\\x07z\\x1b[2J\\u009b1m\\u202e\\u2028\\xff\\xc0\\xaf\\xed\\xa0\\x80"
              "\\xe3\\x83");
    EXPECT_EQ(EscapeControls("Vexa Gorse ラベル \\ 100%\x7f\t"),
              "Vexa Gorse ラベル \\ 100%\\x7f\\x09");
    EXPECT_EQ(EscapeControlsKeepingLines("one\r\ntwo\x1b\rthree\n"), "one\r\ntwo\\x1b\\x0dthree\n");
}

} // namespace
} // namespace qm
