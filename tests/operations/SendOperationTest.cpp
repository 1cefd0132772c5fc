#include "connection/ConnectionTestSupport.h"

#include "operations/SendOperation.h"
#include "platform/Encoding.h"

namespace qm {
namespace {

const std::string kMarkerA("~!!\r\n\x02\x1b~A\r\n", 11);

StaticInterfaceSettings NetSettings(int port) {
    StaticInterfaceSettings settings;
    settings.portType = kPortNet;
    settings.portName = u"127.0.0.1";
    settings.portNumber = U16(std::to_string(port));
    return settings;
}

class SendOverNet : public ::testing::Test {
protected:
    test::FakePortServices services;
    PrinterConnection connection{SystemClock::Instance(), services};
    SettingsRecord record;
    SettingsParser parser;
    ConfigurationWriter writer;
};

TEST_F(SendOverNet, RfidCheckAsksForTheStandardSettings) {
    for (const auto& [menu, supported] :
         {std::pair{std::string("PRINT SPEED\t:\t4 IPS\r\nRFID SETTINGS\t:\tAUTO\r\nEND\r\n"),
                    true},
          std::pair{std::string("PRINT SPEED\t:\t4 IPS\r\nEND\r\n"), false}}) {
        test::PrinterServer printer([menu = menu](const std::string&) { return kMarkerA + menu; });
        StaticInterfaceSettings settings = NetSettings(printer.Port());
        RfidSupport rfid =
            SendOperation(record, writer, parser).CheckRfidSupport(connection, settings);
        EXPECT_EQ(rfid.code, kOperationOk);
        EXPECT_EQ(rfid.supported, supported);
        EXPECT_EQ(record.rfidCheckText, U16(kMarkerA + menu));
        ASSERT_EQ(printer.Requests().size(), 1u);
        EXPECT_EQ(printer.Requests()[0],
                  test::kLeadInBytes + "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n");
    }
    // A printer that is not there.
    StaticInterfaceSettings nowhere = NetSettings(test::LoopbackServer().Port());
    EXPECT_EQ(SendOperation(record, writer, parser).CheckRfidSupport(connection, nowhere).code,
              kCodeOpenFailed);
}

TEST_F(SendOverNet, SendWritesTheFrameAndRefusesWhatDoesNotFit) {
    test::PrinterServer printer([](const std::string&) { return std::string(); });
    StaticInterfaceSettings settings = NetSettings(printer.Port());
    // No reply is read: the stand-in printer records the bytes when the connection closes.
    EXPECT_EQ(SendOperation::Send(u"PRINT SPEED\t:\t4 IPS\r\nEND\r\n", connection, settings).code,
              kOperationOk);
    ASSERT_TRUE(test::WaitUntil([&] { return printer.Requests().size() == 1; }));
    EXPECT_EQ(printer.Requests()[0], test::kLeadInBytes + "PRINT SPEED\t:\t4 IPS\r\nEND\r\n");

    const SendResult tooLarge =
        SendOperation::Send(std::u16string(5000, u'A'), connection, settings);
    EXPECT_EQ(tooLarge.code, kCodeTransferFailed);
    EXPECT_TRUE(tooLarge.tooLarge);
    EXPECT_EQ(printer.Requests().size(), 1u);
}

// The check Send Configuration makes before a send: a printer without RFID gets the
// configuration without the RFID items; one with RFID gets them; without RFID items nothing
// is asked.
void Tick(SettingsRecord& record, int e, std::u16string value) {
    record.Item(e).ticked = 1;
    record.Item(e).value = std::move(value);
}

TEST_F(SendOverNet, BuildCheckingRfidDropsWhatThePrinterLacks) {
    for (const auto& [menu, supported] :
         {std::pair{std::string("RFID SETTINGS\t:\tAUTO\r\nEND\r\n"), true},
          std::pair{std::string("PRINT SPEED\t:\t4 IPS\r\nEND\r\n"), false}}) {
        SCOPED_TRACE(supported);
        test::PrinterServer printer([menu = menu](const std::string&) { return kMarkerA + menu; });
        StaticInterfaceSettings settings = NetSettings(printer.Port());
        SettingsRecord items;
        Tick(items, entry::kPrintSpeed, u"4 IPS");
        Tick(items, entry::kFirstRfid, u"AUTO");
        const RfidCheckedConfiguration checked =
            SendOperation(items, writer, parser)
                .BuildCheckingRfid(ConfigurationUse::kPrinter, connection, settings);
        EXPECT_TRUE(checked.asked);
        EXPECT_EQ(checked.removed, !supported);
        EXPECT_EQ(checked.built.code, kOperationOk);
        EXPECT_EQ(checked.built.text.find(u"RFID SETTINGS") != std::u16string::npos, supported);
        EXPECT_NE(checked.built.text.find(u"PRINT SPEED\t:\t4 IPS"), std::u16string::npos);
        EXPECT_EQ(printer.Requests().size(), 1u);

        // Nothing but RFID items on a printer without RFID: nothing is left to send.
        SettingsRecord onlyRfid;
        Tick(onlyRfid, entry::kFirstRfid, u"AUTO");
        EXPECT_EQ(SendOperation(onlyRfid, writer, parser)
                      .BuildCheckingRfid(ConfigurationUse::kPrinter, connection, settings)
                      .built.code,
                  supported ? kOperationOk : kCodeNothingTicked);
    }
    // Without RFID items the printer is not asked.
    StaticInterfaceSettings nowhere = NetSettings(test::LoopbackServer().Port());
    SettingsRecord plain;
    Tick(plain, entry::kPrintSpeed, u"4 IPS");
    const RfidCheckedConfiguration unasked =
        SendOperation(plain, writer, parser)
            .BuildCheckingRfid(ConfigurationUse::kPrinter, connection, nowhere);
    EXPECT_FALSE(unasked.asked);
    EXPECT_EQ(unasked.built.code, kOperationOk);
}

TEST(SendRfidItems, CountedAndUnticked) {
    SettingsRecord record;
    record.Item(entry::kFirstRfid).ticked = 1;
    record.Item(entry::kLastRfid).ticked = 1;
    record.Item(entry::kPrintSpeed).ticked = 1;
    EXPECT_EQ(SendOperation::CountTickedRfidItems(record), 2);
    SendOperation::UntickRfidItems(record);
    EXPECT_EQ(SendOperation::CountTickedRfidItems(record), 0);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
}

} // namespace
} // namespace qm
