#include "MenuTable.h"

#include <array>

namespace qm::sim {

namespace {

using F = ValueForm;
using S = MenuScope;

// The models that have a key: the settings each printer reports and takes. The native
// variants are the first of each family.
constexpr ModelSet kAllModels = ModelRange(0, kModelCount - 1);
constexpr ModelSet kNative = ModelList({0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 24, 26, 29, 32, 35});
constexpr ModelSet kEmulation = kAllModels & ~kNative;
constexpr ModelSet kModel0 = ModelList({0}); // the Japanese menu of the first family
constexpr ModelSet kFirstGeneration = ModelRange(0, 25);
constexpr ModelSet kNewGeneration = ModelRange(24, 37);
constexpr ModelSet kPanelAndDesktop = ModelRange(26, 37);
constexpr ModelSet kFixAdj = ModelRange(15, 19); // fixed and adjustable media sensors
constexpr ModelSet kThroughReflect = kAllModels & ~kFixAdj;
constexpr ModelSet kTtModels = ModelRange(10, 25) | ModelRange(29, 31) | ModelRange(35, 37);
constexpr ModelSet kTtHeatRate2 = ModelRange(29, 31) | ModelRange(35, 37);
constexpr ModelSet kRibbonWinding = ModelRange(10, 14) | ModelRange(20, 23);
constexpr ModelSet kAutoSideShift = ModelRange(0, 4) | ModelRange(20, 37);
constexpr ModelSet kStandby = ModelRange(0, 4) | ModelRange(24, 25);
constexpr ModelSet kStandbyTimer = ModelRange(0, 4) | ModelRange(20, 25);
constexpr ModelSet kPaperNearEnd = ModelRange(20, 23);
constexpr ModelSet kPeelWait = ModelRange(0, 4) | ModelRange(15, 37);
constexpr ModelSet kModeRepeatKey = ModelRange(5, 14) | ModelRange(20, 23);
constexpr ModelSet kMenuKey = ModelRange(0, 4) | ModelRange(15, 19) | ModelRange(24, 25);
constexpr ModelSet kFeedKey = ModelRange(26, 37);
constexpr ModelSet kUsbHighSpeed = ModelRange(20, 25);
constexpr ModelSet kLanModels = ModelRange(2, 4) | ModelRange(24, 31);
constexpr ModelSet kBtModels = ModelRange(0, 4) | ModelRange(24, 25) | ModelRange(32, 37);
constexpr ModelSet kRfidModels = ModelList({32, 35});
constexpr ModelSet kNonStopCut = ModelRange(17, 19);
constexpr ModelSet kAutoLoading = ModelRange(2, 4); // auto loading and the top of form sensor
constexpr ModelSet kHeadCheck = ModelRange(0, 25) | ModelRange(32, 37);
constexpr ModelSet kType1Mode =
    ModelRange(2, 4) | ModelRange(7, 9) | ModelRange(12, 14) | ModelRange(17, 19);

// The printer's menu in its own order. Keys that the program keeps twice (the two sensor
// position and level pairs, the two image shift forms) appear once per model here.
constexpr std::array kMenu = {
    // Standard menu.
    MenuKey{"GLOBAL CONFIG", F::kChoice, S::kStandard, kAllModels, "CONFIG SET 1", ""},
    MenuKey{"PRINT SPEED", F::kChoice, S::kStandard, kAllModels, "4 IPS", ""},
    MenuKey{"PRINT DARKNESS", F::kInt, S::kStandard, kAllModels, "10", ""},
    MenuKey{"DARKNESS ADJUST", F::kInt, S::kStandard, kAllModels, "0", ""},
    MenuKey{"PRINT METHOD", F::kChoice, S::kStandard, kTtModels, "TT", ""},
    MenuKey{"RIBBON WINDING DIRECTION", F::kChoice, S::kStandard, kRibbonWinding, "OUTSIDE", ""},
    MenuKey{"CONTINUOUS MEDIA LENGTH", F::kLength, S::kStandard, kAllModels, "101.6", ""},
    MenuKey{"VERTICAL POSITION", F::kLength, S::kStandard, kAllModels, "0.0", ""},
    MenuKey{"HORIZONTAL SHIFT", F::kLength, S::kStandard, kAllModels, "0.0", ""},
    MenuKey{"VERTICAL IMAGE SHIFT", F::kLength, S::kStandard, kNative, "0.0", ""},
    MenuKey{"VERTICAL IMAGE SHIFT", F::kInt, S::kStandard, kEmulation, "0", ""},
    MenuKey{"AUTO SIDE SHIFT", F::kInt, S::kStandard, kAutoSideShift, "0", ""},
    MenuKey{"SENSOR SELECT", F::kChoice, S::kStandard, kFixAdj, "FRONT FIXED SENSOR", ""},
    MenuKey{"MEDIA SENSOR", F::kChoice, S::kStandard, kAllModels, "SEE THROUGH", ""},
    MenuKey{"TOP FORM SENSOR", F::kChoice, S::kStandard, kModel0, "OFF", ""},
    MenuKey{"TOP FORM LENGTH", F::kLength, S::kStandard, kModel0, "25.4", ""},
    MenuKey{"SMALL MEDIA ADJUSTMENT", F::kChoice, S::kStandard, kAllModels, "OFF", ""},
    MenuKey{"SMALL MEDIA LENGTH", F::kLength, S::kStandard, kAllModels, "12.7", ""},
    MenuKey{"SYMBOL SET", F::kChoice, S::kStandard, kAllModels, "PC", ""},
    MenuKey{"SENSOR LEVEL", F::kVolt1, S::kStandard, kAllModels, "1.7", ""},
    MenuKey{"PAPER END LEVEL", F::kVolt2, S::kStandard, kAllModels, "1.50", ""},
    MenuKey{"ERROR REPORTING", F::kChoice, S::kStandard, kAllModels, "ON PRINTING", ""},
    MenuKey{"COVER OPEN SENSOR", F::kChoice, S::kStandard, kFixAdj, "ON", ""},
    MenuKey{"BUZZER SELECT", F::kChoice, S::kStandard, kAllModels, "ALL", ""},
    MenuKey{"METRIC/INCH", F::kChoice, S::kStandard, kAllModels, "INCH", ""},
    MenuKey{"MAX MEDIA LENGTH", F::kLength, S::kStandard, kAllModels, "254.0", ""},
    MenuKey{"SETTINGS LOCK", F::kChoice, S::kStandard, kAllModels, "OFF", ""},
    MenuKey{"KEYBOARD LOCK", F::kChoice, S::kStandard, kAllModels, "OFF", ""},
    MenuKey{"STANDBY MODE", F::kChoice, S::kStandard, kStandby, "OFF", ""},
    MenuKey{"STANDBY TIMER", F::kInt, S::kStandard, kStandbyTimer, "30", ""},
    MenuKey{"PAPER NEAR END STATUS", F::kChoice, S::kStandard, kPaperNearEnd, "OFF", ""},
    MenuKey{"PAPER NEAR END ALARM", F::kChoice, S::kStandard, kPaperNearEnd, "OFF", ""},
    MenuKey{"CONTROL CODE", F::kChoice, S::kStandard, kNative, "STD", ""},
    MenuKey{"MACHINE EMULATION CODE", F::kChoice, S::kStandard, kAllModels, "CODE_KORVANE", ""},
    MenuKey{"EMULATION SELECT", F::kChoice, S::kStandard, kAllModels, "DPP", ""},
    MenuKey{"EMULATION AUTO DETECT", F::kChoice, S::kStandard, kAllModels, "OFF", ""},
    MenuKey{"MEDIA POWER UP", F::kChoice, S::kStandard, kEmulation, "OFF", ""},
    MenuKey{"CI LOCK", F::kChoice, S::kStandard, kEmulation, "OFF", ""},
    MenuKey{"AUTOCONFIGURE", F::kChoice, S::kStandard, kAllModels, "OFF", ""},
    MenuKey{"FUNCTION SELECT", F::kChoice, S::kStandard, kAllModels, "TEAR", ""},
    MenuKey{"CUTTER TYPE", F::kChoice, S::kStandard, kFixAdj, "STANDARD", ""},
    MenuKey{"CUTTER ACTION", F::kChoice, S::kStandard, kAllModels, "BACKFEED", ""},
    MenuKey{"REWINDER AUTO ONLINE", F::kChoice, S::kStandard, kFixAdj, "OFF", ""},
    MenuKey{"REWINDER AUTO ONLINE DELAY", F::kInt, S::kStandard, kFixAdj, "3", ""},
    MenuKey{"REWINDER TORQUE", F::kInt, S::kStandard, kFixAdj, "4", ""},
    MenuKey{"PEEL WAIT DELAY", F::kDec1, S::kStandard, kPeelWait, "1.0", ""},
    MenuKey{"PAPER POSITION", F::kLength, S::kStandard, kAllModels, "0.0", ""},
    MenuKey{"MODE/REPEAT KEY", F::kChoice, S::kStandard, kModeRepeatKey, "LABEL SET", ""},
    MenuKey{"MENU KEY ACTION", F::kChoice, S::kStandard, kMenuKey, "ENTERS MENU", ""},
    MenuKey{"FEED KEY ACTION", F::kChoice, S::kStandard, kFeedKey, "FEEDS MEDIA", ""},
    MenuKey{"USB DEVICE CLASS", F::kChoice, S::kStandard, kAllModels, "PRINTER", ""},
    MenuKey{"USB VCOM PROTOCOL", F::kChoice, S::kStandard, kAllModels, "AUTO", ""},
    MenuKey{"USB 2 HIGH SPEED", F::kChoice, S::kStandard, kUsbHighSpeed, "ON", ""},
    MenuKey{"IPV4 ADDRESS", F::kIpv4, S::kStandard, kLanModels, "192,168,0,1", ""},
    MenuKey{"IPV4 SUBNET MASK", F::kIpv4, S::kStandard, kLanModels, "255,255,255,0", ""},
    MenuKey{"IPV4 GATEWAY", F::kIpv4, S::kStandard, kLanModels, "0,0,0,0", ""},
    MenuKey{"IPV4 DHCP", F::kChoice, S::kStandard, kLanModels, "OFF", ""},
    MenuKey{"HOST NAME", F::kText, S::kStandard, kLanModels, "QUILLMARK", ""},
    MenuKey{"PORT NUMBER", F::kInt, S::kStandard, kLanModels, "9100", ""},
    MenuKey{"TIMEOUT", F::kInt, S::kStandard, kLanModels, "60", ""},
    MenuKey{"TIMEOUT ACTION", F::kChoice, S::kStandard, kLanModels, "CLOSE ALL", ""},
    MenuKey{"SEND BUFFER DATA", F::kChoice, S::kStandard, kLanModels, "DISABLE", ""},
    MenuKey{"IPV6", F::kChoice, S::kStandard, kLanModels, "OFF", ""},
    MenuKey{"IPV6 FIXED ADDRESS", F::kChoice, S::kStandard, kLanModels, "OFF", ""},
    MenuKey{"IPV6 ADDRESS", F::kIpv6, S::kStandard, kLanModels,
            "254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1", ""},
    MenuKey{"IPV6 PREFIX LENGTH", F::kInt, S::kStandard, kLanModels, "64", ""},
    MenuKey{"IPV6 GATEWAY", F::kIpv6, S::kStandard, kLanModels, "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
            ""},
    MenuKey{"RS-232C BAUD", F::kChoice, S::kStandard, kAllModels, "9600", ""},
    MenuKey{"RS-232C PARITY", F::kChoice, S::kStandard, kAllModels, "NONE", ""},
    MenuKey{"RS-232C LENGTH", F::kChoice, S::kStandard, kAllModels, "8 BITS", ""},
    MenuKey{"RS-232C STOP BIT", F::kChoice, S::kStandard, kAllModels, "1 BIT", ""},
    MenuKey{"RS-232C X-ON", F::kChoice, S::kStandard, kAllModels, "NO", ""},
    MenuKey{"IEEE1284", F::kChoice, S::kStandard, kFirstGeneration, "ON", ""},
    MenuKey{"WEB MONITOR", F::kChoice, S::kStandard, kFirstGeneration, "AUTO", ""},
    MenuKey{"NETWORK ADDRESS", F::kIpv4, S::kStandard, kFirstGeneration, "192,168,0,1", ""},
    MenuKey{"SUBNET MASK", F::kIpv4, S::kStandard, kFirstGeneration, "255,255,255,0", ""},
    MenuKey{"GATEWAY ADDRESS", F::kIpv4, S::kStandard, kFirstGeneration, "0,0,0,0", ""},
    MenuKey{"BOOTP", F::kChoice, S::kStandard, kFirstGeneration, "OFF", ""},
    MenuKey{"DHCP", F::kChoice, S::kStandard, kFirstGeneration, "OFF", ""},
    MenuKey{"WLAN MODE", F::kChoice, S::kStandard, kFirstGeneration, "INFRASTRUCTURE", ""},
    MenuKey{"WLAN CHANNEL", F::kInt, S::kStandard, kFirstGeneration, "1", ""},
    MenuKey{"WLAN SSID", F::kText, S::kStandard, kFirstGeneration, "QUILLMARK", ""},
    MenuKey{"WLAN ENCRYPTION", F::kChoice, S::kStandard, kFirstGeneration, "NONE", ""},
    MenuKey{"WLAN WEP KEY ID", F::kChoice, S::kStandard, kFirstGeneration, "KEY 1", ""},
    MenuKey{"WLAN WEP KEY 1", F::kText, S::kStandard, kFirstGeneration, "00000", ""},
    MenuKey{"WLAN WEP KEY 2", F::kText, S::kStandard, kFirstGeneration, "00000", ""},
    MenuKey{"WLAN WEP KEY 3", F::kText, S::kStandard, kFirstGeneration, "00000", ""},
    MenuKey{"WLAN WEP KEY 4", F::kText, S::kStandard, kFirstGeneration, "00000", ""},
    MenuKey{"WLAN PSK", F::kText, S::kStandard, kFirstGeneration, "00000000", ""},
    MenuKey{"EAP AUTHENTICATION", F::kChoice, S::kStandard, kFirstGeneration, "OPEN SYSTEM", ""},
    MenuKey{"EAP USER NAME", F::kText, S::kStandard, kFirstGeneration, "USER", ""},
    MenuKey{"EAP PASSWORD", F::kText, S::kStandard, kFirstGeneration, "PASSWORD", ""},
    MenuKey{"EAP PEAP/FAST OPTION", F::kChoice, S::kStandard, kFirstGeneration, "NONE", ""},
    MenuKey{"EAP INNER AUTHENTICATION", F::kChoice, S::kStandard, kFirstGeneration, "NONE", ""},
    MenuKey{"EAP ANONYMOUS NAME", F::kText, S::kStandard, kFirstGeneration, "ANONYMOUS", ""},
    MenuKey{"BT SECURITY", F::kChoice, S::kStandard, kBtModels, "MIDDLE", ""},
    MenuKey{"BT CONNECTION", F::kChoice, S::kStandard, kBtModels, "ALL DEVICES", ""},
    MenuKey{"BT DISCOVERABLE", F::kChoice, S::kStandard, kBtModels, "ON", ""},
    MenuKey{"BT IOS RECONNECT", F::kChoice, S::kStandard, kBtModels, "ON", ""},
    MenuKey{"BT PIN CODE", F::kText, S::kStandard, kBtModels, "0000", ""},
    MenuKey{"BT DEVICE NAME", F::kText, S::kStandard, kBtModels, "QUILLMARK", ""},
    // The printer spells the RFID keys its own way; the settings-file spelling is accepted too.
    MenuKey{"RFID SETTINGS", F::kChoice, S::kStandard, kRfidModels, "AUTO", ""},
    MenuKey{"RFID CALIB Y POSITION", F::kLength, S::kStandard, kRfidModels, "0.0",
            "RFID CALIB BASE POSITION"},
    MenuKey{"RFID Y POSITION", F::kLength, S::kStandard, kRfidModels, "0.0", "RFID FIXED POSITION"},
    MenuKey{"RFID WRITE POWER", F::kInt, S::kStandard, kRfidModels, "10", "RFID FIXED POWER"},
    MenuKey{"RFID NGMARK POSITION", F::kLength, S::kStandard, kRfidModels, "3.0",
            "RFID NG MARK POSITION"},
    MenuKey{"RFID NGMARK WIDTH", F::kLength, S::kStandard, kRfidModels, "10.0",
            "RFID NG MARK WIDTH"},
    MenuKey{"RFID NGMARK HEIGHT", F::kLength, S::kStandard, kRfidModels, "10.0",
            "RFID NG MARK HEIGHT"},
    MenuKey{"RFID NGMARK THICKNESS", F::kLength, S::kStandard, kRfidModels, "1.0",
            "RFID NG MARK THICKNESS"},
    MenuKey{"NON-STOP CUT", F::kChoice, S::kStandard, kNonStopCut, "OFF", ""},
    MenuKey{"AUTO LOADING", F::kChoice, S::kStandard, kAutoLoading, "OFF", ""},
    MenuKey{"AUTO LOADING POS", F::kLength, S::kStandard, kAutoLoading, "0.0", ""},
    MenuKey{"BACKFEED TO TOF", F::kChoice, S::kStandard, kAutoLoading, "OFF", ""},
    MenuKey{"AUTO SMALL MEASURE", F::kChoice, S::kStandard, kAutoLoading, "OFF", ""},
    MenuKey{"USB HOST ENABLE", F::kChoice, S::kStandard, kAutoLoading, "AUTO", ""},
    // Advanced menu.
    MenuKey{"THROUGH SENSOR POSITION", F::kInt, S::kAdvanced, kAllModels, "0", ""},
    MenuKey{"REFLECT SENSOR POSITION", F::kInt, S::kAdvanced, kAllModels, "0",
            "FIX REFLECT SENSOR POSITION"},
    MenuKey{"ADJ THROUGH SENSOR POSITION", F::kInt, S::kAdvanced, kFixAdj, "0", ""},
    MenuKey{"ADJ REFLECT SENSOR POSITION", F::kInt, S::kAdvanced, kFixAdj, "0", ""},
    MenuKey{"MACH TEAR POS", F::kInt, S::kAdvanced, kAllModels, "0", ""},
    MenuKey{"MACH CUT POS", F::kInt, S::kAdvanced, kAllModels, "0", ""},
    MenuKey{"MACH PEEL POS", F::kInt, S::kAdvanced, kAllModels, "0", ""},
    MenuKey{"MACH HOR POS", F::kInt, S::kAdvanced, kAllModels, "0", ""},
    MenuKey{"AUTOCAL MODE", F::kChoice, S::kAdvanced, kAllModels, "ON", ""},
    MenuKey{"SEE THROUGH SENSOR", F::kVolt1, S::kAdvanced, kAllModels, "1.5", ""},
    MenuKey{"REFLECT SENSOR", F::kVolt1, S::kAdvanced, kAllModels, "1.5", "FIX REFLECT SENSOR"},
    MenuKey{"ADJ THROUGH SENSOR", F::kVolt1, S::kAdvanced, kFixAdj, "1.5", ""},
    MenuKey{"ADJ REFLECT SENSOR", F::kVolt1, S::kAdvanced, kFixAdj, "1.5", ""},
    MenuKey{"SEETHROUGH SENSITIVITY", F::kChoice, S::kAdvanced, kThroughReflect, "MEDIUM", ""},
    MenuKey{"REFLECT SENSITIVITY", F::kChoice, S::kAdvanced, kThroughReflect, "MEDIUM", ""},
    MenuKey{"FIX REFLECT SENSITIVITY", F::kChoice, S::kAdvanced, kModel0, "MEDIUM", ""},
    MenuKey{"ADJ THROUGH CAL LEVEL", F::kVolt2, S::kAdvanced, kAllModels, "2.30", ""},
    MenuKey{"ADJ REFLECT CAL LEVEL", F::kVolt2, S::kAdvanced, kAllModels, "2.10", ""},
    MenuKey{"ADJ SENSNONE CAL LEVEL", F::kVolt2, S::kAdvanced, kAllModels, "2.05", ""},
    MenuKey{"FIX THROUGH CAL LEVEL", F::kVolt2, S::kAdvanced, kFixAdj, "2.30", ""},
    MenuKey{"FIX REFLECT CAL LEVEL", F::kVolt2, S::kAdvanced, kFixAdj, "2.10", ""},
    MenuKey{"FIX SENSNONE CAL LEVEL", F::kVolt2, S::kAdvanced, kFixAdj, "2.05", ""},
    MenuKey{"DARKNESS RATE", F::kChoice, S::kAdvanced, kAllModels, "HIGH", ""},
    MenuKey{"DOUBLE HEAT MENU", F::kChoice, S::kAdvanced, kAllModels, "OFF", ""},
    MenuKey{"DOUBLE HEAT", F::kChoice, S::kHidden, kAllModels, "OFF", ""},
    MenuKey{"TT HOT HEATRATE ADJUST", F::kDec1, S::kAdvanced, kTtModels, "0.0", ""},
    MenuKey{"TT COLD HEATRATE ADJUST", F::kDec1, S::kAdvanced, kTtModels, "0.0", ""},
    MenuKey{"DT HOT HEATRATE ADJUST", F::kDec1, S::kAdvanced, kAllModels, "0.0", ""},
    MenuKey{"DT COLD HEATRATE ADJUST", F::kDec1, S::kAdvanced, kAllModels, "0.0", ""},
    MenuKey{"POWERON HEAD CHECK", F::kChoice, S::kAdvanced, kHeadCheck, "OFF", ""},
    MenuKey{"HEAD CHECK START POS", F::kDot, S::kAdvanced, kHeadCheck, "1", ""},
    MenuKey{"HEAD CHECK STOP POS", F::kDot, S::kAdvanced, kHeadCheck, "848", ""},
    MenuKey{"RIBBON END DETECTION", F::kChoice, S::kAdvanced, kTtModels, "NORMAL", ""},
    MenuKey{"PARALLEL ERROR OUTPUT", F::kChoice, S::kAdvanced, kFirstGeneration, "ON", ""},
    MenuKey{"TOP FORM SENSING", F::kChoice, S::kAdvanced, kAllModels, "ON", ""},
    MenuKey{"USB SERIAL NUMBER", F::kChoice, S::kAdvanced, kAllModels, "OFF", ""},
    // The USB serial number, reported right after USB SERIAL NUMBER while that is ON.
    MenuKey{"SERIAL NUMBER", F::kText, S::kAdvanced, kAllModels, "QM000001", ""},
    MenuKey{"AUTO EXEC PRINT", F::kChoice, S::kAdvanced, kAllModels, "OFF", ""},
    MenuKey{"CONFIG PRINT LAYOUT", F::kChoice, S::kAdvanced, kAllModels, "STANDARD", ""},
    MenuKey{"HEAD CLEAN MESSAGE", F::kCounter, S::kAdvanced, kAllModels, "0", ""},
    MenuKey{"PRINT PREFERENCE", F::kChoice, S::kAdvanced, kAllModels, "DARKNESS", ""},
    MenuKey{"TT HOT HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kTtHeatRate2, "0.0", ""},
    MenuKey{"TT COLD HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kTtHeatRate2, "0.0", ""},
    MenuKey{"DT HOT HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kPanelAndDesktop, "0.0", ""},
    MenuKey{"DT COLD HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kPanelAndDesktop, "0.0", ""},
    MenuKey{"HEAD CHECK PATTERN PRINT", F::kChoice, S::kAdvanced, kPanelAndDesktop, "OFF", ""},
    MenuKey{"HEAD CHECK PATTERN WIDTH", F::kInt, S::kAdvanced, kPanelAndDesktop, "832", ""},
    MenuKey{"SNMP", F::kChoice, S::kAdvanced, kNewGeneration, "ON", ""},
    MenuKey{"HTML", F::kChoice, S::kAdvanced, kNewGeneration, "ON", ""},
    MenuKey{"TYPE 1 MODE", F::kChoice, S::kAdvanced, kType1Mode, "OFF", ""},
    MenuKey{"ONLINE SETTING MODE", F::kChoice, S::kAdvanced, kPanelAndDesktop, "DISABLE", ""},
    MenuKey{"TOF SENSOR POSITION", F::kInt, S::kAdvanced, kAutoLoading, "0", ""},
    MenuKey{"TOF SENSOR", F::kVolt1, S::kAdvanced, kAutoLoading, "1.5", ""},
    MenuKey{"TOF SENSITIVITY", F::kChoice, S::kAdvanced, kAutoLoading, "MEDIUM", ""},
    MenuKey{"TOF CAL LEVEL", F::kVolt2, S::kAdvanced, kAutoLoading, "2.30", ""},
    MenuKey{"BACKFEED TO TOF MENU", F::kChoice, S::kAdvanced, kAutoLoading, "OFF", ""},
    MenuKey{"AUTO LOADING LEN", F::kLength, S::kAdvanced, kAutoLoading, "0.0", ""},
    MenuKey{"AUTO LOADING GAP", F::kLength, S::kAdvanced, kAutoLoading, "0.0", ""},
    MenuKey{"RFID ANTENNA POSITION", F::kLength, S::kAdvanced, kRfidModels, "0.0", ""},
    MenuKey{"RFID REVERSE MEDIA LENGTH", F::kLength, S::kAdvanced, kRfidModels, "0.0", ""},
    // RFID calibration information, reported at the end of every menu reply.
    MenuKey{"RFID CALIB EXECUTED", F::kText, S::kRfidInfo, kRfidModels, "YES", ""},
    MenuKey{"RFID CALIB POSITION OFFSET", F::kLength, S::kRfidInfo, kRfidModels, "0.0", ""},
    MenuKey{"RFID CALIB POWER", F::kText, S::kRfidInfo, kRfidModels, "15", ""},
};

struct ModelRow {
    std::string_view name;
    int variant; // 0 native, 1 Zebra, 2 Eltron
};

constexpr std::array<ModelRow, kModelCount> kModels = {{
    {"Vexa Alder", 0},        {"Vexa Alder", 1},        {"Vexa Alder Plus", 0},
    {"Vexa Alder Plus", 1},   {"Vexa Alder Plus", 2},   {"Vexa Birch", 0},
    {"Vexa Birch", 1},        {"Vexa Birch Plus", 0},   {"Vexa Birch Plus", 1},
    {"Vexa Birch Plus", 2},   {"Vexa Cedar", 0},        {"Vexa Cedar", 1},
    {"Vexa Cedar Plus", 0},   {"Vexa Cedar Plus", 1},   {"Vexa Cedar Plus", 2},
    {"Vexa Dogwood", 0},      {"Vexa Dogwood", 1},      {"Vexa Dogwood Plus", 0},
    {"Vexa Dogwood Plus", 1}, {"Vexa Dogwood Plus", 2}, {"Vexa Elm", 0},
    {"Vexa Elm", 1},          {"Vexa Fir", 0},          {"Vexa Fir", 1},
    {"Vexa Gorse", 0},        {"Vexa Gorse", 1},        {"Vexa Hawthorn", 0},
    {"Vexa Hawthorn", 1},     {"Vexa Hawthorn", 2},     {"Vexa Juniper", 0},
    {"Vexa Juniper", 1},      {"Vexa Juniper", 2},      {"Vexa Larch", 0},
    {"Vexa Larch", 1},        {"Vexa Larch", 2},        {"Vexa Maple", 0},
    {"Vexa Maple", 1},        {"Vexa Maple", 2},
}};

bool ValidModel(int model) {
    return model >= 0 && model < kModelCount;
}

bool UsesLcdStandby(int model) {
    return model == 24 || model == 25;
}

} // namespace

std::span<const MenuKey> MenuKeys() {
    return kMenu;
}

bool ModelHasKey(int model, const MenuKey& row) {
    return ValidModel(model) && (row.models & (ModelSet{1} << model)) != 0;
}

std::string_view ReportedKey(const MenuKey& row, int model) {
    if (row.key == "STANDBY MODE" && UsesLcdStandby(model)) {
        return "LCD STANDBY";
    }
    return row.key;
}

const MenuKey* FindMenuKey(std::string_view key, int model) {
    for (const MenuKey& row : kMenu) {
        if (!ModelHasKey(model, row)) {
            continue;
        }
        if (ReportedKey(row, model) == key || (!row.alias.empty() && row.alias == key)) {
            return &row;
        }
    }
    return nullptr;
}

std::string_view DefaultValue(const MenuKey& row, int model) {
    if (row.key == "MACHINE EMULATION CODE") {
        switch (ModelVariant(model)) {
        case 1:
            return "CODE_ZEBRA";
        case 2:
            return "CODE_EPL";
        default:
            return "CODE_KORVANE";
        }
    }
    if (row.key == "HEAD CHECK STOP POS") {
        if (model == 20 || model == 21) {
            return "1344";
        }
        if (model == 22 || model == 23) {
            return "1984";
        }
        if (model >= 32) {
            return "832";
        }
    }
    return row.value;
}

int ModelVariant(int model) {
    return ValidModel(model) ? kModels[static_cast<size_t>(model)].variant : 0;
}

bool ModelOffersEltron(int model) {
    return (model >= 2 && model <= 4) || (model >= 7 && model <= 9) ||
           (model >= 12 && model <= 14) || (model >= 17 && model <= 19) ||
           (model >= 26 && model <= 37);
}

std::string_view ModelName(int model) {
    return ValidModel(model) ? kModels[static_cast<size_t>(model)].name : "";
}

} // namespace qm::sim
