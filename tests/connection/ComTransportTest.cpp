#include "ConnectionTestSupport.h"

#include "connection/PrinterConnection.h"
#include "connection/SerialLine.h"
#include "discovery/SerialPorts.h"

#include <array>

namespace qm {
namespace {

constexpr ReplyForm kMenu = ReplyForm::kTerminated;

// A reply buffer with guard bytes behind it, so a write past 4096 bytes shows.
struct GuardedBuffer {
    std::array<uint8_t, kReplyBufferSize + 64> bytes{};
    GuardedBuffer() { std::fill(bytes.begin() + kReplyBufferSize, bytes.end(), 0xA5); }
    uint8_t* data() { return bytes.data(); }
    bool GuardIntact() const {
        return std::all_of(bytes.begin() + kReplyBufferSize, bytes.end(),
                           [](uint8_t b) { return b == 0xA5; });
    }
    std::string Text(uint32_t count) const {
        return std::string(reinterpret_cast<const char*>(bytes.data()), count);
    }
};

class ComTransport : public ::testing::Test {
protected:
    test::FakeDeviceTree tree;
    test::PtyPair pty{tree.Dev("ttyS2")}; // COM3:
    FakeClock clock;
    test::FakePortServices services;
    PrinterConnection connection{clock, services};

    void OpenCom3() {
        ASSERT_EQ(connection.Open(u"COM3:"), 1);
        ASSERT_EQ(connection.SetSerialTimeouts(5000, 5000), 1);
        clock.ClearSleeps();
    }
};

TEST_F(ComTransport, OpenCloseAndSecondOpen) {
    ASSERT_EQ(connection.Open(u"COM3:"), 1);
    EXPECT_EQ(connection.Kind(), kPortCom);
    EXPECT_EQ(connection.PortName(), u"COM3:");
    int handle = connection.Handle();
    EXPECT_GE(handle, 0);
    // A second open is refused and leaves the first port as it was.
    EXPECT_EQ(connection.Open(u"COM3:"), 0);
    EXPECT_EQ(connection.Open(u"LPT1:"), 0);
    EXPECT_EQ(connection.Handle(), handle);
    EXPECT_EQ(connection.PortName(), u"COM3:");
    // Time-outs only for the matching kind.
    EXPECT_EQ(connection.SetUsbTimeouts(100), 0);
    EXPECT_EQ(connection.SetNetTimeouts(100), 0);
    EXPECT_NE(connection.Close(), 0);
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_EQ(connection.Handle(), -1);
    EXPECT_TRUE(connection.PortName().empty());
    EXPECT_EQ(connection.Close(), 0);
    // Lower case is not a COM port; a missing device fails and keeps nothing.
    EXPECT_EQ(connection.Open(u"com3:"), 0);
    EXPECT_EQ(connection.Open(u"COM4:"), 0);
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_TRUE(connection.PortName().empty());
    // The maker's virtual port name opens the same device.
    EXPECT_EQ(connection.Open(u"KORVANE COM3:"), 1);
    EXPECT_EQ(connection.Kind(), kPortCom);
}

TEST_F(ComTransport, ClosedOrBadArguments) {
    uint8_t buffer[kReplyBufferSize] = {};
    uint32_t count = 7;
    EXPECT_EQ(connection.Read(buffer, &count, kMenu), kErrorInvalidHandle);
    EXPECT_EQ(connection.Write(buffer, 1, &count), kErrorInvalidHandle);
    OpenCom3();
    EXPECT_EQ(connection.Read(nullptr, &count, kMenu), kErrorBadArguments);
    EXPECT_EQ(connection.Read(buffer, nullptr, kMenu), kErrorBadArguments);
    EXPECT_EQ(connection.Write(nullptr, 1, &count), kErrorBadArguments);
    EXPECT_EQ(connection.Write(buffer, 1, nullptr), kErrorBadArguments);
}

TEST_F(ComTransport, StaleInputIsDrainedAtOpen) {
    pty.Send("stale END\r\n");
    OpenCom3();
    EXPECT_EQ(test::QueuedInput(pty.Slave()), 0);
    GuardedBuffer buffer;
    uint32_t count = 99;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kWaitTimeout);
    EXPECT_EQ(count, 0u);
    // Polls every 500 ms; the read ends at the first empty poll past the 5000 ms time-out.
    EXPECT_EQ(clock.NowMs() - start, 5500u);
    EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>(11, 500));
}

