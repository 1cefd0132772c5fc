#include "app/DeviceTextMessage.h"
#include "app/DriverPortDescription.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(DriverPortDescription, SplitsByPortKind) {
    DriverPortParts com = SplitDriverPortDescription(2, u"COM1, 9600, 8, 1, None, None");
    EXPECT_EQ(com.address, u"COM1:");
    ASSERT_TRUE(com.hasSerialText);
    EXPECT_EQ(com.serialText, u"9600, 8, 1, None, None");
    EXPECT_FALSE(com.hasNumber);

    DriverPortParts maker =
        SplitDriverPortDescription(2, u"KORVANE COM5:, 19200, 7, 2, Even, Hardware");
    EXPECT_EQ(maker.address, u"KORVANE COM5:");
    EXPECT_EQ(maker.serialText, u"19200, 7, 2, Even, Hardware");

    // A serial port whose configuration could not be read has no serial part.
    DriverPortParts bare = SplitDriverPortDescription(2, u"COM3");
    EXPECT_EQ(bare.address, u"COM3:");
    EXPECT_FALSE(bare.hasSerialText);

    DriverPortParts net = SplitDriverPortDescription(5, u"192.168.1.5, 9100");
    ASSERT_TRUE(net.hasAddress && net.hasNumber);
    EXPECT_EQ(net.address, u"192.168.1.5");
    EXPECT_EQ(net.number, u"9100");
    // Not exactly two parts: both stay as they were.
    EXPECT_FALSE(SplitDriverPortDescription(5, u"printer01").hasAddress);
    EXPECT_FALSE(SplitDriverPortDescription(5, u"a, b, c").hasNumber);

    DriverPortParts usb = SplitDriverPortDescription(4, u"USB001");
    EXPECT_EQ(usb.address, u"USB001");
    EXPECT_EQ(SplitDriverPortDescription(0, u"FILE:, x").address, u"FILE:, x");
}

TEST(DeviceTextMessage, FiveFieldsWithAPairInTheSecond) {
    EXPECT_EQ(DeviceTextFromMessage(u"\\\\?\\USB#VID_1234&PID_5678#SER01#{guid}#USB001"),
              std::optional<std::u16string>(u"USB001"));
    // Four fields change nothing.
    EXPECT_FALSE(DeviceTextFromMessage(u"\\\\?\\USB#VID_1234&PID_5678#SER01#{guid}"));
    // The second field must split at "&" into exactly two parts.
    EXPECT_FALSE(DeviceTextFromMessage(u"a#VID_1234#b#c#d"));
    EXPECT_FALSE(DeviceTextFromMessage(u"a#V&P&X#b#c#d"));
    EXPECT_FALSE(DeviceTextFromMessage(u""));
    // The static holds at most ten characters.
    EXPECT_EQ(DeviceTextFromMessage(u"a#V&P#b#c#ABCDEFGHIJKLMN"),
              std::optional<std::u16string>(u"ABCDEFGHIJ"));
}

} // namespace
} // namespace qm
