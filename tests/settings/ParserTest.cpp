#include "SettingsTestSupport.h"
#include "settings/SettingCatalogue.h"
#include "settings/ValueConverter.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::Parse;
using test::Reply;
using test::Value;

constexpr int kContinuous = entry::kContinuousMediaLength;

TEST(Parser, KeysAndValuesAreUpperCasedButBlanksStay) {
    auto record = Parse({"PRINT SPEED\t:\t6 ips"});
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).choice, 4);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).error, 0);
    record = Parse({"print speed\t:\t6 IPS"});
    EXPECT_EQ(record.Item(entry::kPrintSpeed).choice, 4);
    record = Parse({"PRINT SPEED \t:\t6 IPS"}); // the blank stays in the key: unknown
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).error, 0);
}

TEST(Parser, LengthsTakeTheirUnit) {
    auto record = Parse({"CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH"});
    EXPECT_EQ(Value(record, kContinuous), "4.00");
    EXPECT_EQ(record.Item(kContinuous).metric, 0);
    record = Parse({"CONTINUOUS MEDIA LENGTH\t:\t101.6\tMM"});
    EXPECT_EQ(Value(record, kContinuous), "101.6");
    EXPECT_EQ(record.Item(kContinuous).metric, 1);
    record = Parse({"CONTINUOUS MEDIA LENGTH\t:\t4.005\tINCH"});
    EXPECT_EQ(record.Item(kContinuous).error, 1);
    EXPECT_EQ(Value(record, kContinuous), "0.00");
    // Without a unit the value was checked as metric and stays metric.
    record = Parse({"CONTINUOUS MEDIA LENGTH\t:\t50"});
    EXPECT_EQ(Value(record, kContinuous), "50.0");
    EXPECT_EQ(record.Item(kContinuous).metric, 1);
    // Outside the inch range, inside the metric one.
    EXPECT_EQ(Parse({"CONTINUOUS MEDIA LENGTH\t:\t200.00\tINCH"}).Item(kContinuous).error, 1);
    EXPECT_EQ(Parse({"CONTINUOUS MEDIA LENGTH\t:\t200.0\tMM"}).Item(kContinuous).error, 0);
}

TEST(Parser, NumberCheck) {
    int32_t n = 0;
    EXPECT_TRUE(ValueConverter::NumberCheck("-16", 0, n));
    EXPECT_EQ(n, -16);
    EXPECT_FALSE(ValueConverter::NumberCheck("1.0", 0, n));
    EXPECT_TRUE(ValueConverter::NumberCheck("1.50", 1, n));
    EXPECT_EQ(n, 15);
    EXPECT_FALSE(ValueConverter::NumberCheck("1.55", 1, n));
    EXPECT_TRUE(ValueConverter::NumberCheck("4.", 2, n));
    EXPECT_EQ(n, 400);
    EXPECT_TRUE(ValueConverter::NumberCheck("-0.5", 2, n));
    EXPECT_EQ(n, -50);
    for (const char* bad : {"", "-", ".5", "-.5", "1-2", "1..2", "1.2.3", "12a", "+3", "32768",
                            "99999999999999999999"}) {
        EXPECT_FALSE(ValueConverter::NumberCheck(bad, 1, n)) << bad;
    }
    EXPECT_TRUE(ValueConverter::NumberCheck("-32768", 0, n));
    // A 99-digit token with decimals appended must not overflow anything.
    EXPECT_FALSE(ValueConverter::NumberCheck(std::string(99, '9'), 2, n));

    EXPECT_EQ(Parse({"MACH HOR POS\t:\t-16"}).Item(123).error, 0);
    EXPECT_EQ(Parse({"MACH HOR POS\t:\t-17"}).Item(123).error, 1);
    EXPECT_EQ(Parse({"MACH HOR POS\t:\t1.0"}).Item(123).error, 1);
}

