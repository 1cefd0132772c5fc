#include "connection/ConnectionTestSupport.h"

#include "operations/ReceiveOperation.h"
#include "platform/Encoding.h"
#include "settings/StatusDecoder.h"

#include <algorithm>

namespace qm {
namespace {

const std::string kMarkerA("~!!\r\n\x02\x1b~A\r\n", 11);
const std::string kMenuBody = "PRINT SPEED\t:\t6 IPS\r\nPRINT METHOD\t:\tDT\r\n"
                              "WLAN PSK\t:\tsecret\r\nEND\r\n";
const std::string kCounters = "Serial Number : A1\r\nPrint Counter Length 1 m\r\n";

StaticInterfaceSettings NetSettings(int port) {
    StaticInterfaceSettings settings;
    settings.portType = kPortNet;
    settings.portName = u"127.0.0.1";
    settings.portNumber = U16(std::to_string(port));
    return settings;
}

// The described number of a request kind (the observer's log and the scope lists use them).
std::string Number(RequestKind kind) {
    return std::to_string(static_cast<int>(kind));
}
std::vector<int> Numbers(const std::vector<RequestKind>& kinds) {
    std::vector<int> numbers;
    for (RequestKind kind : kinds) {
        numbers.push_back(static_cast<int>(kind));
    }
    return numbers;
}

// Records what the receive told its front end, in order.
struct RecordingObserver : ReceiveObserver {
    std::vector<std::string> calls;
    SettingsRecord* record = nullptr;
    bool pskWhenParsed = false;
    void BeforeExchange(RequestKind kind) override { calls.push_back("before " + Number(kind)); }
    void AfterExchange(RequestKind kind) override { calls.push_back("after " + Number(kind)); }
    void MenuParsed(RequestKind kind) override {
        calls.push_back("parsed " + Number(kind));
        pskWhenParsed = record->Item(entry::kWlanPsk).ticked == 1;
    }
    void MenuKept(RequestKind kind) override { calls.push_back("kept " + Number(kind)); }
    void StatusReceived(const std::string&) override { calls.push_back("status"); }
    void CountersReceived(const std::string&) override { calls.push_back("counters"); }
    void MachineInfoReceived(const std::string&) override { calls.push_back("machine"); }
};

class ReceiveOverNet : public ::testing::Test {
protected:
    test::FakePortServices services;
    PrinterConnection connection{SystemClock::Instance(), services};
    SettingsRecord record;
    SettingsParser parser;
};

TEST(ReceiveScopes, RequestKindsInOrder) {
    EXPECT_EQ(Numbers(RequestKindsForScope(ReceiveScope::kEasy)), std::vector<int>{0});
    EXPECT_EQ(Numbers(RequestKindsForScope(ReceiveScope::kStandard)), std::vector<int>{1});
    EXPECT_EQ(Numbers(RequestKindsForScope(ReceiveScope::kAdvanced)), std::vector<int>{2});
    EXPECT_EQ(Numbers(RequestKindsForScope(ReceiveScope::kInformation)), (std::vector<int>{6, 3}));
    EXPECT_EQ(Numbers(RequestKindsForScope(ReceiveScope::kInformation, true)), std::vector<int>{6});
    EXPECT_EQ(Numbers(RequestKindsForScope(ReceiveScope::kAll)), (std::vector<int>{4, 6, 3}));
    EXPECT_EQ(Numbers(SelfInfoRequestKinds()), (std::vector<int>{5, 1}));
}

TEST_F(ReceiveOverNet, AllParsesForgetsTheKeysAndKeepsEveryReply) {
    test::PrinterServer printer([](const std::string& request) {
        if (request.find("SEND CONFIG") != std::string::npos) {
            return kMarkerA + kMenuBody;
        }
        return request.find("COUNTER") != std::string::npos ? kCounters : std::string("NNNNNNNN\r");
    });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    record.Item(entry::kPrintDarkness).ticked = 1; // reset before the receive
    RecordingObserver observer;
    observer.record = &record;
    ReceiveResult result = ReceiveOperation(record, parser, connection, settings)
                               .Run(RequestKindsForScope(ReceiveScope::kAll), 0, observer);
    ASSERT_TRUE(result.Ok()) << result.code;
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"before 4", "after 4", "parsed 4", "kept 4", "before 6",
                                        "after 6", "status", "before 3", "after 3", "counters"}));
    EXPECT_TRUE(observer.pskWhenParsed);               // received ...
    EXPECT_EQ(record.Item(entry::kWlanPsk).ticked, 0); // ... then forgotten
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(record.Item(entry::kPrintDarkness).ticked, 0);
    EXPECT_EQ(result.replies[6], "NNNNNNNN\r");
    EXPECT_EQ(result.replies[3], kCounters);
    EXPECT_FALSE(result.received[1]);

    std::vector<std::string> requests = printer.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0], test::kLeadInBytes + "SEND CONFIG\t:\tALL\r\nEXIT\r\n");
    EXPECT_EQ(requests[1], "\x01"
                           "A"); // the status request of class 0, without the lead-in
}

TEST_F(ReceiveOverNet, EasyKeepsOnlyTheEasyItems) {
    test::PrinterServer printer([](const std::string&) { return kMarkerA + kMenuBody; });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    ReceiveResult result = ReceiveOperation(record, parser, connection, settings)
                               .Run(RequestKindsForScope(ReceiveScope::kEasy), 0);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(record.Item(entry::kPrintMethod).ticked, 1);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
}

