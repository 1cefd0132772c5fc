#include "ConnectionTestSupport.h"

#include "connection/PrinterConnection.h"
#include "platform/Encoding.h"

#include <utility>
#include <vector>

namespace qm {
namespace {

constexpr ReplyForm kMenu = ReplyForm::kTerminated;

std::string Text(const uint8_t* buffer, uint32_t count) {
    return std::string(reinterpret_cast<const char*>(buffer), count);
}

class NetTransport : public ::testing::Test {
protected:
    test::LoopbackServer server;
    FakeClock clock;
    test::FakePortServices services;
    PrinterConnection connection{clock, services};
    uint8_t buffer[kReplyBufferSize] = {};
    uint32_t count = 0;

    void Connect(uint32_t readTimeoutMs = 1000) {
        ASSERT_EQ(connection.NetConnect(u"127.0.0.1", server.Port()), 1);
        server.Accept();
        ASSERT_EQ(connection.SetNetTimeouts(readTimeoutMs), 1);
        clock.ClearSleeps();
    }
};

TEST_F(NetTransport, ConnectDrainsAndRefusesASecondSocket) {
    EXPECT_EQ(connection.SetNetTimeouts(1000), 0);
    uint64_t start = clock.NowMs();
    ASSERT_EQ(connection.NetConnect(u"127.0.0.1", server.Port()), 1);
    // The drain waits 100 ms for stale data.
    EXPECT_EQ(clock.NowMs() - start, 100u);
    EXPECT_EQ(connection.Kind(), kPortNet);
    int first = connection.Socket();
    int option = 0;
    socklen_t length = sizeof option;
    ::getsockopt(first, SOL_SOCKET, SO_OOBINLINE, &option, &length);
    EXPECT_EQ(option, 1);
    EXPECT_EQ(connection.NetConnect(u"127.0.0.1", server.Port()), 0);
    EXPECT_EQ(connection.Socket(), first);
    EXPECT_EQ(connection.NetClose(), 1);
    EXPECT_EQ(connection.Socket(), -1);
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_EQ(connection.NetClose(), 0);
    // Nothing listening, a name that does not resolve, a port out of range.
    test::LoopbackServer closed;
    int port = closed.Port();
    ::close(closed.Listener());
    EXPECT_EQ(connection.NetConnect(u"127.0.0.1", port), 0);
    EXPECT_EQ(connection.NetConnect(u"no-such-printer.invalid", 9100), 0);
    EXPECT_EQ(connection.NetConnect(u"127.0.0.1", 70000), 0);
    EXPECT_EQ(connection.NetConnect(u"", 9100), 0);
    EXPECT_EQ(connection.Socket(), -1);
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kErrorInvalidHandle);
    EXPECT_EQ(connection.NetWrite(1, buffer, &count), kErrorInvalidHandle);
}

TEST_F(NetTransport, StaleDataIsDiscardedAtConnect) {
    // The printer still has an old answer queued when the connection is made.
    bool accepted = false;
    clock.SetOnSleep([&](uint64_t) {
        if (!accepted) {
            accepted = true;
            server.Accept();
            server.Send("old\r\nEND\r\n");
        }
    });
    uint64_t start = clock.NowMs();
    ASSERT_EQ(connection.NetConnect(u"127.0.0.1", server.Port()), 1);
    clock.SetOnSleep(nullptr);
    // The drain took the old bytes, then waited 100 ms more for nothing.
    EXPECT_GE(clock.NowMs() - start, 100u);
    EXPECT_LE(clock.NowMs() - start, 200u);
    ASSERT_EQ(connection.SetNetTimeouts(1000), 1);
    server.Send("new\r\nEND\r\n");
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "new\r\nEND\r\n");
}

TEST_F(NetTransport, ChattyPrinterIsDrainedForAtMostTwoSeconds) {
    bool accepted = false;
    clock.SetOnSleep([&](uint64_t now) {
        if (!accepted) {
            accepted = true;
            server.Accept();
        }
        if (now % 50 == 0) {
            server.Send("chatter");
        }
    });
    uint64_t start = clock.NowMs();
    ASSERT_EQ(connection.NetConnect(u"127.0.0.1", server.Port()), 1);
    clock.SetOnSleep(nullptr);
    EXPECT_GE(clock.NowMs() - start, 2000u);
    EXPECT_LE(clock.NowMs() - start, 2100u);
}

TEST_F(NetTransport, SilentPrinterGivesWaitTimeoutAfterThreeWaits) {
    Connect(1000);
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kWaitTimeout);
    EXPECT_EQ(clock.NowMs() - start, 3u * 1000u + 2u * 100u);
    EXPECT_EQ(count, 0u);
}

