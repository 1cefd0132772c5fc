#include "SettingsTestSupport.h"
#include "settings/ConfigurationWriter.h"
#include "settings/Frame.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

void Tick(SettingsRecord& record, int e, std::u16string value, std::u16string second = u"") {
    SettingValue& item = record.Item(e);
    item.ticked = 1;
    item.value = std::move(value);
    item.second = std::move(second);
}

std::u16string Write(SettingsRecord& record, const SettingsOptions& options = {},
                     int forPrinter = 0) {
    record.text.clear();
    ConfigurationWriter(options).WriteConfiguration(record, forPrinter);
    return record.text;
}

TEST(Writer, EmptyAndTypicalConfigurations) {
    SettingsRecord record;
    Tick(record, 5, u"INSIDE");
    record.Clear();
    EXPECT_EQ(Write(record), u"END\r\n");

    Tick(record, entry::kPrintSpeed, u"6 IPS");
    Tick(record, entry::kGlobalConfig, u"CONFIG SET 1");
    EXPECT_EQ(Write(record),
              u"GLOBAL CONFIG\t:\tCONFIG SET 1\r\nLOADMACRO\r\nPRINT SPEED\t:\t6 IPS\r\nEND\r\n");

    record.Clear();
    Tick(record, entry::kContinuousMediaLength, u"4.00", u"INCH");
    Tick(record, entry::kDoubleHeatMenu, u"ON");
    Tick(record, entry::kHeadCheckStopPos, u"848");
    SettingsOptions unlocked;
    unlocked.advancedUnlocked = true;
    EXPECT_EQ(Write(record, unlocked), u"CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH\r\n"
                                       u"DOUBLE HEAT MENU\t:\tON\r\nDOUBLE HEAT\t:\tON\r\n"
                                       u"HEAD CHECK STOP POS\t:\tDOT\t848\r\nEND\r\n");
}

TEST(Writer, AdvancedEntriesNeedTheUnlockAndRfidInformationIsNeverWritten) {
    SettingsRecord record;
    Tick(record, 114, u"3");
    Tick(record, 178, u"1.00", u"INCH");
    Tick(record, entry::kRfidCalibExecuted, u"YES");
    EXPECT_EQ(Write(record), u"END\r\n");
    SettingsOptions unlocked;
    unlocked.advancedUnlocked = true;
    EXPECT_EQ(Write(record, unlocked), u"THROUGH SENSOR POSITION\t:\t3\r\n"
                                       u"RFID REVERSE MEDIA LENGTH\t:\t1.00\tINCH\r\nEND\r\n");
}

TEST(Writer, EmulationSelect) {
    SettingsRecord record;
    Tick(record, entry::kEmulationSelect, u"EPI2");
    EXPECT_EQ(Write(record), u"MACHINE EMULATION CODE\t:\tCODE_KORVANE\r\n"
                             u"EMULATION SELECT\t:\tEPI2\r\nEND\r\n");
    record.modelIndex = 2;
    EXPECT_EQ(Write(record), u"MACHINE EMULATION CODE\t:\tCODE_EPL\r\nEND\r\n");
    Tick(record, entry::kEmulationSelect, u"ZPI2");
    EXPECT_EQ(Write(record), u"MACHINE EMULATION CODE\t:\tCODE_ZEBRA\r\nEND\r\n");
    Tick(record, entry::kEmulationSelect, u"DM4", u"ignored");
    EXPECT_EQ(Write(record), u"MACHINE EMULATION CODE\t:\tCODE_KORVANE\r\n"
                             u"EMULATION SELECT\t:\tDM4\r\nEND\r\n");

    // The re-parse of the writer's text marks EPI2 on a model without the Eltron emulation.
    record.modelIndex = 0;
    Tick(record, entry::kEmulationSelect, u"EPI2");
    Write(record);
    SettingsParser().ParseSettings(record, 0);
    EXPECT_EQ(record.Item(entry::kEmulationSelect).error, 1);
}