TEST_F(ReceiveOverNet, OneStrayByteIsForgivenTwoAreNot) {
    for (const auto& [stray, accepted] :
         {std::pair{std::string("x"), true}, std::pair{std::string("xy"), false}}) {
        test::PrinterServer printer(
            [stray = stray](const std::string&) { return stray + "~!!\r\n" + kMenuBody; });
        StaticInterfaceSettings settings = NetSettings(printer.Port());
        ReceiveResult result = ReceiveOperation(record, parser, connection, settings)
                                   .Run(RequestKindsForScope(ReceiveScope::kStandard), 0);
        EXPECT_EQ(result.Ok(), accepted) << stray;
        if (accepted) {
            EXPECT_EQ(result.droppedBytes, 1);
            EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1); // marker B got CR LF
        } else {
            EXPECT_EQ(result.code, kCodeAcquisitionFailed);
            EXPECT_EQ(result.failedKind, RequestKind::kStandard);
            EXPECT_FALSE(result.silent);
        }
    }
}

// A status reply is judged as its form's decoder reads it: the flag string and the host status
// strings are found behind any leading bytes and kept as received; the error code must start
// the reply, after at most one stray byte. A reply its decoder cannot read is refused.
TEST_F(ReceiveOverNet, StatusReplyIsJudgedAsItsDecoderReadsIt) {
    const std::string forms[] = {"NYNNYYYN\r",
                                 "\x02"
                                 "030,1,0,0812,000,0,0,0,000,0,0,0\x03\r\n\x02"
                                 "000,0,1,0,1,0,0,0,00000000,1,000\x03\r\n",
                                 "11\r\n"};
    struct Case {
        int form;
        std::string reply;
        bool accepted;
        std::string kept;
    };
    const Case cases[] = {
        {0, "??" + forms[0], true, "??" + forms[0]},
        {0, std::string("\0\0\0", 3) + forms[0], true, std::string("\0\0\0", 3) + forms[0]},
        {0, std::string(StatusDecoder::kFlagStartLimit, '?') + forms[0], false, ""},
        {1, "??" + forms[1], true, "??" + forms[1]},
        {1, "\x02only one string\r\n", false, ""},
        {2, "?" + forms[2], true, forms[2]},
        {2, "??" + forms[2], false, ""},
    };
    for (const Case& c : cases) {
        test::PrinterServer printer([&](const std::string&) { return c.reply; });
        StaticInterfaceSettings settings = NetSettings(printer.Port());
        RecordingObserver observer;
        observer.record = &record;
        ReceiveResult result =
            ReceiveOperation(record, parser, connection, settings)
                .Run(RequestKindsForScope(ReceiveScope::kInformation, true), c.form, observer);
        if (c.accepted) {
            ASSERT_TRUE(result.Ok()) << c.form << " " << c.reply;
            EXPECT_EQ(result.Reply(RequestKind::kStatus), c.kept) << c.form;
            EXPECT_EQ(WideToAnsi(record.text), c.kept) << c.form;
            const PrinterStatus status = StatusDecoder::Decode(c.form, c.kept);
            EXPECT_EQ(status.ribbonError, c.form == 2 ? StatusFlag::kUnknown : StatusFlag::kNo);
            EXPECT_EQ(status.paperError, c.form == 2 ? StatusFlag::kUnknown : StatusFlag::kYes);
        } else {
            EXPECT_EQ(result.code, kCodeAcquisitionFailed) << c.form << " " << c.reply;
            EXPECT_EQ(result.failedKind, RequestKind::kStatus);
            EXPECT_TRUE(std::find(observer.calls.begin(), observer.calls.end(), "status") ==
                        observer.calls.end());
        }
    }
}

TEST_F(ReceiveOverNet, FailuresEndTheSequence) {
    // The counters request that gets no answer stops silently; nothing after it is asked.
    test::PrinterServer printer([](const std::string& request) {
        return request.find("COUNTER") != std::string::npos ? std::string("<close>")
                                                            : std::string("NNNNNNNN\r");
    });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    ReceiveResult result =
        ReceiveOperation(record, parser, connection, settings)
            .Run({RequestKind::kStatus, RequestKind::kCounters, RequestKind::kStatus}, 0);
    EXPECT_EQ(result.code, kCodeAcquisitionFailed);
    EXPECT_EQ(result.failedKind, RequestKind::kCounters);
    EXPECT_TRUE(result.silent);
    EXPECT_EQ(printer.Requests().size(), 2u);

    // Nobody listening: the open fails, and the front end still hears the exchange ended.
    StaticInterfaceSettings nowhere = NetSettings(1);
    RecordingObserver observer;
    observer.record = &record;
    result = ReceiveOperation(record, parser, connection, nowhere)
                 .Run({RequestKind::kStandard}, 0, observer);
    EXPECT_EQ(result.code, kCodeOpenFailed);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"before 1", "after 1"}));
}

TEST_F(ReceiveOverNet, SelfInfoKeepsTheMachineInformationAndTheSettings) {
    test::PrinterServer printer([](const std::string& request) {
        return request.find("MACHINE INFO") != std::string::npos
                   ? std::string("MODEL\t:\tX\r\nEND\r\n")
                   : kMarkerA + kMenuBody;
    });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    ReceiveResult result =
        ReceiveOperation(record, parser, connection, settings).Run(SelfInfoRequestKinds(), 0);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.replies[5], "MODEL\t:\tX\r\nEND\r\n");
    EXPECT_EQ(result.replies[1], kMarkerA + kMenuBody);
}

} // namespace
} // namespace qm
