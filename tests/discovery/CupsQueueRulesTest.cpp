#include "discovery/CupsQueueRules.h"
#include "discovery/CupsDeviceUri.h"

#include "discovery/FakeDeviceTree.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::FakeDeviceTree;

QueueRecord Classified(const std::string& uri, const std::vector<UsbDeviceRecord>& usb = {}) {
    QueueRecord record;
    record.deviceUri = uri;
    ClassifyQueue(record, usb);
    return record;
}

TEST(ParseCupsDeviceUri, SplitsTheParts) {
    CupsDeviceUri uri;
    ASSERT_TRUE(ParseCupsDeviceUri("Socket://user@10.0.0.1:9100/x?waiteof=false", uri));
    EXPECT_EQ(uri.scheme, "socket");
    EXPECT_EQ(uri.host, "10.0.0.1");
    EXPECT_EQ(uri.port, "9100");
    EXPECT_EQ(uri.path, "/x");
    EXPECT_EQ(uri.options, "waiteof=false");

    ASSERT_TRUE(ParseCupsDeviceUri("serial:/dev/tty%53%30?baud=9600+bits=8", uri));
    EXPECT_EQ(uri.host, "");
    EXPECT_EQ(uri.path, "/dev/ttyS0");
    EXPECT_EQ(uri.options, "baud=9600+bits=8");

    ASSERT_TRUE(ParseCupsDeviceUri("ipp://[::1]:631/ipp/print", uri));
    EXPECT_EQ(uri.host, "::1");
    EXPECT_EQ(uri.port, "631");

    ASSERT_TRUE(ParseCupsDeviceUri("ipp://[::1", uri)); // unterminated bracket: no port
    EXPECT_EQ(uri.port, "");
    ASSERT_TRUE(ParseCupsDeviceUri("file:///dev/null%", uri)); // a lone "%" stays
    EXPECT_EQ(uri.path, "/dev/null%");

    EXPECT_FALSE(ParseCupsDeviceUri("no-scheme-here", uri));
    EXPECT_FALSE(ParseCupsDeviceUri(":/dev/x", uri));
}

TEST(SerialSettingsFromCupsOptions, FollowsTheSerialBackendOptionOrder) {
    SerialSettings s = SerialSettingsFromCupsOptions("");
    EXPECT_EQ(FormatSerialFields(s), u"9600, 8, 1, None, None");

    s = SerialSettingsFromCupsOptions("baud=19200+bits=7+stop=2+flow=soft");
    EXPECT_EQ(FormatSerialFields(s), u"19200, 7, 2, Even, Xon/Xoff"); // 7 bits bring even parity

    s = SerialSettingsFromCupsOptions("bits=7&parity=odd&flow=dtrdsr");
    EXPECT_EQ(FormatSerialFields(s), u"9600, 7, 1, Odd, Hardware");

    s = SerialSettingsFromCupsOptions("parity=even+bits=8"); // later bits=8 clears parity
    EXPECT_EQ(FormatSerialFields(s), u"9600, 8, 1, None, None");

    s = SerialSettingsFromCupsOptions("PARITY=Mark+flow=rtscts+baud=115200");
    EXPECT_EQ(FormatSerialFields(s), u"115200, 7, 2, Mark, Hardware");

    s = SerialSettingsFromCupsOptions("parity=space+stop=3+flow=bogus+junk+=x");
    EXPECT_EQ(FormatSerialFields(s), u"9600, 8, 1, Space, None");
}

TEST(ClassifyQueue, SerialAndParallelQueuesNameTheirPorts) {
    FakeDeviceTree tree;
    tree.AddSerialPort("ttyS0");
    tree.AddSerialPort("ttyUSB2");
    tree.AddParallelNode(0);

    QueueRecord q = Classified("serial:/dev/ttyS0?baud=38400+bits=8+parity=none+flow=soft");
    EXPECT_EQ(q.portKind, 2);
    EXPECT_EQ(q.portName, u"COM1:");
    EXPECT_EQ(q.detail, u"COM1, 38400, 8, 1, None, Xon/Xoff");

    // A path inside the device tree itself names the same port.
    q = Classified("serial:" + tree.Dev("ttyUSB2"));
    EXPECT_EQ(q.portName, u"COM35:");
    EXPECT_EQ(q.detail, u"COM35, 9600, 8, 1, None, None");

    // A serial device outside the COM map keeps its path.
    q = Classified("serial:/dev/ttyXR0?baud=9600");
    EXPECT_EQ(q.portKind, 2);
    EXPECT_EQ(q.portName, u"/dev/ttyXR0");
    EXPECT_EQ(q.detail, u"/dev/ttyXR0, 9600, 8, 1, None, None");

    q = Classified("parallel:/dev/lp0");
    EXPECT_EQ(q.portKind, 3);
    EXPECT_EQ(q.portName, u"LPT1:");
    EXPECT_EQ(q.detail, u"LPT1:");
    q = Classified("parallel:/dev/lp3"); // not in the tree, but the name is the system's
    EXPECT_EQ(q.detail, u"LPT4:");
    q = Classified("parallel:/dev/usb/lp0");
    EXPECT_EQ(q.portKind, 3);
    EXPECT_EQ(q.detail, u"/dev/usb/lp0");
}

TEST(ClassifyQueue, UsbQueuesMatchRecordsBySerialNumber) {
    std::vector<UsbDeviceRecord> usb(2);
    usb[0].serial = "AAA";
    usb[0].portNumber = 1;
    usb[1].serial = "B 2";
    usb[1].portNumber = 7;
    QueueRecord q = Classified("usb://Maker/Model%20X?serial=B%202", usb);
    EXPECT_EQ(q.portKind, 4);
    EXPECT_EQ(q.portName, u"USB007");
    EXPECT_EQ(q.detail, u"USB007");

    q = Classified("usb://Maker/Model?serial=ZZZ", usb);
    EXPECT_EQ(q.portKind, 4);
    EXPECT_EQ(q.detail, u"usb://Maker/Model?serial=ZZZ");
    q = Classified("usb://Maker/Model?interface=1", usb);
    EXPECT_EQ(q.detail, u"usb://Maker/Model?interface=1");
}

TEST(ClassifyQueue, NetworkAndOtherQueues) {
    QueueRecord q = Classified("socket://192.168.1.50:9100");
    EXPECT_EQ(q.portKind, 5);
    EXPECT_EQ(q.detail, u"192.168.1.50, 9100");
    q = Classified("socket://printer01");
    EXPECT_EQ(q.portKind, 5);
    EXPECT_EQ(q.detail, u"printer01, 9100");
    q = Classified("lpd://10.0.0.9:515/queue");
    EXPECT_EQ(q.detail, u"10.0.0.9, 515");
    q = Classified("ipp://printer02:631/ipp/print");
    EXPECT_EQ(q.portKind, 5);
    EXPECT_EQ(q.detail, u"printer02, 631");

    for (const char* other : {"ipp://printer02/ipp/print", "dnssd://Printer._ipp._tcp.local/",
                              "file:///dev/null", "lpd://host/queue", "garbage"}) {
        q = Classified(other);
        EXPECT_EQ(q.portKind, 0) << other;
        EXPECT_EQ(q.detail, U16(other));
        EXPECT_EQ(q.portName, U16(other));
    }
}

} // namespace
} // namespace qm
