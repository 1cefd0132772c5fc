#include "connection/ConnectionTestSupport.h"

#include "operations/Exchange.h"
#include "platform/Encoding.h"

namespace qm {
namespace {

const std::string kMenuReply = "~!!\r\n\x02\x1b~A\r\nPRINT SPEED\t:\t6 IPS\r\nEND\r\n";

StaticInterfaceSettings NetSettings(int port) {
    StaticInterfaceSettings settings;
    settings.portType = kPortNet;
    settings.portName = u"127.0.0.1";
    settings.portNumber = U16(std::to_string(port));
    return settings;
}

class ExchangeOverNet : public ::testing::Test {
protected:
    test::FakePortServices services;
    PrinterConnection connection{SystemClock::Instance(), services};
};

TEST_F(ExchangeOverNet, RequestFramesWritesReadsAndCloses) {
    test::PrinterServer printer([](const std::string& request) {
        return request.find("SEND CONFIG") != std::string::npos ? kMenuReply : "NNNNNNNN\r";
    });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    Exchange exchange(connection, settings);

    ExchangeResult menu =
        exchange.Request(u"SEND CONFIG\t:\tALL\r\nEXIT\r\n", true, RequestKind::kAll);
    EXPECT_EQ(menu.code, kExchangeOk);
    EXPECT_EQ(menu.reply, kMenuReply);
    EXPECT_EQ(connection.Socket(), -1); // disconnected after the reply

    ExchangeResult status = exchange.Request(u"\x01"
                                             u"A",
                                             false, RequestKind::kStatus);
    EXPECT_EQ(status.code, kExchangeOk);
    EXPECT_EQ(status.reply, "NNNNNNNN\r");

    std::vector<std::string> requests = printer.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], test::kLeadInBytes + "SEND CONFIG\t:\tALL\r\nEXIT\r\n");
    EXPECT_EQ(requests[1], "\x01"
                           "A"); // the status request goes bare
}

TEST_F(ExchangeOverNet, SendWritesWithoutReading) {
    test::PrinterServer printer([](const std::string&) { return std::string("unexpected"); });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    Exchange exchange(connection, settings);
    ExchangeResult sent = exchange.Send(u"PRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    EXPECT_EQ(sent.code, kExchangeOk);
    EXPECT_TRUE(sent.reply.empty());
    EXPECT_EQ(connection.Socket(), -1);
    EXPECT_TRUE(test::WaitUntil([&] { return printer.Requests().size() == 1; }));
    EXPECT_EQ(printer.Requests()[0], test::kLeadInBytes + "PRINT SPEED\t:\t6 IPS\r\nEND\r\n");
}

TEST_F(ExchangeOverNet, FailuresGiveTheMessageCodes) {
    // Nothing listening: the open fails.
    test::LoopbackServer gone;
    int port = gone.Port();
    ::close(gone.Listener());
    StaticInterfaceSettings closed = NetSettings(port);
    EXPECT_EQ(Exchange(connection, closed).Request(u"X\r\nEXIT\r\n", true, RequestKind::kAll).code,
              kExchangeOpenFailed);
    EXPECT_EQ(connection.Socket(), -1);

    // The printer hangs up instead of answering: acquisition error.
    test::PrinterServer rude([](const std::string&) { return std::string("<close>"); });
    StaticInterfaceSettings settings = NetSettings(rude.Port());
    ExchangeResult hungUp =
        Exchange(connection, settings).Request(u"EXIT\r\n", true, RequestKind::kAll);
    EXPECT_EQ(hungUp.code, kExchangeAcquisitionFailed);
    EXPECT_EQ(hungUp.error, kErrorDeviceNotConnected);

    // A command that does not fit the send buffer is never sent.
    std::u16string huge(5000, u'A');
    ExchangeResult tooLarge = Exchange(connection, settings).Request(huge, true, RequestKind::kAll);
    EXPECT_EQ(tooLarge.code, kExchangeTransferFailed);
    EXPECT_EQ(rude.Requests().size(), 1u);

    // No interface chosen, or a queue (which is never opened as a stream): no port to ask.
    StaticInterfaceSettings none;
    EXPECT_EQ(Exchange(connection, none).Request(u"EXIT\r\n", true, RequestKind::kAll).code,
              kExchangeNoInterface);
    StaticInterfaceSettings queue;
    queue.portType = kPortPrt;
    queue.portName = u"Label queue";
    EXPECT_EQ(Exchange(connection, queue).Request(u"EXIT\r\n", true, RequestKind::kAll).code,
              kExchangeNoInterface);
    // A send to nothing chosen cannot open a port.
    EXPECT_EQ(Exchange(connection, none).Send(u"END\r\n").code, kExchangeOpenFailed);
}

TEST_F(ExchangeOverNet, SendToAQueueIsARawJob) {
    StaticInterfaceSettings queue;
    queue.portType = kPortPrt;
    queue.portName = u"Label queue";
    Exchange exchange(connection, queue);
    EXPECT_EQ(exchange.Send(u"A\t:\t1\r\nEND\r\n").code, kExchangeOk);
    EXPECT_EQ(services.rawJobPrinter, u"Label queue");
    EXPECT_EQ(services.rawJobBytes, test::kLeadInBytes + "A\t:\t1\r\nEND\r\n");
    services.rawJobResult = 110;
    EXPECT_EQ(exchange.Send(u"A\t:\t1\r\nEND\r\n").code, kExchangeOpenFailed);
    services.rawJobResult = 29;
    EXPECT_EQ(exchange.Send(u"A\t:\t1\r\nEND\r\n").code, kExchangeTransferFailed);
}

TEST(ExchangeOverCom, RequestOnAPseudoTerminal) {
    test::FakeDeviceTree tree;
    test::PtyPair pty(tree.Dev("ttyS0"));
    FakeClock clock;
    test::FakePortServices services;
    PrinterConnection connection(clock, services);
    StaticInterfaceSettings settings;
    settings.portType = kPortCom;
    settings.portName = u"COM1:";
    // The printer answers once the request is there (at the read's first pause).
    std::string request;
    clock.SetOnSleep([&](uint64_t) {
        if (request.empty()) {
            request = pty.Take(test::kLeadInBytes.size() + 6);
            pty.Send(kMenuReply);
        }
    });
    ExchangeResult result =
        Exchange(connection, settings).Request(u"EXIT\r\n", true, RequestKind::kStandard);
    EXPECT_EQ(result.code, kExchangeOk);
    EXPECT_EQ(result.reply, kMenuReply);
    EXPECT_EQ(request, test::kLeadInBytes + "EXIT\r\n");
    EXPECT_EQ(connection.Kind(), kPortNone);
    EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{500});
}

} // namespace
} // namespace qm