TEST_F(ComTransport, TerminatorSplitAcrossPieces) {
    OpenCom3();
    pty.Send("~!!\r\nPRINT SPEED\t:\t6 IPS\r\nEN");
    clock.SetOnSleep([&](uint64_t) {
        pty.Send("D\r\n");
        clock.SetOnSleep(nullptr);
    });
    GuardedBuffer buffer;
    uint32_t count = 0;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kResultSuccess);
    EXPECT_EQ(buffer.Text(count), "~!!\r\nPRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    EXPECT_EQ(clock.NowMs() - start, 500u); // complete on the piece that brought "D\r\n"
}

TEST_F(ComTransport, LoneLineFeedCompletesToo) {
    OpenCom3();
    pty.Send("A\t:\t1\r\nEND\r");
    clock.SetOnSleep([&](uint64_t) {
        pty.Send("\n");
        clock.SetOnSleep(nullptr);
    });
    GuardedBuffer buffer;
    uint32_t count = 0;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kResultSuccess);
    EXPECT_EQ(count, 12u);
    EXPECT_EQ(clock.NowMs() - start, 500u);
}

TEST_F(ComTransport, ShiftedTerminatorDropsTheTrailingByte) {
    OpenCom3();
    pty.Send("A\t:\t1\r\nEND\r\nT");
    GuardedBuffer buffer;
    uint32_t count = 0;
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kResultSuccess);
    EXPECT_EQ(buffer.Text(count), "A\t:\t1\r\nEND\r\n");
    EXPECT_EQ(count, 12u);
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(ComTransport, UnterminatedReplies) {
    OpenCom3();
    GuardedBuffer buffer;
    uint32_t count = 0;
    // Three bytes: complete at the next empty poll.
    pty.Send("\x01"
             "AB");
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer.data(), &count, ReplyForm::kUnterminated), kResultSuccess);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(clock.NowMs() - start, 500u);
    // Two bytes: not complete until the read time-out, then taken as a partial reply.
    pty.Send("OK");
    start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer.data(), &count, ReplyForm::kUnterminated), kResultSuccess);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(clock.NowMs() - start, 5500u);
    // A terminated kind with an unterminated answer ends the same way, with what came.
    pty.Send("abc");
    start = clock.NowMs();
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kResultSuccess);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(clock.NowMs() - start, 5500u);
}

TEST_F(ComTransport, TricklingReplyKeepsReading) {
    OpenCom3();
    int pieces = 0;
    // One piece per poll for 15 polls (7.5 s, past the time-out), then the terminator.
    clock.SetOnSleep([&](uint64_t) {
        if (++pieces < 15) {
            pty.Send("x");
        } else if (pieces == 15) {
            pty.Send("END\r\n");
        }
    });
    GuardedBuffer buffer;
    uint32_t count = 0;
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kResultSuccess);
    EXPECT_EQ(count, 14u + 5u);
}

TEST_F(ComTransport, FullBufferWithoutTerminatorFails) {
    OpenCom3();
    std::string flood(5000, 'z');
    pty.Send(flood, 4000);
    clock.SetOnSleep(
        [&](uint64_t) { test::WaitUntil([&] { return test::QueuedInput(pty.Slave()) > 0; }); });
    GuardedBuffer buffer;
    uint32_t count = 0;
    EXPECT_EQ(connection.Read(buffer.data(), &count, kMenu), kErrorMoreData);
    EXPECT_EQ(count, kReplyBufferSize);
    EXPECT_TRUE(buffer.GuardIntact());
}

TEST_F(ComTransport, WriteReachesThePort) {
    OpenCom3();
    std::string data(3000, 'q');
    data[0] = 'S';
    data[2999] = 'E';
    uint32_t written = 0;
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 3000, &written),
              kResultSuccess);
    EXPECT_EQ(written, 3000u);
    EXPECT_EQ(pty.Take(3000), data);
    // The per-write constant is put back after each piece.
    EXPECT_EQ(connection.PortTimeoutBlock().writeConstant, 5000u);
    written = 5;
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 0, &written),
              kResultSuccess);
    EXPECT_EQ(written, 5u);
    // Closing right after a write (a configuration send) loses nothing the write accepted.
    std::string tail(2000, 't');
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(tail.data()), 2000, &written),
              kResultSuccess);
    EXPECT_NE(connection.Close(), 0);
    EXPECT_EQ(pty.Take(2000), tail);
}