TEST_F(NetTransport, TerminatedReplyInPieces) {
    Connect();
    server.Send("~!!\r\nA\t:\t1\r\nEN");
    uint64_t start = clock.NowMs();
    clock.SetOnSleep([&](uint64_t now) {
        if (now - start == 300) {
            server.Send("D\r\n");
        }
    });
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "~!!\r\nA\t:\t1\r\nEND\r\n");
    EXPECT_EQ(clock.NowMs() - start, 300u);
    clock.SetOnSleep(nullptr);
    // The shifted tail completes with the length unchanged on NET.
    server.Send("B\t:\t2\r\nEND\r\nT");
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kResultSuccess);
    EXPECT_EQ(count, 13u);
}

TEST_F(NetTransport, UnterminatedReplyEndsAfterOneHundredMsOfSilence) {
    Connect();
    server.Send("12345");
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.NetRead(&count, buffer, ReplyForm::kUnterminated), kResultSuccess);
    EXPECT_EQ(Text(buffer, count), "12345");
    EXPECT_EQ(clock.NowMs() - start, 100u);
    // Two bytes: the ordinary waits apply and the read times out.
    server.Send("ab");
    start = clock.NowMs();
    EXPECT_EQ(connection.NetRead(&count, buffer, ReplyForm::kUnterminated), kWaitTimeout);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(clock.NowMs() - start, 3200u);
}

// Whether a late reply is taken must not depend on how it is cut into segments: a reply that
// keeps arriving is read to its end, in one piece or in several.
TEST_F(NetTransport, LateReplyIsTakenWhateverItsPieces) {
    struct Case {
        ReplyForm form;
        std::vector<std::pair<uint64_t, std::string>> pieces; // (ms after the start, bytes)
        std::string whole;
    };
    const std::string menu = "~!!\r\nA\t:\t1\r\nEND\r\n";
    const std::vector<Case> cases = {
        {kMenu, {{3000, menu}}, menu},
        {kMenu, {{1500, menu.substr(0, 7)}, {1600, menu.substr(7)}}, menu},
        {kMenu, {{900, "~!!"}, {1800, "\r\nA\t:\t1"}, {2700, "\r\nEND\r\n"}}, menu},
        {ReplyForm::kUnterminated, {{1500, "@0000"}}, "@0000"},
        {ReplyForm::kUnterminated, {{1200, "12"}, {1250, "345"}}, "12345"},
    };
    for (const Case& c : cases) {
        Connect(1000);
        const uint64_t start = clock.NowMs();
        size_t next = 0;
        clock.SetOnSleep([&](uint64_t now) {
            while (next < c.pieces.size() && now - start >= c.pieces[next].first) {
                server.Send(c.pieces[next++].second);
            }
        });
        EXPECT_EQ(connection.NetRead(&count, buffer, c.form), kResultSuccess) << c.whole;
        EXPECT_EQ(Text(buffer, count), c.whole);
        clock.SetOnSleep(nullptr);
        connection.NetClose();
    }
}

// A printer that trickles for ever is ended by the cap on the whole reply, counted from its
// first byte; the bytes so far stay in the buffer.
TEST_F(NetTransport, EndlessTrickleEndsAtTheReplyCap) {
    Connect(1000);
    const uint64_t start = clock.NowMs();
    uint64_t lastSent = start;
    clock.SetOnSleep([&](uint64_t now) {
        if (now - lastSent >= 400) {
            lastSent = now;
            server.Send("t");
        }
    });
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kWaitTimeout);
    clock.SetOnSleep(nullptr);
    const uint64_t firstByte = 400;
    EXPECT_GE(clock.NowMs() - start, firstByte + kNetReplyCapMs);
    EXPECT_LE(clock.NowMs() - start, firstByte + kNetReplyCapMs + 400);
    EXPECT_GE(count, kNetReplyCapMs / 400);
    EXPECT_EQ(Text(buffer, count), std::string(count, 't'));
}

TEST_F(NetTransport, PeerCloseReportsNotConnected) {
    Connect();
    server.Send("partial");
    server.ClosePeer();
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kErrorDeviceNotConnected);
    EXPECT_EQ(count, 0xFFFFFFFFu);
}

TEST_F(NetTransport, FullBufferWithoutEndFails) {
    Connect();
    server.Send(std::string(6000, 'n'));
    uint8_t guarded[kReplyBufferSize + 32];
    std::memset(guarded, 0x5A, sizeof guarded);
    EXPECT_EQ(connection.NetRead(&count, guarded, kMenu), kErrorMoreData);
    EXPECT_EQ(count, kReplyBufferSize);
    for (size_t i = kReplyBufferSize; i < sizeof guarded; ++i) {
        ASSERT_EQ(guarded[i], 0x5A);
    }
    // A reply ending exactly at the buffer's end is complete.
    server.Take();
    std::string exact(kReplyBufferSize - 5, 'e');
    exact += "END\r\n";
    connection.NetClose();
    Connect();
    server.Send(exact);
    EXPECT_EQ(connection.NetRead(&count, buffer, kMenu), kResultSuccess);
    EXPECT_EQ(count, kReplyBufferSize);
}

