#include "platform/TextFields.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using Fields = std::vector<std::u16string_view>;

TEST(TextFields, SplitKeepsEmptyFieldsAndMultiCharacterSeparators) {
    EXPECT_EQ(SplitFields(u"a##b", u"#"), (Fields{u"a", u"", u"b"}));
    EXPECT_EQ(SplitFields(u"", u"#"), (Fields{u""}));
    EXPECT_EQ(SplitFields(u"COM3:, 9600, 8", u", "), (Fields{u"COM3:", u"9600", u"8"}));
    EXPECT_EQ(SplitFields(u"a,b", u""), (Fields{u"a,b"}));
    EXPECT_TRUE(IsDecimalDigits(u"9100"));
    EXPECT_FALSE(IsDecimalDigits(u""));
    EXPECT_FALSE(IsDecimalDigits(u"91 0"));
    EXPECT_FALSE(IsDecimalDigits(u"\uFF19"));
}

} // namespace
} // namespace qm
