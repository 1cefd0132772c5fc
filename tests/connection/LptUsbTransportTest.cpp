#include "ConnectionTestSupport.h"

#include "connection/PrinterConnection.h"

#include <sys/stat.h>

namespace qm {
namespace {

constexpr ReplyForm kMenu = ReplyForm::kTerminated;

std::string Text(const uint8_t* buffer, uint32_t count) {
    return std::string(reinterpret_cast<const char*>(buffer), count);
}

class LptTransport : public ::testing::Test {
protected:
    test::FakeDeviceTree tree;
    FakeClock clock;
    test::FakePortServices services;
    PrinterConnection connection{clock, services};
};

TEST_F(LptTransport, ReadPollsAtOneHundredThenTwoHundredMs) {
    test::SocketDevice device(tree.Dev("lp0"), SOCK_STREAM);
    ASSERT_EQ(connection.Open(u"LPT1:"), 1);
    EXPECT_EQ(connection.Kind(), kPortLpt);
    device.Accept();
    ASSERT_EQ(connection.SetSerialTimeouts(5000, 5000), 1);
    uint8_t buffer[kReplyBufferSize] = {};
    uint32_t count = 0;

    // Nothing: the first read after 100 ms, then every 200 ms, until past 5000 ms.
    clock.ClearSleeps();
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer, &count, kMenu), kWaitTimeout);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(clock.NowMs() - start, 5100u);
    EXPECT_EQ(clock.Sleeps().front(), 100u);
    EXPECT_EQ(clock.Sleeps().size(), 1u + 2u * 25u);

    // Unterminated three bytes: complete at the next read that brings nothing.
    device.Send("ABC");
    start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer, &count, ReplyForm::kUnterminated), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "ABC");
    EXPECT_EQ(clock.NowMs() - start, 300u);

    // Terminated, in two pieces, the shifted terminator drops its last byte.
    device.Send("K\t:\tV\r\nE");
    clock.SetOnSleep([&](uint64_t now) {
        if (now - start == 300) {
            device.Send("ND\r\nT");
        }
    });
    start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer, &count, kMenu), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "K\t:\tV\r\nEND\r\n");
    EXPECT_EQ(clock.NowMs() - start, 300u);
    clock.SetOnSleep(nullptr);

    // A full buffer without an end is a failed read; nothing lands past the buffer.
    device.Send(std::string(5000, 'z'));
    uint8_t guarded[kReplyBufferSize + 32];
    std::memset(guarded, 0x5A, sizeof guarded);
    EXPECT_EQ(connection.Read(guarded, &count, kMenu), kErrorMoreData);
    EXPECT_EQ(count, kReplyBufferSize);
    for (size_t i = kReplyBufferSize; i < sizeof guarded; ++i) {
        ASSERT_EQ(guarded[i], 0x5A);
    }
    EXPECT_NE(connection.Close(), 0);
    EXPECT_EQ(connection.Kind(), kPortNone);
}

TEST_F(LptTransport, FifoPortDrainsWritesAndGivesQueuesBackAtOnce) {
    std::string node = tree.Dev("lp1");
    ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
    int reader = ::open(node.c_str(), O_RDONLY | O_NONBLOCK);
    int writer = ::open(node.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "stale", 5), 5);
    services.queuesOnPort = {u"Queue on LPT2"};
    ASSERT_EQ(connection.Open(u"LPT2:"), 1);
    // Parked and restored right after the open; the stale bytes are gone.
    EXPECT_EQ(services.calls, (std::vector<std::string>{"park", "restore"}));
    char scratch[64];
    EXPECT_LT(::read(reader, scratch, sizeof scratch), 1);

    std::string data(2500, 'p');
    uint32_t written = 0;
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 2500, &written),
              kResultSuccess);
    EXPECT_EQ(written, 2500u);
    std::string got(4096, '\0');
    EXPECT_EQ(::read(reader, got.data(), got.size()), 2500);
    EXPECT_NE(connection.Close(), 0);
    // Close does not restore again for LPT.
    EXPECT_EQ(services.calls.size(), 2u);
    ::close(reader);
    ::close(writer);
}

TEST_F(LptTransport, DeviceThatGoesAwayFailsTheWriteWithoutEndingTheProgram) {
    test::SocketDevice device(tree.Dev("lp0"), SOCK_STREAM);
    ASSERT_EQ(connection.Open(u"LPT1:"), 1);
    device.Accept();
    ASSERT_EQ(connection.SetSerialTimeouts(5000, 5000), 1);
    device.ClosePeer();
    std::string data(100, 'x');
    uint32_t written = 7;
    uint64_t start = clock.NowMs();
    // Every attempt fails (no SIGPIPE); after the write time-out the port counts as busy.
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 100, &written),
              kErrorBusy);
    EXPECT_EQ(written, 7u);
    EXPECT_GT(clock.NowMs() - start, 5000u);
    EXPECT_LE(clock.NowMs() - start, 5500u + 10u);
    EXPECT_NE(connection.Close(), 0);
}