TEST_F(ComTransport, WriteToAStoppedPortIsBusy) {
    StaticInterfaceSettings settings;
    settings.portType = kPortCom;
    settings.portName = u"COM3:";
    settings.serial.flow = u"X";
    connection.SetInterfaceSettings(&settings);
    ASSERT_EQ(connection.ConnectForOperation(kPurposeSend), 1);
    // XOFF from the printer: the terminal stops sending for real (a probe byte from the test's
    // own descriptor shows when it has).
    pty.Send("\x13", 0);
    EXPECT_TRUE(test::WaitUntil([&] {
        pty.Take(0);
        return ::write(pty.Slave(), "?", 1) < 0 && errno == EAGAIN;
    }));
    clock.ClearSleeps();
    std::string data(100, 'w');
    uint32_t written = 0;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 100, &written),
              kErrorBusy);
    EXPECT_EQ(written, 0u);
    // The write time-out (5000 ms) plus at most one 500 ms write attempt.
    uint64_t elapsed = clock.NowMs() - start;
    EXPECT_GT(elapsed, 5000u);
    EXPECT_LE(elapsed, 5500u + 10u);
    // XON lets the data through.
    pty.Send("\x11", 0);
    EXPECT_TRUE(test::WaitUntil([&] { return ::write(pty.Slave(), "?", 1) == 1; }));
    EXPECT_EQ(connection.Write(reinterpret_cast<const uint8_t*>(data.data()), 100, &written),
              kResultSuccess);
    std::string got = pty.Take(101);
    EXPECT_EQ(got.substr(got.find_first_not_of('?')), data); // after the probe bytes
    connection.Disconnect();
    EXPECT_EQ(connection.Kind(), kPortNone);
}

TEST_F(ComTransport, ConnectAppliesLineSettingsAndTimeouts) {
    StaticInterfaceSettings settings;
    settings.portType = kPortCom;
    settings.portName = u"COM3:";
    settings.serial = SerialSettings{19200, 7, 2, 1, u"H"};
    services.queuesOnPort = {u"Label printer"};
    connection.SetInterfaceSettings(&settings);
    ASSERT_EQ(connection.ConnectForOperation(kPurposeSensor), 1);
    termios line = pty.Line();
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B19200));
    EXPECT_NE(line.c_cflag & CSTOPB, 0u);
    EXPECT_NE(line.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), 0u);
    uint32_t readMs = 0;
    uint32_t writeMs = 0;
    EXPECT_EQ(connection.GetSerialTimeouts(&readMs, &writeMs), 1);
    EXPECT_EQ(readMs, 10000u);
    EXPECT_EQ(writeMs, 5000u);
    EXPECT_EQ(connection.PortTimeoutBlock().readConstant, 5000u);
    EXPECT_EQ(connection.PortTimeoutBlock().writeMultiplier, 0xFFFFFFFFu);
    EXPECT_EQ(connection.PortTimeoutBlock().writeConstant, 5000u);
    EXPECT_EQ(connection.ParkedQueues(), std::vector<std::u16string>{u"Label printer"});
    EXPECT_EQ(services.calls, std::vector<std::string>{"park"});
    connection.Disconnect();
    EXPECT_EQ(services.calls, (std::vector<std::string>{"park", "restore"}));
    EXPECT_EQ(connection.GetSerialTimeouts(&readMs, &writeMs), 0);

    // Xon/Xoff and the ordinary purpose; what a pseudo-terminal keeps shows in the description.
    settings.serial = SerialSettings{9600, 8, 0, 0, u"X"};
    ASSERT_EQ(connection.ConnectForOperation(kPurposeReceive), 1);
    line = pty.Line();
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
    EXPECT_EQ(line.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(connection.SerialReadTimeoutMs(), 5000u);
    connection.Disconnect();
    // A rate the line cannot run at fails the connect instead of keeping another speed.
    settings.serial.baudRate = 12345;
    EXPECT_EQ(connection.ConnectForOperation(kPurposeReceive), 0);
    connection.Disconnect();
    line = pty.Line();
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
    settings.serial.baudRate = 9600;
    EXPECT_EQ(DescribeSerialPort(u"COM3:"), u"COM3, 9600, 8, 1, None, Xon/Xoff");
    EXPECT_EQ(DescribeSerialPort(u"KORVANE COM3:"), u"KORVANE COM3, 9600, 8, 1, None, Xon/Xoff");
    EXPECT_EQ(DescribeSerialPort(u"COM9:"), u"COM9");
    EXPECT_EQ(DescribeSerialPort(u"KORVANE COM9:"), u"KORVANE COM9:");
}

