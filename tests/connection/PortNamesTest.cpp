#include "ConnectionTestSupport.h"

#include "connection/NetAddress.h"
#include "connection/PrinterConnection.h"
#include "connection/ReplyEnd.h"
#include "discovery/SerialPorts.h"

#include <fstream>

namespace qm {
namespace {

TEST(ConnectionPortNames, KindByExactPrefix) {
    EXPECT_EQ(ClassifyPortName(u"COM3:"), kPortCom);
    EXPECT_EQ(ClassifyPortName(u"KORVANE COM5:"), kPortCom);
    EXPECT_EQ(ClassifyPortName(u"LPT1:"), kPortLpt);
    EXPECT_EQ(ClassifyPortName(u"USB001"), kPortUsb);
    EXPECT_EQ(ClassifyPortName(u"USB_AUTO"), kPortUsb);
    EXPECT_EQ(ClassifyPortName(u"com3:"), kPortNone);
    EXPECT_EQ(ClassifyPortName(u"KORVANE LPT1:"), kPortNone);
    EXPECT_EQ(ClassifyPortName(u"CO"), kPortNone);
    EXPECT_EQ(ClassifyPortName(u"192.168.0.1"), kPortNone);
}

TEST(ConnectionPortNames, DeviceMap) {
    test::FakeDeviceTree tree;
    EXPECT_EQ(DeviceNodeForPort(u"COM3:"), tree.Dev("ttyS2"));
    EXPECT_EQ(DeviceNodeForPort(u"KORVANE COM5:"), tree.Dev("ttyS4"));
    EXPECT_EQ(DeviceNodeForPort(u"COM32:"), tree.Dev("ttyS31"));
    EXPECT_EQ(DeviceNodeForPort(u"COM33:"), tree.Dev("ttyUSB0"));
    EXPECT_EQ(DeviceNodeForPort(u"COM65:"), tree.Dev("ttyACM0"));
    EXPECT_EQ(DeviceNodeForPort(u"COM96:"), tree.Dev("ttyACM31"));
    EXPECT_EQ(DeviceNodeForPort(u"LPT1:"), tree.Dev("lp0"));
    EXPECT_EQ(DeviceNodeForPort(u"LPT2"), tree.Dev("lp1"));
    // The last character is the colon the device name leaves out: "COM3" names COM.
    EXPECT_EQ(DeviceNodeForPort(u"COM3"), "");
    EXPECT_EQ(DeviceNodeForPort(u"COM0:"), "");
    EXPECT_EQ(DeviceNodeForPort(u"COM97:"), "");
    EXPECT_EQ(DeviceNodeForPort(u"COMx:"), "");
    EXPECT_EQ(DeviceNodeForPort(u"USB001"), "");
    EXPECT_EQ(SerialDevicePath(u"KORVANE COM40:"), tree.Dev("ttyUSB7"));
    EXPECT_EQ(SerialDevicePath(u"LPT1:"), "");
}

TEST(ConnectionPortNames, TimeoutsPerPurpose) {
    for (int32_t kind : {kPortCom, kPortLpt, kPortUsb}) {
        EXPECT_EQ(TimeoutsFor(kind, kPurposeSend).readMs, 5000u);
        EXPECT_EQ(TimeoutsFor(kind, kPurposeReceive).readMs, 5000u);
        EXPECT_EQ(TimeoutsFor(kind, kPurposeSensor).readMs, 10000u);
        EXPECT_EQ(TimeoutsFor(kind, kPurposeSensor).writeMs, 5000u);
    }
    EXPECT_EQ(TimeoutsFor(kPortNet, kPurposeReceive).readMs, 1000u);
    EXPECT_EQ(TimeoutsFor(kPortNet, kPurposeSend).readMs, 1000u);
    EXPECT_EQ(TimeoutsFor(kPortNet, kPurposeSensor).readMs, 10000u);
    EXPECT_EQ(TimeoutsFor(kPortNet, kPurposeSensor).writeMs, 5000u);
}

TEST(ConnectionPortNames, SerialPortListShowsHardwareOnly) {
    test::FakeDeviceTree tree;
    auto touch = [](const std::string& path) { std::ofstream(path).put('\n'); };
    auto port = [&](const std::string& name, const char* type) {
        touch(tree.Dev(name));
        std::filesystem::create_directories(tree.Sys("class/tty/" + name + "/device"));
        if (type != nullptr) {
            std::ofstream(tree.Sys("class/tty/" + name + "/type")) << type << "\n";
        }
    };
    EXPECT_TRUE(ListSerialPorts().empty());
    port("ttyS0", "4");
    port("ttyS1", "0"); // placeholder of an absent UART
    port("ttyS3", "4");
    port("ttyUSB0", nullptr);
    port("ttyACM2", nullptr);
    touch(tree.Dev("ttyS5")); // node without a device in sysfs
    std::filesystem::create_directories(tree.Sys("class/tty/ttyUSB1/device")); // no node
    std::vector<std::u16string> expected = {u"COM1:", u"COM4:", u"COM33:", u"COM67:"};
    EXPECT_EQ(ListSerialPorts(), expected);
}

TEST(ConnectionNetAddresses, DottedQuadRules) {
    EXPECT_TRUE(IsDottedQuad(u"192.168.0.1"));
    EXPECT_TRUE(IsDottedQuad(u"0.0.0.0"));
    EXPECT_TRUE(IsDottedQuad(u"255.255.255.255"));
    EXPECT_TRUE(IsDottedQuad(u"010.001.0000.9"));
    EXPECT_FALSE(IsDottedQuad(u"192.168.0.256"));
    EXPECT_FALSE(IsDottedQuad(u"1.2.3"));
    EXPECT_FALSE(IsDottedQuad(u"1.2.3.4.5"));
    EXPECT_FALSE(IsDottedQuad(u"1..3.4"));
    EXPECT_FALSE(IsDottedQuad(u"1.2.3.4."));
    EXPECT_FALSE(IsDottedQuad(u" 1.2.3.4"));
    EXPECT_FALSE(IsDottedQuad(u"1.2.3.-4"));
    EXPECT_FALSE(IsDottedQuad(u"printer01"));
    EXPECT_FALSE(IsDottedQuad(u"99999999999.1.1.1"));
    EXPECT_EQ(DottedQuadToValue(u"192.168.0.1"), 0xC0A80001u);
    EXPECT_EQ(DottedQuadToValue(u"1.2.3.4"), 0x01020304u);

    std::string dotted;
    EXPECT_TRUE(AddressToDottedQuad(u"10.0.0.7", dotted));
    EXPECT_EQ(dotted, "10.0.0.7");
    EXPECT_TRUE(AddressToDottedQuad(u"localhost", dotted));
    EXPECT_EQ(dotted.rfind("127.", 0), 0u);
    EXPECT_FALSE(AddressToDottedQuad(u"no-such-printer.invalid", dotted));
    EXPECT_FALSE(AddressToDottedQuad(u"", dotted));

    EXPECT_EQ(PortNumberFromText(u"9100"), 9100);
    EXPECT_EQ(PortNumberFromText(u"91x"), 91);
    EXPECT_EQ(PortNumberFromText(u"x91"), 0);
    EXPECT_EQ(PortNumberFromText(u"70000"), 0);
    EXPECT_EQ(PortNumberFromText(u""), 0);
}

TEST(ReplyEndRule, LastFiveBytes) {
    auto check = [](const std::string& s, bool shifted) {
        return CheckReplyEnd(reinterpret_cast<const uint8_t*>(s.data()),
                             static_cast<uint32_t>(s.size()), shifted);
    };
    EXPECT_EQ(check("A\t:\t1\r\nEND\r\n", true), ReplyEnd::kTerminated);
    EXPECT_EQ(check("END\r\n", false), ReplyEnd::kTerminated);
    EXPECT_EQ(check("xEND\r\nT", true), ReplyEnd::kShifted);
    EXPECT_EQ(check("xEND\r\nT", false), ReplyEnd::kOpen);
    EXPECT_EQ(check("END\r", true), ReplyEnd::kOpen);
    EXPECT_EQ(check("END\r\n ", true), ReplyEnd::kOpen);
    EXPECT_EQ(check("", true), ReplyEnd::kOpen);
}

} // namespace
} // namespace qm