TEST(Parser, Addresses) {
    auto record = Parse({"IPV4 ADDRESS\t:\t192,168,0,1"}, 2);
    EXPECT_EQ(Value(record, 52), "192.168.0.1");
    EXPECT_EQ(record.Item(52).error, 0);
    record = Parse({"IPV4 ADDRESS\t:\t192.168.0.1"}, 2);
    EXPECT_EQ(record.Item(52).error, 1);
    EXPECT_EQ(Parse({"IPV4 ADDRESS\t:\t192,168,0,256"}, 2).Item(52).error, 1);
    EXPECT_EQ(Parse({"IPV4 ADDRESS\t:\t192,168,0"}, 2).Item(52).error, 1);
    record = Parse({"IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1"}, 2);
    EXPECT_EQ(Value(record, 63), "fe80:0000:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(record.Item(63).error, 0);
    // Fields beyond the sixteenth are refused like a fifth IPv4 octet, not dropped; a comment
    // after the sixteenth is not a field.
    EXPECT_EQ(Parse({"IPV4 ADDRESS\t:\t192,168,0,1,7"}, 2).Item(52).error, 1);
    EXPECT_EQ(Parse({"IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1,9"}, 2).Item(63).error,
              1);
    EXPECT_EQ(
        Parse({"IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1,9,9,9"}, 2).Item(63).error, 1);
    EXPECT_EQ(Parse({"IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1,;x"}, 2).Item(63).error,
              0);
    EXPECT_EQ(Parse({"IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1,\t"}, 2).Item(63).error,
              0);
}

TEST(Parser, LineReading) {
    // A 150-character line is read as 99 and 51 characters: the tail is its own line.
    std::string tail = "PRINT SPEED\t:\t3 IPS";
    tail += std::string(51 - tail.size(), '\t');
    const std::string longLine = std::string(99, 'X') + tail;
    ASSERT_EQ(longLine.size(), 150u);
    auto record = Parse({std::string_view(longLine)});
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).choice, 1);

    // A line of exactly 99 bytes does not leave an empty line behind it.
    std::string exact = "HOST NAME\t:\t" + std::string(31, 'H');
    exact += std::string(99 - exact.size(), ' ');
    record = Parse({std::string_view(exact), "PRINT SPEED\t:\t3 IPS"}, 2);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);

    // Lone CR and lone LF end lines like CR LF.
    SettingsRecord mixed;
    mixed.text = U16("a\nb\rPRINT SPEED\t:\t5 IPS\rDARKNESS ADJUST\t:\t-3\nEND\r\n");
    SettingsParser parser;
    parser.ParseSettings(mixed, 1);
    EXPECT_EQ(mixed.Item(entry::kPrintSpeed).choice, 3);
    EXPECT_EQ(Value(mixed, 3), "-3");
}

TEST(Parser, WhereReadingStops) {
    // With fromOutside the first two lines are never interpreted.
    SettingsRecord record;
    record.text = U16("PRINT SPEED\t:\t3 IPS\r\nPRINT DARKNESS\t:\t5\r\nDARKNESS ADJUST\t:\t2\r\n");
    SettingsParser parser;
    parser.ParseSettings(record, 1);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
    EXPECT_EQ(record.Item(entry::kPrintDarkness).ticked, 0);
    EXPECT_EQ(record.Item(3).ticked, 1);

    for (const char* stop : {"; a comment", "", "EXIT", "END", "\t:\t"}) {
        auto r = Parse({"PRINT SPEED\t:\t3 IPS", stop, "PRINT DARKNESS\t:\t5"});
        EXPECT_EQ(r.Item(entry::kPrintSpeed).ticked, 1) << stop;
        EXPECT_EQ(r.Item(entry::kPrintDarkness).ticked, 0) << stop;
    }
    // A comment after the value is only a comment.
    auto r = Parse({"PRINT DARKNESS\t:\t5\t;note", "DARKNESS ADJUST\t:\t1"});
    EXPECT_EQ(Value(r, entry::kPrintDarkness), "5");
    EXPECT_EQ(r.Item(3).ticked, 1);
}

TEST(Parser, RejectedValuesShowZeroOnlyFromOutside) {
    auto record =
        Parse({"PRINT SPEED\t:\tFAST", "PEEL WAIT DELAY\t:\t9.9", "HOST NAME\t:\t\x01"}, 2);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).error, 1);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).choice, 0);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(Value(record, 44), "0.0");
    EXPECT_EQ(record.Item(56).error, 1);

    // The writer's own text: only error marks, values and ticks untouched.
    SettingsRecord own;
    own.modelIndex = 2;
    own.Item(44) = {1, u"9.9", u"", 0, 0, 0};
    own.Item(3) = {1, u"4", u"", 0, 0, 0};
    own.text = u"PEEL WAIT DELAY\t:\t9.9\r\nDARKNESS ADJUST\t:\t4\r\nEND\r\n";
    SettingsParser parser;
    parser.ParseSettings(own, 0);
    EXPECT_EQ(own.Item(44).error, 1);
    EXPECT_EQ(own.Item(44).value, u"9.9");
    EXPECT_EQ(own.Item(3).error, 0);
    EXPECT_EQ(own.Item(3).value, u"4");
}

