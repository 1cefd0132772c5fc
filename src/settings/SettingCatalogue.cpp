#include "settings/SettingCatalogue.h"

#include "settings/MenuImage.h"

#include <array>

namespace qm {
namespace {

// ---- Enumerated settings: choice lists (text = code) ---------------------------------------

constexpr Choice kCutterAction[] = {{"BACKFEED", 1}, {"THROUGH", 0}};
constexpr Choice kFunctionSelect[] = {
    {"OFF", 0}, {"TEAR", 1}, {"PEEL ON", 2}, {"CUT ON", 3}, {"REWIND", 4}};
constexpr Choice kOffOn[] = {{"OFF", 0}, {"ON", 1}};
constexpr Choice kModeRepeatKey[] = {{"LABEL SET", 0}, {"LAST ONE", 1}, {"DISABLED", 2}};
constexpr Choice kMenuKeyAction[] = {{"REPEAT SET", 0}, {"REPEAT ONE", 1}, {"ENTERS MENU", 2}};
constexpr Choice kOnOff[] = {{"ON", 0}, {"OFF", 1}};
constexpr Choice kRs232cBaud[] = {{"2400", 1},  {"4800", 2},  {"9600", 3},  {"19200", 5},
                                  {"38400", 7}, {"57600", 8}, {"115200", 9}};
constexpr Choice kRs232cLength[] = {{"7 BITS", 0}, {"8 BITS", 1}};
constexpr Choice kRs232cParity[] = {{"NONE", 0}, {"ODD", 1}, {"EVEN", 2}};
constexpr Choice kRs232cStopBit[] = {{"1 BIT", 0}, {"2 BITS", 1}};
constexpr Choice kRs232cXOn[] = {{"NO", 0}, {"YES", 1}};
constexpr Choice kMediaSensor[] = {{"SEE THROUGH", 0}, {"REFLECT", 1}, {"NONE", 2}};
constexpr Choice kPrintMethod[] = {{"DT", 1}, {"TT", 0}};
constexpr Choice kPrintSpeed[] = {{"2 IPS", 0}, {"3 IPS", 1}, {"4 IPS", 2},
                                  {"5 IPS", 3}, {"6 IPS", 4}, {"7 IPS", 5},
                                  {"8 IPS", 6}, {"9 IPS", 7}, {"10 IPS", 8}};
constexpr Choice kBuzzerSelect[] = {{"EXEC/ERROR", 0}, {"ALL", 1}, {"ERROR", 2}, {"KEY", 3},
                                    {"NONE", 4},       {"ON", 5},  {"OFF", 6}};
constexpr Choice kEmulationSelect[] = {{"DM4", 1}, {"DMI", 2}, {"DPP", 3}};
constexpr Choice kControlCode[] = {{"ALT", 0}, {"STD", 1}, {"ALT-2", 2}};
constexpr Choice kMetricInch[] = {{"MM", 0}, {"INCH", 1}};
constexpr Choice kMachineEmulationCode[] = {
    {"CODE_KORVANE", 0}, {"CODE_ZEBRA", 1}, {"CODE_EPL", 2}};
constexpr Choice kRibbonEndDetection[] = {{"QUICK", 0}, {"NORMAL", 1}, {"SLOW", 2}};
constexpr Choice kSensorSelect[] = {{"FRONT FIXED SENSOR", 0}, {"REAR ADJ SENSOR", 1}};
constexpr Choice kGlobalConfig[] = {{"CONFIG SET 1", 0}, {"CONFIG SET 2", 1}, {"CONFIG SET 3", 2}};
constexpr Choice kUsbDeviceClass[] = {{"PRINTER", 0}, {"VCOM", 1}};
constexpr Choice kUsbVcomProtocol[] = {{"AUTO", 0}, {"DTR", 1}, {"X-ON", 2}};
constexpr Choice kEmulationAutoDetect[] = {{"ON", 0}, {"OFF", 1}, {"FULL AUTO", 2}};
constexpr Choice kCutterType[] = {{"STANDARD", 0}, {"HEAVYDUTY", 1}};
constexpr Choice kErrorReporting[] = {{"ON PRINTING", 0}, {"IMMEDIATE", 1}};
constexpr Choice kDarknessRate[] = {{"HIGH", 0}, {"LOW", 1}};
constexpr Choice kConfigPrintLayout[] = {{"STANDARD", 0}, {"REVERSED", 1}};
constexpr Choice kAutoOnOff[] = {{"AUTO", 0}, {"ON", 1}, {"OFF", 2}};
constexpr Choice kWlanMode[] = {{"INFRASTRUCTURE", 0}, {"AUTO", 1}, {"AD-HOC", 2}};
constexpr Choice kWlanEncryption[] = {
    {"NONE", 0},           {"WEP", 1},        {"WEP(SHARED KEY)", 2}, {"WPA(TKIP)", 3},
    {"WPA(AES)", 4},       {"WPA2(TKIP)", 5}, {"WPA2(AES)", 6},       {"WPA(AES/TKIP)", 7},
    {"WPA2(AES/TKIP)", 8}, {"WPA-AUTO", 9}};
constexpr Choice kWlanWepKeyId[] = {{"KEY 1", 0}, {"KEY 2", 1}, {"KEY 3", 2}, {"KEY 4", 3}};
constexpr Choice kEapAuthentication[] = {{"OPEN SYSTEM", 0}, {"SHARED KEY", 1}, {"EAP-MD5", 2},
                                         {"EAP-TLS", 3},     {"EAP-TTLS", 4},   {"EAP-PEAP", 5},
                                         {"EAP-FAST", 6}};
constexpr Choice kEapPeapFastOption[] = {{"NONE", 0},        {"PEAP LABEL0", 1},
                                         {"PEAP LABEL1", 2}, {"PEAP V0", 3},
                                         {"PEAP V1", 4},     {"FAST INLINE PROVISIONING", 5}};
constexpr Choice kEapInnerAuthentication[] = {
    {"NONE", 0},    {"MSCHAP", 1},     {"MSCHAPv2", 2},     {"PAP", 3},    {"CHAP", 4},
    {"EAP-MD5", 5}, {"EAP-MSCHAP", 6}, {"EAP-MSCHAPv2", 7}, {"EAP-TLS", 8}};
constexpr Choice kPrintPreference[] = {{"DARKNESS", 0}, {"SPEED", 1}};
constexpr Choice kLowMediumHigh[] = {{"LOW", 0}, {"MEDIUM", 1}, {"HIGH", 2}};
constexpr Choice kRibbonWindingDirection[] = {{"OUTSIDE", 0}, {"INSIDE", 1}};
constexpr Choice kTimeoutAction[] = {{"CLOSE ALL", 0}, {"MOVE NEXT", 1}};
constexpr Choice kDisableEnable[] = {{"DISABLE", 0}, {"ENABLE", 1}};
constexpr Choice kFeedKeyAction[] = {{"REPEAT SET", 0}, {"REPEAT ONE", 1}, {"FEEDS MEDIA", 2}};
constexpr Choice kBtSecurity[] = {{"MIDDLE", 0}, {"HIGH", 1}};
constexpr Choice kBtConnection[] = {{"ALL DEVICES", 0}, {"PAIR ONLY", 1}};
constexpr Choice kNonStopCut[] = {{"OFF", 0}, {"ON W/ BACKFEED", 1}, {"ON W/O BACKFEED", 2}};
constexpr Choice kAutoSmallMeasure[] = {{"OFF", 0}, {"PWRON/HDDOWN", 1}, {"POWER ON", 2}};
constexpr Choice kRfidSettings[] = {{"AUTO", 0}, {"FIXED", 1}};

constexpr SettingItem kEnumerated[] = {
    {"CUTTER ACTION", {kCutterAction}, 1},                      // 0
    {"FUNCTION SELECT", {kFunctionSelect}, 1},                  // 1
    {"AUTOCONFIGURE", {kOffOn}, 1},                             // 2
    {"MODE/REPEAT KEY", {kModeRepeatKey}, 1},                   // 3
    {"MENU KEY ACTION", {kMenuKeyAction}, 1},                   // 4
    {"AUTOCAL MODE", {kOffOn}, 2},                              // 5
    {"DOUBLE HEAT MENU", {kOffOn}, 2},                          // 6
    {"IEEE1284", {kOnOff}, 1},                                  // 7
    {"RS-232C BAUD", {kRs232cBaud}, 1},                         // 8
    {"RS-232C LENGTH", {kRs232cLength}, 1},                     // 9
    {"RS-232C PARITY", {kRs232cParity}, 1},                     // 10
    {"RS-232C STOP BIT", {kRs232cStopBit}, 1},                  // 11
    {"RS-232C X-ON", {kRs232cXOn}, 1},                          // 12
    {"DOUBLE HEAT", {kOffOn}, 1},                               // 13
    {"MEDIA SENSOR", {kMediaSensor}, 1},                        // 14
    {"PRINT METHOD", {kPrintMethod}, 1},                        // 15
    {"PRINT SPEED", {kPrintSpeed}, 1},                          // 16
    {"SMALL MEDIA ADJUSTMENT", {kOffOn}, 1},                    // 17
    {"BUZZER SELECT", {kBuzzerSelect}, 1},                      // 18
    {"EMULATION SELECT", {kEmulationSelect}, 1},                // 19
    {"CONTROL CODE", {kControlCode}, 1},                        // 20
    {"METRIC/INCH", {kMetricInch}, 1},                          // 21
    {"SETTINGS LOCK", {kOffOn}, 1},                             // 22
    {"CI LOCK", {kOffOn}, 1},                                   // 23
    {"MACHINE EMULATION CODE", {kMachineEmulationCode}, 2},     // 24
    {"RIBBON END DETECTION", {kRibbonEndDetection}, 2},         // 25
    {"POWERON HEAD CHECK", {kOnOff}, 2},                        // 26
    {"PARALLEL ERROR OUTPUT", {kOnOff}, 2},                     // 27
    {"SENSOR SELECT", {kSensorSelect}, 1},                      // 28
    {"COVER OPEN SENSOR", {kOffOn}, 1},                         // 29
    {"GLOBAL CONFIG", {kGlobalConfig}, 1},                      // 30
    {"MEDIA POWER UP", {kOffOn}, 1},                            // 31
    {"USB DEVICE CLASS", {kUsbDeviceClass}, 1},                 // 32
    {"USB VCOM PROTOCOL", {kUsbVcomProtocol}, 1},               // 33
    {"REWINDER AUTO ONLINE", {kOffOn}, 1},                      // 34
    {"EMULATION AUTO DETECT", {kEmulationAutoDetect}, 1},       // 35
    {"TOP FORM SENSING", {kOnOff}, 2},                          // 36
    {"CUTTER TYPE", {kCutterType}, 1},                          // 37
    {"ERROR REPORTING", {kErrorReporting}, 1},                  // 38
    {"USB SERIAL NUMBER", {kOffOn}, 2},                         // 39
    {"AUTO EXEC PRINT", {kOnOff}, 2},                           // 40
    {"DARKNESS RATE", {kDarknessRate}, 2},                      // 41
    {"CONFIG PRINT LAYOUT", {kConfigPrintLayout}, 2},           // 42
    {"WEB MONITOR", {kAutoOnOff}, 1},                           // 43
    {"BOOTP", {kOffOn}, 1},                                     // 44
    {"DHCP", {kOffOn}, 1},                                      // 45
    {"WLAN MODE", {kWlanMode}, 1},                              // 46
    {"WLAN ENCRYPTION", {kWlanEncryption}, 1},                  // 47
    {"WLAN WEP KEY ID", {kWlanWepKeyId}, 1},                    // 48
    {"EAP AUTHENTICATION", {kEapAuthentication}, 1},            // 49
    {"EAP PEAP/FAST OPTION", {kEapPeapFastOption}, 1},          // 50
    {"EAP INNER AUTHENTICATION", {kEapInnerAuthentication}, 1}, // 51
    {"PRINT PREFERENCE", {kPrintPreference}, 2},                // 52
    {"TOP FORM SENSOR", {kOffOn}, 1},                           // 53
    {"FIX REFLECT SENSITIVITY", {kLowMediumHigh}, 2},           // 54
    {"STANDBY MODE", {kOffOn}, 1},                              // 55
    {"RIBBON WINDING DIRECTION", {kRibbonWindingDirection}, 1}, // 56
    {"SEETHROUGH SENSITIVITY", {kLowMediumHigh}, 2},            // 57
    {"REFLECT SENSITIVITY", {kLowMediumHigh}, 2},               // 58
    {"PAPER NEAR END STATUS", {kOffOn}, 1},                     // 59
    {"PAPER NEAR END ALARM", {kOffOn}, 1},                      // 60
    {"USB 2 HIGH SPEED", {kOffOn}, 1},                          // 61
    {"IPV4 DHCP", {kOffOn}, 1},                                 // 62
    {"TIMEOUT ACTION", {kTimeoutAction}, 1},                    // 63
    {"SEND BUFFER DATA", {kDisableEnable}, 1},                  // 64
    {"IPV6", {kOffOn}, 1},                                      // 65
    {"IPV6 FIXED ADDRESS", {kOffOn}, 1},                        // 66
    {"FEED KEY ACTION", {kFeedKeyAction}, 1},                   // 67
    {"HEAD CHECK PATTERN PRINT", {kOffOn}, 1},                  // 68
    {"BT SECURITY", {kBtSecurity}, 1},                          // 69
    {"BT CONNECTION", {kBtConnection}, 1},                      // 70
    {"BT DISCOVERABLE", {kOnOff}, 1},                           // 71
    {"BT IOS RECONNECT", {kOnOff}, 1},                          // 72
    {"SNMP", {kOnOff}, 2},                                      // 73
    {"HTML", {kOnOff}, 2},                                      // 74
    {"TYPE 1 MODE", {kOnOff}, 2},                               // 75
    {"ONLINE SETTING MODE", {kDisableEnable}, 2},               // 76
    {"NON-STOP CUT", {kNonStopCut}, 1},                         // 77
    {"AUTO LOADING", {kOffOn}, 1},                              // 78
    {"AUTO SMALL MEASURE", {kAutoSmallMeasure}, 1},             // 79
    {"TOF SENSITIVITY", {kLowMediumHigh}, 2},                   // 80
    {"BACKFEED TO TOF MENU", {kOnOff}, 1},                      // 81
    {"BACKFEED TO TOF", {kOffOn}, 1},                           // 82
    {"USB HOST ENABLE", {kAutoOnOff}, 1},                       // 83
    {"RFID SETTINGS", {kRfidSettings}, 1},                      // 84
};

static_assert(std::size(kEnumerated) == MenuImage::kEnumeratedFields);

// ---- Value settings ------------------------------------------------------------------------

using K = ConvertKind;
using R = RangeRule;
using T = TextRule;

constexpr ValueItem Integer(std::string_view key, int16_t min, int16_t max, int valueClass = 4,
                            uint8_t width = 2, RangeRule rule = R::kFixed) {
    return {key, K::kInteger, valueClass, {min, max}, {min, max}, rule, width};
}
constexpr ValueItem OneDecimal(std::string_view key, int16_t min, int16_t max, int valueClass = 4,
                               RangeRule rule = R::kFixed) {
    return {key, K::kOneDecimal, valueClass, {min, max}, {min, max}, rule};
}
// Metric range in tenths of a millimetre, inch range in hundredths of an inch.
constexpr ValueItem Length(std::string_view key, int16_t mmMin, int16_t mmMax, int16_t inMin,
                           int16_t inMax, RangeRule rule = R::kFixed, int slot = -1) {
    return {key, K::kLength, 4, {mmMin, mmMax}, {inMin, inMax}, rule, 2, 0, T::kPrintable, slot};
}
// Hundredths of a volt.
constexpr ValueItem Voltage(std::string_view key, int16_t min, int16_t max, int slot,
                            RangeRule rule = R::kFixed) {
    return {key, K::kVoltage, 2, {min, max}, {min, max}, rule, 2, 0, T::kPrintable, slot};
}
constexpr ValueItem DotCount(std::string_view key, int16_t min, int16_t max, RangeRule rule) {
    return {key, K::kDotCount, 2, {min, max}, {min, max}, rule};
}
constexpr ValueItem Address(std::string_view key, ConvertKind kind) {
    return {key, kind, 4, {0, 255}, {0, 255}};
}
constexpr ValueItem Text(std::string_view key, uint16_t maxLength, TextRule rule = T::kPrintable) {
    return {key, K::kText, 4, {0, 0}, {0, 0}, R::kFixed, 0, maxLength, rule};
}
constexpr ValueItem Special(std::string_view key, ConvertKind kind, int valueClass, int16_t min = 0,
                            int16_t max = 0, uint8_t width = 2, uint16_t maxLength = 0) {
    return {key, kind, valueClass, {min, max}, {min, max}, R::kFixed, width, maxLength};
}

constexpr ValueItem kValues[] = {
    // Paper position: the range follows FUNCTION SELECT (see the parser); this is the
    // "any other function" range.
    Length("PAPER POSITION", -254, 254, -100, 100, R::kPaperPosition),
    Integer("MACH CUT POS", -256, 256, 2),
    Integer("MACH PEEL POS", -256, 256, 2),
    Integer("MACH TEAR POS", -256, 256, 2),
    Integer("MACH HOR POS", -16, 32, 2),
    Integer("THROUGH SENSOR POSITION", -256, 256, 2),
    Integer("REFLECT SENSOR POSITION", -256, 256, 2),
    Integer("FIX REFLECT SENSOR POSITION", -256, 256, 2),
    Integer("ADJ THROUGH SENSOR POSITION", -256, 256, 2),
    Integer("ADJ REFLECT SENSOR POSITION", -256, 256, 2),
    Integer("TOF SENSOR POSITION", -256, 256, 2),
    OneDecimal("SEE THROUGH SENSOR", 0, 33, 2),
    OneDecimal("REFLECT SENSOR", 0, 33, 2),
    OneDecimal("FIX REFLECT SENSOR", 0, 33, 2),
    OneDecimal("ADJ THROUGH SENSOR", 0, 33, 2),
    OneDecimal("ADJ REFLECT SENSOR", 0, 33, 2),
    OneDecimal("TOF SENSOR", 0, 33, 2),
    Length("CONTINUOUS MEDIA LENGTH", 64, 25397, 25, 9999),
    Length("HORIZONTAL SHIFT", -254, 254, -100, 100),
    Length("VERTICAL POSITION", -254, 254, -100, 100),
    Integer("PRINT DARKNESS", 0, 30, 4, 2, R::kPrintDarkness),
    Integer("DARKNESS ADJUST", -10, 10),
    Length("SMALL MEDIA LENGTH", 64, 254, 25, 100),
    Length("MAX MEDIA LENGTH", 254, 25397, 100, 9999),
    Length("TOP FORM LENGTH", 64, 1016, 25, 400),
    Length("AUTO LOADING POS", -127, 127, -50, 50),
    Length("AUTO LOADING LEN", 0, 254, 0, 100),
    Length("AUTO LOADING GAP", 0, 254, 0, 100),
    // Native models: a length; the others: a whole number -120..120 into its own field.
    Length("VERTICAL IMAGE SHIFT", 0, 8128, 0, 3200, R::kVerticalImageShift),
    // Read as a length with the unit "V": tenths of a volt; copied to the sensor-level slot.
    Length("SENSOR LEVEL", 0, 33, 0, 33, R::kFixed, 0),
    Voltage("PAPER END LEVEL", 1, 300, -1, R::kPaperEndLevel),
    Voltage("FIX THROUGH CAL LEVEL", 0, 330, 1),
    Voltage("ADJ THROUGH CAL LEVEL", 0, 330, 2),
    Voltage("FIX REFLECT CAL LEVEL", 0, 330, 3),
    Voltage("ADJ REFLECT CAL LEVEL", 0, 330, 4),
    Voltage("FIX SENSNONE CAL LEVEL", 0, 330, 5),
    Voltage("ADJ SENSNONE CAL LEVEL", 0, 330, 6),
    Voltage("TOF CAL LEVEL", 0, 330, 7),
    Integer("REWINDER AUTO ONLINE DELAY", 1, 10),
    Integer("REWINDER TORQUE", 1, 7, 4, 1),
    OneDecimal("PEEL WAIT DELAY", 1, 20),
    Integer("STANDBY TIMER", 1, 99, 4, 2, R::kStandbyTimer),
    Integer("AUTO SIDE SHIFT", 0, 15),
    Integer("WLAN CHANNEL", 1, 14, 4, 1),
    Integer("PORT NUMBER", 1024, 32767),
    Integer("TIMEOUT", 0, 300),
    Integer("IPV6 PREFIX LENGTH", 1, 128, 4, 1),
    OneDecimal("TT HOT HEATRATE ADJUST", -10, 10, 2),
    OneDecimal("TT COLD HEATRATE ADJUST", -10, 10, 2, R::kTtColdHeatrate),
    OneDecimal("DT HOT HEATRATE ADJUST", -10, 10, 2),
    OneDecimal("DT COLD HEATRATE ADJUST", -10, 10, 2),
    OneDecimal("TT HOT HEATRATE ADJUST 2", -10, 10, 2),
    OneDecimal("TT COLD HEATRATE ADJUST 2", -10, 10, 2),
    OneDecimal("DT HOT HEATRATE ADJUST 2", -10, 10, 2),
    OneDecimal("DT COLD HEATRATE ADJUST 2", -10, 10, 2),
    DotCount("HEAD CHECK START POS", 1, 848, R::kHeadCheckPosition),
    DotCount("HEAD CHECK STOP POS", 1, 848, R::kHeadCheckPosition),
    DotCount("HEAD CHECK PATTERN WIDTH", 1, 832, R::kHeadCheckWidth),
    Special("HEAD CLEAN MESSAGE", K::kCounter, 4, 0, 0, 4),
    Special("KEYBOARD LOCK", K::kOnOffWord, 4, 0, 1, 1, 8),
    Special("SYMBOL SET", K::kSymbolSet, 3, 0, 87, 1, 2),
    Address("IPV4 ADDRESS", K::kIpv4),
    Address("IPV4 SUBNET MASK", K::kIpv4),
    Address("IPV4 GATEWAY", K::kIpv4),
    Address("NETWORK ADDRESS", K::kIpv4),
    Address("SUBNET MASK", K::kIpv4),
    Address("GATEWAY ADDRESS", K::kIpv4),
    Address("IPV6 ADDRESS", K::kIpv6),
    Address("IPV6 GATEWAY", K::kIpv6),
    Text("SERIAL NUMBER", 32, T::kPrintableUpper),
    Text("HOST NAME", 31),
    Text("WLAN SSID", 32),
    Text("WLAN WEP KEY 1", 28),
    Text("WLAN WEP KEY 2", 28),
    Text("WLAN WEP KEY 3", 28),
    Text("WLAN WEP KEY 4", 28),
    Text("WLAN PSK", 64, T::kAny),
    Text("EAP USER NAME", 64),
    Text("EAP PASSWORD", 64),
    Text("EAP ANONYMOUS NAME", 64),
    Text("BT PIN CODE", 12, T::kPrintableNoQuoteComma),
    Text("BT DEVICE NAME", 30, T::kPrintableNoQuoteComma),
    Length("RFID CALIB BASE POSITION", 0, 2540, 0, 1000),
    Length("RFID FIXED POSITION", 0, 2540, 0, 1000),
    Length("RFID ANTENNA POSITION", 0, 2540, 0, 1000),
    Length("RFID REVERSE MEDIA LENGTH", 0, 2540, 0, 1000),
    Length("RFID NG MARK POSITION", 30, 2540, 12, 1000),
    Length("RFID NG MARK WIDTH", 100, 2540, 39, 1000),
    Length("RFID NG MARK HEIGHT", 100, 2540, 39, 1000),
    Length("RFID NG MARK THICKNESS", 10, 100, 4, 39),
    Special("RFID FIXED POWER", K::kRfidPower, 4, 0, 10000),
};

static_assert(std::size(kValues) == MenuImage::kValueFields);

// RFID calibration information: texts as the printer wrote them.
constexpr ValueItem kRfidCalibration[] = {
    Special("RFID CALIB EXECUTED", K::kRfidText, 4, 0, 0, 0, 39),
    Special("RFID CALIB POSITION OFFSET", K::kRfidTextUnit, 4, 0, 0, 0, 39),
    Special("RFID CALIB POWER", K::kRfidText, 4, 0, 0, 0, 39),
};

static_assert(std::size(kRfidCalibration) == MenuImage::kRfidCalibrationFields);

constexpr int ValueRowOf(std::string_view key) {
    for (size_t i = 0; i < std::size(kValues); ++i) {
        if (kValues[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Keys the printer uses for the RFID settings; converted like the primary rows.
constexpr AlternativeKeyRow kRfidAlternative[] = {
    {"RFID CALIB Y POSITION", ValueRowOf("RFID CALIB BASE POSITION")},
    {"RFID Y POSITION", ValueRowOf("RFID FIXED POSITION")},
    {"RFID WRITE POWER", ValueRowOf("RFID FIXED POWER")},
    {"RFID NGMARK POSITION", ValueRowOf("RFID NG MARK POSITION")},
    {"RFID NGMARK WIDTH", ValueRowOf("RFID NG MARK WIDTH")},
    {"RFID NGMARK HEIGHT", ValueRowOf("RFID NG MARK HEIGHT")},
    {"RFID NGMARK THICKNESS", ValueRowOf("RFID NG MARK THICKNESS")},
};

// The sensor-adjustment answer: key and value stand on either side of " : ", so the blanks
// belong to the texts.
constexpr Choice kAutoCalibrationResult[] = {{" SUCCEEDED", 0}, {" FAILED", 1}};
constexpr SettingItem kSensorAdjustmentAnswer = {"AUTO CALIBRATION ", {kAutoCalibrationResult}, 1};

// Symbol sets: the code is the position in this list.
constexpr std::array<std::string_view, SettingCatalogue::kSymbolSetCount> kSymbolSets = {
    "CP", "CU", "DN", "DT", "E1", "E2", "E5", "E6", "E7", "E9", "EH", "ER", "FR", "GR", "H0",
    "H8", "IT", "LG", "M8", "MC", "MS", "P9", "PB", "PC", "PD", "PE", "PG", "PH", "PI", "PM",
    "PR", "PT", "PU", "PV", "PY", "R8", "R9", "SP", "SW", "SY", "TS", "UK", "US", "VI", "VM",
    "VU", "W1", "WD", "WE", "WG", "WH", "WL", "WO", "WR", "WT", "u1", "EU", "GB", "JS", "SJ",
    "UC", "KS", "ZA", "ZB", "ZC", "ZD", "ZE", "ZF", "ZG", "ZH", "ZI", "ZJ", "ZK", "ZL", "ZM",
    "ZN", "ZO", "ZP", "ZQ", "ZR", "ZS", "ZT", "ZU", "ZV", "ZW", "ZX", "ZY", "ZZ",
};

template <typename Row> int FindByKey(std::span<const Row> rows, std::string_view key) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].key == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

std::span<const SettingItem> SettingCatalogue::EnumeratedRows() {
    return kEnumerated;
}
std::span<const ValueItem> SettingCatalogue::ValueRows() {
    return kValues;
}
std::span<const ValueItem> SettingCatalogue::RfidCalibrationRows() {
    return kRfidCalibration;
}
std::span<const AlternativeKeyRow> SettingCatalogue::RfidAlternativeRows() {
    return kRfidAlternative;
}
const SettingItem& SettingCatalogue::SensorAdjustmentAnswer() {
    return kSensorAdjustmentAnswer;
}

int SettingCatalogue::FindEnumeratedRow(std::string_view key) {
    return FindByKey(EnumeratedRows(), key);
}
int SettingCatalogue::FindValueRow(std::string_view key) {
    return FindByKey(ValueRows(), key);
}
int SettingCatalogue::FindRfidCalibrationRow(std::string_view key) {
    return FindByKey(RfidCalibrationRows(), key);
}
int SettingCatalogue::FindRfidAlternativeRow(std::string_view key) {
    return FindByKey(RfidAlternativeRows(), key);
}

int SettingCatalogue::FindChoice(const SettingItem& row, std::string_view text) {
    for (size_t i = 0; i < row.choices.choices.size(); ++i) {
        if (row.choices.choices[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string_view SettingCatalogue::ChoiceText(const SettingItem& row, int code) {
    for (const Choice& c : row.choices.choices) {
        if (c.code == code) {
            return c.text;
        }
    }
    return {};
}

int SettingCatalogue::SymbolSetCode(std::string_view text) {
    // Built once, on first use: the list is short, a linear scan is the map.
    for (size_t i = 0; i < kSymbolSets.size(); ++i) {
        if (kSymbolSets[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string_view SettingCatalogue::SymbolSetText(int code) {
    if (code < 0 || code >= kSymbolSetCount) {
        return {};
    }
    return kSymbolSets[static_cast<size_t>(code)];
}

} // namespace qm