TEST_F(NetTransport, WriteSendsEverythingAndChecksArguments) {
    Connect();
    std::string data(2500, 'w');
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>('a' + i % 26);
    }
    uint32_t sent = 0;
    EXPECT_EQ(connection.NetWrite(2500, reinterpret_cast<const uint8_t*>(data.data()), &sent),
              kResultSuccess);
    EXPECT_EQ(sent, 2500u);
    std::string got;
    test::WaitUntil([&] {
        got += server.Take();
        return got.size() >= 2500;
    });
    EXPECT_EQ(got, data);
    EXPECT_EQ(connection.NetWrite(0, buffer, &sent), kErrorBadArguments);
    EXPECT_EQ(connection.NetWrite(1, nullptr, &sent), kErrorBadArguments);
    EXPECT_EQ(connection.NetWrite(1, buffer, nullptr), kErrorBadArguments);
    EXPECT_EQ(connection.NetRead(nullptr, buffer, kMenu), kErrorBadArguments);
    EXPECT_EQ(connection.NetRead(&count, nullptr, kMenu), kErrorBadArguments);
}

TEST_F(NetTransport, WriteToAPrinterThatStopsTakingDataTimesOut) {
    int small = 4096;
    ::setsockopt(server.Listener(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    Connect();
    ::setsockopt(connection.Socket(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    std::vector<uint8_t> data(4 * 1024 * 1024, 'x');
    uint32_t sent = 0;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(connection.NetWrite(static_cast<uint32_t>(data.size()), data.data(), &sent),
              kErrorTimeout);
    EXPECT_GT(sent, 0u);
    EXPECT_LT(sent, data.size());
    EXPECT_GE(clock.NowMs() - start, 5000u);
    EXPECT_LE(clock.NowMs() - start, 5000u + 20u);
}

TEST_F(NetTransport, PingAndConnectForOperation) {
    // Loopback answers (or, where no ICMP socket may be opened, the check passes).
    SystemClock& real = SystemClock::Instance();
    PrinterConnection live(real, services);
    EXPECT_EQ(live.Ping(u"127.0.0.1"), 1);
    EXPECT_EQ(live.Ping(u"localhost"), 1);
    EXPECT_EQ(live.Ping(u"no-such-printer.invalid"), 0);
    EXPECT_EQ(live.Ping(u""), 0);

    StaticInterfaceSettings settings;
    settings.portType = kPortNet;
    settings.portName = u"127.0.0.1";
    settings.portNumber = U16(std::to_string(server.Port()));
    live.SetInterfaceSettings(&settings);
    ASSERT_EQ(live.ConnectForOperation(kPurposeReceive), 1);
    server.Accept();
    EXPECT_EQ(live.Kind(), kPortNet);
    EXPECT_EQ(live.NetReadTimeoutMs(), 1000u);
    EXPECT_EQ(live.NetWriteTimeoutMs(), 5000u);
    live.Disconnect();
    EXPECT_EQ(live.Socket(), -1);
    EXPECT_EQ(live.NetReadTimeoutMs(), 0u);
    server.ClosePeer();
    ASSERT_EQ(live.ConnectForOperation(kPurposeSensor), 1);
    EXPECT_EQ(live.NetReadTimeoutMs(), 10000u);
    live.Disconnect();
    // A name that does not resolve fails before any connection.
    settings.portName = u"no-such-printer.invalid";
    EXPECT_EQ(live.ConnectForOperation(kPurposeReceive), 0);
    settings.portType = kPortNone;
    EXPECT_EQ(live.ConnectForOperation(kPurposeReceive), 0);
}

TEST_F(NetTransport, AScanBoundShortensTheReplyWaitAndNeverLengthensIt) {
    StaticInterfaceSettings settings;
    settings.portType = kPortNet;
    settings.portName = u"127.0.0.1";
    settings.portNumber = U16(std::to_string(server.Port()));
    PrinterConnection live(SystemClock::Instance(), services);
    live.SetInterfaceSettings(&settings);
    struct Case {
        uint32_t limitMs;
        ConnectPurpose purpose;
        uint32_t readMs;
    };
    for (Case c : {Case{200, kPurposeReceive, 200}, Case{5000, kPurposeReceive, 1000},
                   Case{5000, kPurposeSensor, 5000}, Case{0, kPurposeSensor, 10000}}) {
        SCOPED_TRACE(std::to_string(c.limitMs) + " ms, purpose " + std::to_string(c.purpose));
        live.LimitNetWaits(c.limitMs);
        ASSERT_EQ(live.ConnectForOperation(c.purpose), 1);
        server.Accept();
        EXPECT_EQ(live.NetReadTimeoutMs(), c.readMs);
        EXPECT_EQ(live.NetWriteTimeoutMs(), 5000u);
        live.Disconnect();
        server.ClosePeer();
    }
}

} // namespace
} // namespace qm