TEST(Parser, ModelRulesOnEnumeratedItems) {
    // Print speed on the print-method models follows the method received in the same reply.
    EXPECT_EQ(Parse({"PRINT METHOD\t:\tDT", "PRINT SPEED\t:\t6 IPS"}, 12).Item(1).error, 0);
    EXPECT_EQ(Parse({"PRINT METHOD\t:\tTT", "PRINT SPEED\t:\t6 IPS"}, 12).Item(1).error, 1);
    EXPECT_EQ(Parse({"PRINT SPEED\t:\t8 IPS"}, 24).Item(1).error, 0);
    SettingsOptions japanese;
    japanese.japaneseInterface = true;
    EXPECT_EQ(Parse({"PRINT SPEED\t:\t8 IPS"}, 24, japanese).Item(1).error, 1);
    EXPECT_EQ(Parse({"PRINT SPEED\t:\t10 IPS"}, 17).Item(1).error, 0);

    EXPECT_EQ(Parse({"FUNCTION SELECT\t:\tREWIND"}, 16).Item(38).error, 0);
    EXPECT_EQ(Parse({"FUNCTION SELECT\t:\tREWIND"}, 20).Item(38).error, 1);
    EXPECT_EQ(Parse({"BUZZER SELECT\t:\tOFF"}, 0).Item(23).choice, 6);
    EXPECT_EQ(Parse({"BUZZER SELECT\t:\tOFF"}, 30).Item(23).error, 1);

    auto ribbon = Parse({"RIBBON END DETECTION\t:\tSLOW"}, 16);
    EXPECT_EQ(ribbon.Item(152).choice, 1);
    EXPECT_EQ(Parse({"RIBBON END DETECTION\t:\tQUICK"}, 16).Item(152).error, 1);
    EXPECT_EQ(Parse({"RIBBON END DETECTION\t:\tSLOW"}, 12).Item(152).choice, 2);

    // The Gorse family reads its standby key as "LCD STANDBY".
    EXPECT_EQ(Parse({"LCD STANDBY\t:\tON"}, 24).Item(28).choice, 1);
    EXPECT_EQ(Parse({"LCD STANDBY\t:\tON"}, 0).Item(28).ticked, 0);
}

TEST(Parser, EmulationSelectAndMachineEmulationCode) {
    EXPECT_EQ(Parse({"EMULATION SELECT\t:\tDMI"}, 0).Item(33).choice, 2);
    EXPECT_EQ(Parse({"EMULATION SELECT\t:\tDMI"}, 2).Item(33).choice, 3);
    auto epl = Parse({"MACHINE EMULATION CODE\t:\tCODE_EPL"}, 2);
    EXPECT_EQ(epl.Item(33).ticked, 1);
    EXPECT_EQ(epl.Item(33).choice, 0);
    EXPECT_EQ(Parse({"MACHINE EMULATION CODE\t:\tCODE_EPL"}, 0).Item(33).ticked, 0);
    EXPECT_EQ(Parse({"MACHINE EMULATION CODE\t:\tCODE_ZEBRA"}, 0).Item(33).choice, 0);
    EXPECT_EQ(Parse({"MACHINE EMULATION CODE\t:\tCODE_ZEBRA"}, 3).Item(33).choice, 1);
    // EMULATION SELECT wins over a later MACHINE EMULATION CODE.
    auto both = Parse({"MACHINE EMULATION CODE\t:\tCODE_ZEBRA", "EMULATION SELECT\t:\tDPP"}, 0);
    EXPECT_EQ(both.Item(33).choice, 3);
    EXPECT_EQ(Parse({"MACHINE EMULATION CODE\t:\tCODE_KORVANE"}, 0).Item(33).ticked, 0);
}