class UsbTransport : public ::testing::Test {
protected:
    test::FakeDeviceTree tree;
    FakeClock clock;
    test::FakePortServices services;
    PrinterConnection connection{clock, services};
    std::vector<std::u16string> posted;

    void SetUp() override {
        services.usbNode = tree.Dev("usb/lp0");
        connection.SetUsbOpenedHandler(
            [this](const std::u16string& text) { posted.push_back(text); });
    }
};

TEST_F(UsbTransport, OpenResolvesPostsAndChunksWrites) {
    test::SocketDevice device(tree.Dev("usb/lp0"), SOCK_SEQPACKET);
    services.resolveAfter = 3;
    ASSERT_EQ(connection.Open(u"USB_AUTO"), 1);
    device.Accept();
    // Three failed lookups 100 ms apart, then the found one and the refresh.
    EXPECT_EQ(services.resolveCalls, 5);
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{100, 100, 100}));
    EXPECT_EQ(connection.PortName(), u"USB001");
    EXPECT_EQ(connection.UsbPortLabel(), u"USB001");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], services.usbDevicePath + u"#USB001");
    ASSERT_EQ(connection.SetUsbTimeouts(20), 1);
    EXPECT_EQ(connection.UsbReadTimeoutMs(), 100u); // never below 100
    ASSERT_EQ(connection.SetUsbTimeouts(5000), 1);

    std::string data(1300, 'u');
    uint32_t written = 0;
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 1300, &written),
              kResultSuccess);
    EXPECT_EQ(written, 1300u);
    std::vector<std::string> packets = device.Packets();
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0].size(), 512u);
    EXPECT_EQ(packets[1].size(), 512u);
    EXPECT_EQ(packets[2].size(), 276u);
    written = 9;
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 0, &written),
              kResultSuccess);
    EXPECT_EQ(written, 0u);

    EXPECT_NE(connection.Close(), 0);
    EXPECT_EQ(connection.UsbReadTimeoutMs(), 0u);
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_TRUE(std::find(services.calls.begin(), services.calls.end(), "park") ==
                services.calls.end());
}

TEST_F(UsbTransport, LookupGivesUpAfterOneSecond) {
    services.resolveAfter = -1;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Open(u"USB002"), 0);
    EXPECT_EQ(clock.NowMs() - start, 1000u);
    EXPECT_EQ(services.resolveCalls, 11);
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_EQ(connection.Handle(), -1);
    EXPECT_TRUE(posted.empty());
    // Found, but the node is missing: the open fails after the notification.
    services.resolveAfter = 0;
    services.resolveCalls = 0;
    EXPECT_EQ(connection.Open(u"USB001"), 0);
    EXPECT_EQ(posted.size(), 1u);
    EXPECT_EQ(connection.Kind(), kPortNone);
}

TEST_F(UsbTransport, ReadPollsEveryFiftyMs) {
    test::SocketDevice device(tree.Dev("usb/lp0"), SOCK_SEQPACKET);
    ASSERT_EQ(connection.Open(u"USB001"), 1);
    device.Accept();
    ASSERT_EQ(connection.SetUsbTimeouts(5000), 1);
    uint8_t buffer[kReplyBufferSize] = {};
    uint32_t count = 0;
    clock.ClearSleeps();

    // Split terminator: complete on the piece that ends it.
    device.Send("A\t:\t1\r\nEN");
    uint64_t start = clock.NowMs();
    clock.SetOnSleep([&](uint64_t now) {
        if (now - start == 100) {
            device.Send("D\r\n");
        }
    });
    EXPECT_EQ(connection.Read(buffer, &count, kMenu), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "A\t:\t1\r\nEND\r\n");
    EXPECT_EQ(clock.NowMs() - start, 100u);
    clock.SetOnSleep(nullptr);

    // USB knows only "END\r\n": the shifted tail waits for the time-out and fails.
    device.Send("A\t:\t1\r\nEND\r\nT");
    start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer, &count, kMenu), kWaitTimeout);
    EXPECT_EQ(count, 13u);
    EXPECT_EQ(clock.NowMs() - start, 5050u);

    // Unterminated: three bytes complete at the next check that finds nothing new.
    device.Send("xyz");
    start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer, &count, ReplyForm::kUnterminated), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "xyz");
    EXPECT_EQ(clock.NowMs() - start, 50u);
    // Two bytes never complete.
    device.Send("xy");
    EXPECT_EQ(connection.Read(buffer, &count, ReplyForm::kUnterminated), kWaitTimeout);

    // Four full landing reads fill the buffer without an end: failed, no overrun.
    for (int i = 0; i < 5; ++i) {
        device.Send(std::string(1024, 'f'));
    }
    uint8_t guarded[kReplyBufferSize + 32];
    std::memset(guarded, 0x5A, sizeof guarded);
    EXPECT_EQ(connection.Read(guarded, &count, kMenu), kErrorMoreData);
    EXPECT_EQ(count, kReplyBufferSize);
    for (size_t i = kReplyBufferSize; i < sizeof guarded; ++i) {
        ASSERT_EQ(guarded[i], 0x5A);
    }
}