TEST(Writer, KeysThatDependOnModelLanguageAndDestination) {
    SettingsRecord record;
    Tick(record, entry::kStandbyMode, u"ON");
    Tick(record, 103, u"6");
    record.modelIndex = 24;
    EXPECT_EQ(Write(record, {}, 1), u"LCD STANDBY\t:\tON\r\nRFID WRITE POWER\t:\t6\r\nEND\r\n");
    record.modelIndex = 23;
    EXPECT_EQ(Write(record, {}, 0), u"STANDBY MODE\t:\tON\r\nRFID FIXED POWER\t:\t6\r\nEND\r\n");

    SettingsRecord sensors;
    SettingsOptions options;
    options.advancedUnlocked = true;
    Tick(sensors, 115, u"1");
    Tick(sensors, 117, u"2");
    Tick(sensors, 128, u"1.5");
    EXPECT_EQ(Write(sensors, options), u"REFLECT SENSOR POSITION\t:\t1\r\n"
                                       u"REFLECT SENSOR POSITION\t:\t2\r\n"
                                       u"REFLECT SENSOR\t:\t1.5\r\nEND\r\n");
    options = SettingsOptions::For(0, true, true);
    EXPECT_EQ(Write(sensors, options), u"REFLECT SENSOR POSITION\t:\t1\r\n"
                                       u"FIX REFLECT SENSOR POSITION\t:\t2\r\n"
                                       u"FIX REFLECT SENSOR\t:\t1.5\r\nEND\r\n");
}

TEST(Writer, UsbSerialNumber) {
    SettingsRecord record;
    SettingsOptions unlocked;
    unlocked.advancedUnlocked = true;
    Tick(record, entry::kUsbSerialNumber, u"A123", u"ON");
    EXPECT_EQ(Write(record, unlocked),
              u"USB SERIAL NUMBER\t:\tON\r\nSERIAL NUMBER\t:\tA123\r\nEND\r\n");
    Tick(record, entry::kUsbSerialNumber, u"A123", u"OFF");
    EXPECT_EQ(Write(record, unlocked), u"USB SERIAL NUMBER\t:\tOFF\r\nEND\r\n");
    Tick(record, entry::kUsbSerialNumber, u"", u"ON");
    EXPECT_EQ(Write(record, unlocked), u"USB SERIAL NUMBER\t:\tON\r\nEND\r\n");
}

TEST(Writer, RequestsAndSensorAdjustment) {
    SettingsRecord record;
    record.text = u"left over";
    EXPECT_EQ(ConfigurationWriter::WriteRequest(record, RequestKind::kAll), 1);
    EXPECT_EQ(record.text, u"SEND CONFIG\t:\tALL\r\nEXIT\r\n");
    ConfigurationWriter::WriteRequest(record, 0);
    EXPECT_EQ(record.text, u"SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n");
    ConfigurationWriter::WriteRequest(record, 2);
    EXPECT_EQ(record.text, u"SEND CONFIG\t:\tADVANCED\r\nEXIT\r\n");
    ConfigurationWriter::WriteRequest(record, 3);
    EXPECT_EQ(record.text, u"SERIAL NUMBER CHECK:\r\nPRINT COUNTER:\r\nSERVICE COUNTER:\r\n"
                           u"CUT COUNTER:\r\nEXIT\r\n");
    ConfigurationWriter::WriteRequest(record, 5);
    EXPECT_EQ(record.text, u"SEND MACHINE INFO\r\nEXIT\r\n");
    ConfigurationWriter::WriteRequest(record, 6, 0);
    EXPECT_EQ(record.text, std::u16string(u"\x01") + u"A");
    ConfigurationWriter::WriteRequest(record, 6, 1);
    EXPECT_EQ(record.text, u"~HS\r\n");
    ConfigurationWriter::WriteRequest(record, 6, 2);
    EXPECT_EQ(record.text, u"^ee\r\n");
    EXPECT_EQ(ConfigurationWriter::WriteRequest(record, 6, 3), 0);
    EXPECT_EQ(ConfigurationWriter::WriteRequest(record, 7), 0);
    EXPECT_TRUE(record.text.empty());

    // The lead-in goes in front of requests as of configurations.
    ConfigurationWriter::WriteStandardRequest(record);
    const Frame frame = FrameForSending(record.text);
    EXPECT_EQ(frame.bytes, std::string(kLeadIn) + "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n");

    SettingsRecord calibration;
    Tick(calibration, entry::kMediaSensor, u"REFLECT");
    ConfigurationWriter().WriteSensorAdjustment(calibration);
    EXPECT_EQ(calibration.text, u"MEDIA SENSOR\t:\tREFLECT\r\nAUTO CALIBRATION\r\nSAVE\r\nEND\r\n");
}