TEST(Parser, PaperPositionFollowsFunctionSelect) {
    auto pos = [](std::string_view function, std::string_view value, int model) {
        std::string fs = "FUNCTION SELECT\t:\t" + std::string(function);
        std::string pp = "PAPER POSITION\t:\t" + std::string(value) + "\tMM";
        const int before = Parse({fs, pp}, model).Item(entry::kPaperPosition).error;
        // The check is the same whichever line comes first.
        EXPECT_EQ(Parse({pp, fs}, model).Item(entry::kPaperPosition).error, before)
            << function << " " << value << " model " << model;
        return before;
    };
    EXPECT_EQ(pos("OFF", "50.0", 0), 0);
    EXPECT_EQ(pos("OFF", "-1.0", 0), 1);
    EXPECT_EQ(pos("TEAR", "-25.4", 0), 0);
    EXPECT_EQ(pos("TEAR", "50.0", 0), 1);
    EXPECT_EQ(pos("REWIND", "50.0", 16), 0);
    EXPECT_EQ(pos("REWIND", "-1.0", 16), 1);
    EXPECT_EQ(pos("REWIND", "-1.0", 0), 0); // rewind elsewhere: both ranges
    EXPECT_EQ(pos("REWIND", "50.0", 0), 0);
    // FUNCTION SELECT unknown: the centred range, then the wide one.
    EXPECT_EQ(Parse({"PAPER POSITION\t:\t50.0\tMM"}).Item(entry::kPaperPosition).error, 0);
    // A file with the position first is judged as the configuration sent from it is: 2.00 INCH
    // is outside the TEAR range in both.
    SettingsRecord file = Parse({"PAPER POSITION\t:\t2.00\tINCH", "FUNCTION SELECT\t:\tTEAR"});
    EXPECT_EQ(file.Item(entry::kPaperPosition).error, 1);
    SettingsRecord sent;
    sent.text = U16("FUNCTION SELECT\t:\tTEAR\r\nPAPER POSITION\t:\t2.00\tINCH\r\nEND\r\n");
    SettingsParser().ParseSettings(sent, 0);
    EXPECT_EQ(sent.Item(entry::kPaperPosition).error, 1);
    // The last FUNCTION SELECT line decides, as it decides the sent value.
    EXPECT_EQ(Parse({"FUNCTION SELECT\t:\tTEAR", "PAPER POSITION\t:\t50.0\tMM",
                     "FUNCTION SELECT\t:\tOFF"})
                  .Item(entry::kPaperPosition)
                  .error,
              0);
}

TEST(Parser, HeadCheckRanges) {
    auto record =
        Parse({"HEAD CHECK STOP POS\t:\tDOT\t1984", "HEAD CHECK START POS\t:\tDOT\t1344"}, 22);
    EXPECT_EQ(record.Item(151).error, 0);
    EXPECT_EQ(record.Item(151).metric, 1);
    EXPECT_EQ(record.Item(150).metric, 0);
    EXPECT_EQ(Parse({"HEAD CHECK STOP POS\t:\t900"}, 0).Item(151).error, 1); // no "DOT"
    EXPECT_EQ(Parse({"HEAD CHECK PATTERN WIDTH\t:\t1240"}, 33).Item(165).metric, 1);
    EXPECT_EQ(Parse({"HEAD CHECK PATTERN WIDTH\t:\t1241"}, 33).Item(165).error, 1);

    // Checking the writer's own text: the second range only where the item shows it.
    SettingsRecord own;
    own.modelIndex = 0;
    own.Item(151) = {1, u"1000", u"", 0, 0, 0};
    own.text = u"HEAD CHECK STOP POS\t:\tDOT\t1000\r\nEND\r\n";
    SettingsParser parser;
    parser.ParseSettings(own, 0);
    EXPECT_EQ(own.Item(151).error, 1);
    own.Item(151).error = 0;
    own.Item(151).metric = 1;
    parser.ParseSettings(own, 0);
    EXPECT_EQ(own.Item(151).error, 0);
}