TEST_F(ComTransport, FailedOpenGivesTheQueuesBack) {
    StaticInterfaceSettings settings;
    settings.portType = kPortCom;
    settings.portName = u"COM9:";
    services.queuesOnPort = {u"A", u"B"};
    connection.SetInterfaceSettings(&settings);
    EXPECT_EQ(connection.ConnectForOperation(kPurposeReceive), 0);
    EXPECT_EQ(services.calls, (std::vector<std::string>{"park", "restore"}));
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_EQ(connection.Handle(), -1);
    // Nothing to restore: no restore call.
    services.calls.clear();
    services.queuesOnPort.clear();
    EXPECT_EQ(connection.ConnectForOperation(kPurposeReceive), 0);
    EXPECT_EQ(services.calls, std::vector<std::string>{"park"});
}

TEST(SerialLineMapping, SettingsToTermios) {
    auto mapped = [](const SerialSettings& s) {
        termios tio{};
        tio.c_cflag = CRTSCTS | CSTOPB | PARENB | CS8;
        tio.c_iflag = IXON | IXOFF | ICRNL | IGNBRK;
        tio.c_lflag = ICANON | ECHO;
        tio.c_oflag = OPOST;
        MapLineSettings(s, tio);
        return tio;
    };
    termios none = mapped(SerialSettings{9600, 8, 0, 0, u"N"});
    EXPECT_EQ(none.c_cflag & (CRTSCTS | CSTOPB | PARENB), 0u);
    EXPECT_EQ(none.c_iflag & (IXON | IXOFF | INPCK | ICRNL | IGNBRK), 0u);
    EXPECT_EQ(none.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(none.c_oflag & OPOST, 0u);
    EXPECT_EQ(none.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_NE(none.c_cflag & CREAD, 0u);
    EXPECT_EQ(cfgetispeed(&none), static_cast<speed_t>(B9600));

    termios odd = mapped(SerialSettings{115200, 7, 0, 1, u"X"});
    EXPECT_EQ(odd.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_EQ(odd.c_cflag & (PARENB | PARODD | CMSPAR), static_cast<tcflag_t>(PARENB | PARODD));
    EXPECT_NE(odd.c_iflag & INPCK, 0u);
    EXPECT_EQ(odd.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(odd.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(cfgetospeed(&odd), static_cast<speed_t>(B115200));

    termios even = mapped(SerialSettings{57600, 8, 2, 2, u"H"});
    EXPECT_EQ(even.c_cflag & (PARENB | PARODD | CMSPAR), static_cast<tcflag_t>(PARENB));
    EXPECT_NE(even.c_cflag & CSTOPB, 0u);
    EXPECT_NE(even.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(even.c_iflag & (IXON | IXOFF), 0u);

    termios mark = mapped(SerialSettings{9600, 8, 1, 3, u"N"});
    EXPECT_EQ(mark.c_cflag & (PARENB | PARODD | CMSPAR),
              static_cast<tcflag_t>(PARENB | PARODD | CMSPAR));
    EXPECT_NE(mark.c_cflag & CSTOPB, 0u); // one and a half becomes two
    termios space = mapped(SerialSettings{9600, 8, 0, 4, u"N"});
    EXPECT_EQ(space.c_cflag & (PARENB | PARODD | CMSPAR), static_cast<tcflag_t>(PARENB | CMSPAR));

    // An unknown rate leaves the speed as the port had it.
    termios odd4800 = odd;
    MapLineSettings(SerialSettings{12345, 7, 0, 1, u"X"}, odd4800);
    EXPECT_EQ(cfgetospeed(&odd4800), static_cast<speed_t>(B115200));

    // Reading back gives the settings (one and a half reads as two).
    for (const SerialSettings& s :
         {SerialSettings{9600, 8, 0, 0, u"N"}, SerialSettings{115200, 7, 0, 1, u"X"},
          SerialSettings{57600, 8, 2, 2, u"H"}, SerialSettings{38400, 8, 2, 3, u"N"},
          SerialSettings{19200, 7, 0, 4, u"X"}}) {
        EXPECT_EQ(LineSettingsFromTermios(mapped(s)), s);
    }
}

} // namespace
} // namespace qm