TEST(Writer, ResetItems) {
    SettingsRecord record;
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        record.Item(e) = {1, u"v", u"MM", 1, 2, 1};
    }
    SettingsRecord secrets = record;
    record.text = u"x";
    ConfigurationWriter::ResetItems(record, ResetMode::kAllButEasy);
    EXPECT_TRUE(record.text.empty());
    for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
        const bool kept = e == 4 || e == 6 || e == 7 || e == 13 || e == 38 || e == 45;
        EXPECT_EQ(record.Item(e).ticked, kept ? 1 : 0) << e;
        EXPECT_EQ(record.Item(e).value, kept ? u"v" : u"") << e;
        EXPECT_EQ(record.Item(e).choice, 2) << e;
    }
    EXPECT_EQ(record.Item(180).ticked, 1);

    ConfigurationWriter::ResetItems(secrets, ResetMode::kWirelessKeys);
    for (int e : {83, 84, 85, 86, 87, 90}) {
        EXPECT_EQ(secrets.Item(e).value, u"") << e;
        EXPECT_EQ(secrets.Item(e).ticked, 0) << e;
    }
    EXPECT_EQ(secrets.Item(89).value, u"v");
}

TEST(Writer, RecordCopiesKeepTheirOwnItems) {
    SettingsRecord a;
    Tick(a, entry::kPrintSpeed, u"3 IPS");
    SettingsRecord b = a;
    Tick(b, entry::kPrintSpeed, u"5 IPS");
    EXPECT_EQ(Write(a), u"PRINT SPEED\t:\t3 IPS\r\nEND\r\n");
    EXPECT_EQ(Write(b), u"PRINT SPEED\t:\t5 IPS\r\nEND\r\n");
    a = b;
    Tick(b, entry::kPrintSpeed, u"2 IPS");
    EXPECT_EQ(Write(a), u"PRINT SPEED\t:\t5 IPS\r\nEND\r\n");
}

TEST(Frame, IsRefusedWholeWhenItDoesNotFitTheSendBuffer) {
    const size_t room = kSendBufferSize - kLeadIn.size() - 1; // the terminator's byte
    Frame fits = FrameForSending(std::u16string(room, u'A'));
    EXPECT_EQ(fits.result, FrameResult::kOk);
    EXPECT_EQ(fits.bytes.size(), kSendBufferSize - 1);
    EXPECT_EQ(fits.bytes.substr(0, 17), std::string(kLeadIn));

    Frame tooLarge = FrameForSending(std::u16string(room + 1, u'A'));
    EXPECT_EQ(tooLarge.result, FrameResult::kTooLarge);
    EXPECT_TRUE(tooLarge.bytes.empty());
    EXPECT_EQ(tooLarge.neededBytes, kSendBufferSize);

    // The limit counts converted bytes, not characters: 2000 characters of 3 bytes each.
    EXPECT_EQ(FrameForSending(std::u16string(2000, u'\u65E5')).result, FrameResult::kTooLarge);
    EXPECT_EQ(FrameWithoutLeadIn(std::u16string(room + 17, u'A')).result, FrameResult::kOk);
}

} // namespace
} // namespace qm