TEST(Parser, VoltagesAndLevels) {
    auto record = Parse({"PAPER END LEVEL\t:\t2.80\tV", "SENSOR LEVEL\t:\t1.7\tV",
                         "ADJ THROUGH CAL LEVEL\t:\t2.30\tV"});
    EXPECT_EQ(Value(record, entry::kPaperEndLevel), "2.80");
    // Both levels keep their own values.
    EXPECT_EQ(Value(record, entry::kSensorLevel), "1.7");
    EXPECT_EQ(Value(record, 134), "2.30");
    EXPECT_EQ(Value(record, 140), "2.30");
    // Written without the unit (as the pages store it), a level reads back the same.
    EXPECT_EQ(Value(Parse({"PAPER END LEVEL\t:\t2.80"}), entry::kPaperEndLevel), "2.80");
    EXPECT_EQ(Value(Parse({"SENSOR LEVEL\t:\t1.7"}), entry::kSensorLevel), "1.7");
    EXPECT_EQ(Parse({"PAPER END LEVEL\t:\t3.01\tV"}).Item(20).error, 1);

    // TT COLD HEATRATE ADJUST: the range the Advanced page sets.
    EXPECT_EQ(Parse({"TT COLD HEATRATE ADJUST\t:\t1.5"}).Item(146).error, 1);
    SettingsOptions wide;
    wide.ttColdHeatrateLimit = 20;
    EXPECT_EQ(Parse({"TT COLD HEATRATE ADJUST\t:\t1.5"}, 30, wide).Item(146).error, 0);
    EXPECT_EQ(Parse({"TT COLD HEATRATE ADJUST 2\t:\t1.5"}, 30, wide).Item(161).error, 1);
}

TEST(Parser, VerticalImageShiftHasTwoForms) {
    auto length = Parse({"VERTICAL IMAGE SHIFT\t:\t1.00\tINCH"}, 0);
    EXPECT_EQ(Value(length, 9), "1.00");
    EXPECT_EQ(length.Item(10).ticked, 0);
    auto dots = Parse({"VERTICAL IMAGE SHIFT\t:\t-120"}, 1);
    EXPECT_EQ(Value(dots, 10), "-120");
    EXPECT_EQ(dots.Item(9).ticked, 0);
    EXPECT_EQ(Parse({"VERTICAL IMAGE SHIFT\t:\t-121"}, 1).Item(10).error, 1);
}