TEST_F(UsbTransport, ConnectForOperationSetsUsbTimeouts) {
    test::SocketDevice device(tree.Dev("usb/lp0"), SOCK_SEQPACKET);
    StaticInterfaceSettings settings;
    settings.portType = kPortUsb;
    settings.portName = u"USB001";
    connection.SetInterfaceSettings(&settings);
    ASSERT_EQ(connection.ConnectForOperation(kPurposeSensor), 1);
    EXPECT_EQ(connection.UsbReadTimeoutMs(), 10000u);
    EXPECT_EQ(connection.UsbWriteTimeoutMs(), 5000u);
    connection.Disconnect();
    EXPECT_EQ(connection.Kind(), kPortNone);
    // A queue whose port discovery resolved to USB is closed the same way.
    settings.portType = kPortPrt;
    settings.driverPortKind = kPortUsb;
    EXPECT_EQ(connection.ConnectForOperation(kPurposeReceive), 0);
    ASSERT_EQ(connection.Open(u"USB001"), 1);
    connection.Disconnect();
    EXPECT_EQ(connection.Handle(), -1);
}

} // namespace
} // namespace qm

namespace qm {
namespace {

// A device that stops taking data: its socket buffers are small and nobody reads them.
void Shrink(int fd) {
    int small = 2048;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
}

TEST(ConnectionStalledDevices, UsbWriteTimesOutAndLptWriteIsBusy) {
    test::FakeDeviceTree tree;
    FakeClock clock;
    test::FakePortServices services;
    services.usbNode = tree.Dev("usb/lp0");
    std::vector<uint8_t> data(1 << 20, 'd');
    {
        test::SocketDevice device(tree.Dev("usb/lp0"), SOCK_STREAM);
        PrinterConnection usb(clock, services);
        ASSERT_EQ(usb.Open(u"USB001"), 1);
        device.Accept();
        Shrink(usb.Handle());
        ASSERT_EQ(usb.SetUsbTimeouts(5000), 1);
        uint32_t written = 0;
        uint64_t start = clock.NowMs();
        EXPECT_EQ(usb.Write(data.data(), static_cast<uint32_t>(data.size()), &written),
                  kErrorTimeout);
        EXPECT_GT(written, 0u);
        EXPECT_LT(written, data.size());
        // Polled every millisecond, given up just past the write time-out.
        EXPECT_EQ(clock.NowMs() - start, 5001u);
    }
    {
        // A chunk counts only once the device has finished taking it: one the device accepted
        // but never completed is a write time-out, not a success.
        services.usbNode = tree.Dev("usb/lp1");
        test::SocketDevice device(services.usbNode, SOCK_SEQPACKET);
        PrinterConnection usb(clock, services);
        ASSERT_EQ(usb.Open(u"USB001"), 1);
        device.Accept();
        Shrink(usb.Handle());
        ASSERT_EQ(usb.SetUsbTimeouts(5000), 1);
        std::vector<uint8_t> chunk(512, 'c');
        uint32_t written = 0;
        uint32_t result = kResultSuccess;
        int accepted = 0;
        while ((result = usb.Write(chunk.data(), 512, &written)) == kResultSuccess) {
            ASSERT_LT(++accepted, 64);
        }
        EXPECT_EQ(result, kErrorTimeout);
        EXPECT_EQ(written, 512u); // handed over, not completed
        EXPECT_EQ(device.Packets().size(), static_cast<size_t>(accepted) + 1);
        // A device that takes what it is given completes every chunk.
        size_t taken = 0;
        clock.SetOnSleep([&](uint64_t) { taken += device.Packets().size(); });
        std::vector<uint8_t> more(1300, 'm');
        EXPECT_EQ(usb.Write(more.data(), 1300, &written), kResultSuccess);
        EXPECT_EQ(written, 1300u);
        clock.SetOnSleep(nullptr);
        EXPECT_EQ(taken + device.Packets().size(), 3u);
        uint64_t start = clock.NowMs();
        EXPECT_NE(usb.Close(), 0);
        EXPECT_LE(clock.NowMs() - start, 2000u);
    }
    {
        test::SocketDevice device(tree.Dev("lp0"), SOCK_STREAM);
        PrinterConnection lpt(clock, services);
        ASSERT_EQ(lpt.Open(u"LPT1:"), 1);
        device.Accept();
        Shrink(lpt.Handle());
        ASSERT_EQ(lpt.SetSerialTimeouts(5000, 5000), 1);
        uint32_t written = 0;
        uint64_t start = clock.NowMs();
        EXPECT_EQ(lpt.Write(data.data(), static_cast<uint32_t>(data.size()), &written), kErrorBusy);
        EXPECT_GT(written, 0u);
        uint64_t elapsed = clock.NowMs() - start;
        EXPECT_GT(elapsed, 5000u);
        EXPECT_LE(elapsed, 5500u + 10u);
    }
}

} // namespace
} // namespace qm
