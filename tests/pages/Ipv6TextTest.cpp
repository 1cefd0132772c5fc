#include "pages/Ipv6Text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Ipv6Text, RecordFormToDisplayAndBack) {
    // Fifteen zero bytes and a one: seven groups of zeros and a last group 0001.
    std::u16string stored = u"0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1";
    EXPECT_EQ(Ipv6ToDisplay(stored), u"0000:0000:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(Ipv6FromDisplay(u"0000:0000:0000:0000:0000:0000:0000:0001"), stored);

    std::u16string link = u"254,128,0,0,0,0,0,0,2,17,34,255,254,51,68,85";
    std::u16string shown = Ipv6ToDisplay(link);
    EXPECT_EQ(shown, u"fe80:0000:0000:0000:0211:22ff:fe33:4455");
    EXPECT_EQ(Ipv6FromDisplay(shown), link);
    // Upper-case digits and short groups are read as numbers.
    EXPECT_EQ(Ipv6FromDisplay(u" FE80:0:0:0:211:22FF:FE33:4455 "), link);
}

TEST(Ipv6Text, MissingFieldsCountAsZero) {
    EXPECT_EQ(Ipv6ToDisplay(u""), u"0000:0000:0000:0000:0000:0000:0000:0000");
    EXPECT_EQ(Ipv6ToDisplay(u"1,2"), u"0102:0000:0000:0000:0000:0000:0000:0000");
}

TEST(Ipv6Text, ReceivedColonFormIsShownAsIs) {
    // The reply parser already stores the colon form; it must not be read as bytes.
    EXPECT_EQ(Ipv6ToDisplay(u"fe80:0000:0000:0000:0211:22ff:fe33:4455"),
              u"fe80:0000:0000:0000:0211:22ff:fe33:4455");
    EXPECT_EQ(Ipv6ToDisplay(u"FE80:0:0:0:0:0:0:1"), u"fe80:0000:0000:0000:0000:0000:0000:0001");
}

TEST(Ipv6Text, MalformedDisplayTextIsKeptForTheCheck) {
    // Compressed, too long, or non-hex texts are not silently turned into another address.
    for (std::u16string bad : {u"::1", u"fe80::1", u"12345:0:0:0:0:0:0:0", u"g:0:0:0:0:0:0:0",
                               u"0:0:0:0:0:0:0", u"0:0:0:0:0:0:0:0:0", u""}) {
        EXPECT_EQ(Ipv6FromDisplay(bad), bad);
    }
}

} // namespace
} // namespace qm