TEST(Parser, TextsRfidAndSerialNumber) {
    auto record = Parse({"HOST NAME\t:\tMy Printer 1", "SERIAL NUMBER\t:\tab12",
                         "USB SERIAL NUMBER\t:\tON", "BT PIN CODE\t:\t12\"4",
                         "WLAN SSID\t:\t" + std::string(33, 'S'), "KEYBOARD LOCK\t:\ton"},
                        2);
    EXPECT_EQ(Value(record, 56), "My Printer 1");
    EXPECT_EQ(Value(record, 155), "AB12");
    EXPECT_EQ(record.Item(155).choice, 1);
    EXPECT_EQ(record.Item(98).error, 1);
    EXPECT_EQ(record.Item(80).error, 1);
    EXPECT_EQ(Value(record, 27), "ON");
    EXPECT_EQ(record.Item(27).choice, 1);

    // A text holding "," or ":" arrives whole; a comment after it is not part of it; where the
    // printer takes no comma the text is refused, never cut.
    auto texts = Parse({"WLAN SSID\t:\tCAFE,GUEST", "HOST NAME\t:\tLAB:2\t;room 4",
                        "EAP USER NAME\t:\tDOM:USER", "BT DEVICE NAME\t:\tA,B"},
                       2);
    EXPECT_EQ(Value(texts, 80), "CAFE,GUEST");
    EXPECT_EQ(Value(texts, 56), "LAB:2");
    EXPECT_EQ(Value(texts, 89), "DOM:USER");
    EXPECT_EQ(texts.Item(99).error, 1);
    // More pieces than a line has token slots: the text still runs to the end of the line.
    EXPECT_EQ(
        Value(Parse({"EAP USER NAME\t:\t1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18"}, 2), 89),
        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18");

    auto rfid = Parse({"RFID WRITE POWER\t:\t25 dBm", "RFID CALIB Y POSITION\t:\t0.66\tINCH",
                       "RFID CALIB POSITION OFFSET\t:\t1.5\tmm", "RFID CALIB EXECUTED\t:\tYes"},
                      32);
    EXPECT_EQ(Value(rfid, 103), "25");
    EXPECT_EQ(Value(rfid, 101), "0.66");
    EXPECT_EQ(Value(rfid, 180), "1.5 mm");
    EXPECT_EQ(Value(rfid, 179), "Yes");
    EXPECT_EQ(Parse({"RFID FIXED POWER\t:\t10001"}, 32).Item(103).error, 1);
}

TEST(Parser, FixReflectKeysFeedTheSecondEntries) {
    SettingsOptions fix;
    fix.fixReflectKeys = true;
    auto record = Parse({"REFLECT SENSOR POSITION\t:\t5", "FIX REFLECT SENSOR POSITION\t:\t-7",
                         "FIX REFLECT SENSOR\t:\t1.2"},
                        0, fix);
    EXPECT_EQ(Value(record, 115), "5");
    EXPECT_EQ(Value(record, 117), "-7");
    EXPECT_EQ(Value(record, 128), "1.2");
    auto plain = Parse({"REFLECT SENSOR POSITION\t:\t5", "FIX REFLECT SENSOR POSITION\t:\t-7"});
    EXPECT_EQ(Value(plain, 115), "5");
    EXPECT_EQ(Value(plain, 117), "5");
}

TEST(Parser, ScansOfSingleReplies) {
    EXPECT_EQ(DetectEmulationCode(U16("A\r\nMACHINE EMULATION CODE\t:\tcode_epl\r\nEND\r\n")), 2);
    EXPECT_EQ(DetectEmulationCode(U16("\r\n\r\nMACHINE EMULATION CODE\t:\tCODE_ZEBRA")), 1);
    EXPECT_EQ(DetectEmulationCode(U16("MACHINE EMULATION CODE\t:\tCODE_KORVANE\r\n")), 3);
    EXPECT_EQ(DetectEmulationCode(U16("END\r\nMACHINE EMULATION CODE\t:\tCODE_EPL\r\n")), 0);
    EXPECT_EQ(HasRfidSection(U16("X\r\n\r\nRFID SETTINGS\t:\tAUTO\r\n")), 1);
    EXPECT_EQ(HasRfidSection(U16("X\r\nEND\r\nRFID SETTINGS\r\n")), 0);
    EXPECT_EQ(HasRfidSection(u""), 0);

    const MachineInfo info = ParseMachineInfo(
        U16("Serial Number : 4711\r\n\r\nPrint Counter Length 123.4 km\r\nCut Counter " +
            std::string(60, '7') + "\r\nEND\r\nService Counter Length 9\r\n"));
    EXPECT_EQ(info.values[0], u"4711");
    EXPECT_EQ(info.values[1], u"123.4 km");
    EXPECT_EQ(info.values[2], u"");
    EXPECT_EQ(info.values[3], U16(std::string(39, '7')));
    // A character the 39-byte limit would cut in half is left out, not shown broken.
    const MachineInfo cut =
        ParseMachineInfo(U16("Cut Counter " + std::string(38, '7') + "\xC3\xA9\r\n"));
    EXPECT_EQ(cut.values[3], U16(std::string(38, '7')));
    const RfidCalibrationInfo rfid =
        ParseRfidCalibrationInfo(U16("RFID CALIB POWER\t:\t18 dBm\r\nRFID CALIB EXECUTED"));
    EXPECT_EQ(rfid.values[2], u"18 dBm");
    EXPECT_EQ(rfid.values[0], u"");
    // The three characters after the key are characters, not bytes.
    EXPECT_EQ(ParseRfidCalibrationInfo(U16("RFID CALIB POWER\t:\xC3\xA9"
                                           "18"))
                  .values[2],
              u"18");
}

TEST(Parser, CalibrationAnswer) {
    SettingsParser parser;
    SettingsRecord record;
    record.text = U16("AUTO CALIBRATION : SUCCEEDED\r\n\r\nEND\r\n");
    EXPECT_EQ(parser.ParseCalibrationAnswer(record), 0);
    EXPECT_EQ(parser.CalibrationResult(), 0);
    record.text = U16("AUTO CALIBRATION : FAILED\r\nPAPER JAM\r\nMORE\r\n");
    EXPECT_EQ(parser.ParseCalibrationAnswer(record), 1);
    EXPECT_EQ(parser.CalibrationResult(), 1);
    EXPECT_EQ(parser.LastErrorLine().number, 2);
    EXPECT_EQ(parser.LastErrorLine().text, "PAPER JAM");
}

TEST(Parser, RefusesAnUnknownModel) {
    SettingsRecord record;
    record.modelIndex = 38;
    record.text = Reply({"PRINT SPEED\t:\t3 IPS"});
    SettingsParser parser;
    EXPECT_EQ(parser.ParseSettings(record, 1), 0);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
}

} // namespace
} // namespace qm
