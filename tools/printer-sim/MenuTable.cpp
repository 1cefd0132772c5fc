#include "MenuTable.h"

#include <array>

namespace qm::sim {

namespace {

using F = ValueForm;
using S = MenuScope;

// The printer's menu in its own order. Keys that the program keeps twice (the two sensor
// position and level pairs, the two image shift forms) appear once per model here.
constexpr std::array kMenu = {
    // Standard menu.
    MenuKey{"GLOBAL CONFIG", F::kChoice, S::kStandard, kAll, "CONFIG SET 1", ""},
    MenuKey{"PRINT SPEED", F::kChoice, S::kStandard, kAll, "4 IPS", ""},
    MenuKey{"PRINT DARKNESS", F::kInt, S::kStandard, kAll, "10", ""},
    MenuKey{"DARKNESS ADJUST", F::kInt, S::kStandard, kAll, "0", ""},
    MenuKey{"PRINT METHOD", F::kChoice, S::kStandard, kAll, "TT", ""},
    MenuKey{"RIBBON WINDING DIRECTION", F::kChoice, S::kStandard, kAll, "OUTSIDE", ""},
    MenuKey{"CONTINUOUS MEDIA LENGTH", F::kLength, S::kStandard, kAll, "101.6", ""},
    MenuKey{"VERTICAL POSITION", F::kLength, S::kStandard, kAll, "0.0", ""},
    MenuKey{"HORIZONTAL SHIFT", F::kLength, S::kStandard, kAll, "0.0", ""},
    MenuKey{"VERTICAL IMAGE SHIFT", F::kLength, S::kStandard, kVisLength, "0.0", ""},
    MenuKey{"VERTICAL IMAGE SHIFT", F::kInt, S::kStandard, kVisInt, "0", ""},
    MenuKey{"AUTO SIDE SHIFT", F::kInt, S::kStandard, kAll, "0", ""},
    MenuKey{"SENSOR SELECT", F::kChoice, S::kStandard, kAdjSensor, "FRONT FIXED SENSOR", ""},
    MenuKey{"MEDIA SENSOR", F::kChoice, S::kStandard, kAll, "SEE THROUGH", ""},
    MenuKey{"TOP FORM SENSOR", F::kChoice, S::kStandard, kDesktop, "OFF", ""},
    MenuKey{"TOP FORM LENGTH", F::kLength, S::kStandard, kDesktop, "25.4", ""},
    MenuKey{"SMALL MEDIA ADJUSTMENT", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"SMALL MEDIA LENGTH", F::kLength, S::kStandard, kAll, "12.7", ""},
    MenuKey{"SYMBOL SET", F::kChoice, S::kStandard, kAll, "PC", ""},
    MenuKey{"SENSOR LEVEL", F::kVolt1, S::kStandard, kAll, "1.7", ""},
    MenuKey{"PAPER END LEVEL", F::kVolt2, S::kStandard, kNewGen, "1.50", ""},
    MenuKey{"ERROR REPORTING", F::kChoice, S::kStandard, kNewGen, "ON PRINTING", ""},
    MenuKey{"COVER OPEN SENSOR", F::kChoice, S::kStandard, kNewGen, "ON", ""},
    MenuKey{"BUZZER SELECT", F::kChoice, S::kStandard, kAll, "ALL", ""},
    MenuKey{"METRIC/INCH", F::kChoice, S::kStandard, kAll, "INCH", ""},
    MenuKey{"MAX MEDIA LENGTH", F::kLength, S::kStandard, kAll, "254.0", ""},
    MenuKey{"SETTINGS LOCK", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"KEYBOARD LOCK", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"STANDBY MODE", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"STANDBY TIMER", F::kInt, S::kStandard, kAll, "30", ""},
    MenuKey{"PAPER NEAR END STATUS", F::kChoice, S::kStandard, kNewGen, "OFF", ""},
    MenuKey{"PAPER NEAR END ALARM", F::kChoice, S::kStandard, kNewGen, "OFF", ""},
    MenuKey{"CONTROL CODE", F::kChoice, S::kStandard, kAll, "STD", ""},
    MenuKey{"MACHINE EMULATION CODE", F::kChoice, S::kStandard, kAll, "CODE_KORVANE", ""},
    MenuKey{"EMULATION SELECT", F::kChoice, S::kStandard, kAll, "DPP", ""},
    MenuKey{"EMULATION AUTO DETECT", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"MEDIA POWER UP", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"CI LOCK", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"AUTOCONFIGURE", F::kChoice, S::kStandard, kAll, "OFF", ""},
    MenuKey{"FUNCTION SELECT", F::kChoice, S::kStandard, kAll, "TEAR", ""},
    MenuKey{"CUTTER TYPE", F::kChoice, S::kStandard, kCutter, "STANDARD", ""},
    MenuKey{"CUTTER ACTION", F::kChoice, S::kStandard, kCutter, "BACKFEED", ""},
    MenuKey{"REWINDER AUTO ONLINE", F::kChoice, S::kStandard, kRewinder, "OFF", ""},
    MenuKey{"REWINDER AUTO ONLINE DELAY", F::kInt, S::kStandard, kRewinder, "3", ""},
    MenuKey{"REWINDER TORQUE", F::kInt, S::kStandard, kRewinder, "4", ""},
    MenuKey{"PEEL WAIT DELAY", F::kDec1, S::kStandard, kAll, "1.0", ""},
    MenuKey{"PAPER POSITION", F::kLength, S::kStandard, kAll, "0.0", ""},
    MenuKey{"MODE/REPEAT KEY", F::kChoice, S::kStandard, kGen1, "LABEL SET", ""},
    MenuKey{"MENU KEY ACTION", F::kChoice, S::kStandard, kPanel, "ENTERS MENU", ""},
    MenuKey{"FEED KEY ACTION", F::kChoice, S::kStandard, kDesktop, "FEEDS MEDIA", ""},
    MenuKey{"USB DEVICE CLASS", F::kChoice, S::kStandard, kUsb, "PRINTER", ""},
    MenuKey{"USB VCOM PROTOCOL", F::kChoice, S::kStandard, kUsb, "AUTO", ""},
    MenuKey{"USB 2 HIGH SPEED", F::kChoice, S::kStandard, kUsb, "ON", ""},
    MenuKey{"IPV4 ADDRESS", F::kIpv4, S::kStandard, kLan, "192,168,0,1", ""},
    MenuKey{"IPV4 SUBNET MASK", F::kIpv4, S::kStandard, kLan, "255,255,255,0", ""},
    MenuKey{"IPV4 GATEWAY", F::kIpv4, S::kStandard, kLan, "0,0,0,0", ""},
    MenuKey{"IPV4 DHCP", F::kChoice, S::kStandard, kLan, "OFF", ""},
    MenuKey{"HOST NAME", F::kText, S::kStandard, kLan, "QUILLMARK", ""},
    MenuKey{"PORT NUMBER", F::kInt, S::kStandard, kLan, "9100", ""},
    MenuKey{"TIMEOUT", F::kInt, S::kStandard, kLan, "60", ""},
    MenuKey{"TIMEOUT ACTION", F::kChoice, S::kStandard, kLan, "CLOSE ALL", ""},
    MenuKey{"SEND BUFFER DATA", F::kChoice, S::kStandard, kLan, "DISABLE", ""},
    MenuKey{"IPV6", F::kChoice, S::kStandard, kLan, "OFF", ""},
    MenuKey{"IPV6 FIXED ADDRESS", F::kChoice, S::kStandard, kLan, "OFF", ""},
    MenuKey{"IPV6 ADDRESS", F::kIpv6, S::kStandard, kLan, "254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1",
            ""},
    MenuKey{"IPV6 PREFIX LENGTH", F::kInt, S::kStandard, kLan, "64", ""},
    MenuKey{"IPV6 GATEWAY", F::kIpv6, S::kStandard, kLan, "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", ""},
    MenuKey{"RS-232C BAUD", F::kChoice, S::kStandard, kSerial, "9600", ""},
    MenuKey{"RS-232C PARITY", F::kChoice, S::kStandard, kSerial, "NONE", ""},
    MenuKey{"RS-232C LENGTH", F::kChoice, S::kStandard, kSerial, "8 BITS", ""},
    MenuKey{"RS-232C STOP BIT", F::kChoice, S::kStandard, kSerial, "1 BIT", ""},
    MenuKey{"RS-232C X-ON", F::kChoice, S::kStandard, kSerial, "NO", ""},
    MenuKey{"IEEE1284", F::kChoice, S::kStandard, kParallel, "ON", ""},
    MenuKey{"WEB MONITOR", F::kChoice, S::kStandard, kNetOld, "AUTO", ""},
    MenuKey{"NETWORK ADDRESS", F::kIpv4, S::kStandard, kNetOld, "192,168,0,1", ""},
    MenuKey{"SUBNET MASK", F::kIpv4, S::kStandard, kNetOld, "255,255,255,0", ""},
    MenuKey{"GATEWAY ADDRESS", F::kIpv4, S::kStandard, kNetOld, "0,0,0,0", ""},
    MenuKey{"BOOTP", F::kChoice, S::kStandard, kNetOld, "OFF", ""},
    MenuKey{"DHCP", F::kChoice, S::kStandard, kNetOld, "OFF", ""},
    MenuKey{"WLAN MODE", F::kChoice, S::kStandard, kWlan, "INFRASTRUCTURE", ""},
    MenuKey{"WLAN CHANNEL", F::kInt, S::kStandard, kWlan, "1", ""},
    MenuKey{"WLAN SSID", F::kText, S::kStandard, kWlan, "QUILLMARK", ""},
    MenuKey{"WLAN ENCRYPTION", F::kChoice, S::kStandard, kWlan, "NONE", ""},
    MenuKey{"WLAN WEP KEY ID", F::kChoice, S::kStandard, kWlan, "KEY 1", ""},
    MenuKey{"WLAN WEP KEY 1", F::kText, S::kStandard, kWlan, "00000", ""},
    MenuKey{"WLAN WEP KEY 2", F::kText, S::kStandard, kWlan, "00000", ""},
    MenuKey{"WLAN WEP KEY 3", F::kText, S::kStandard, kWlan, "00000", ""},
    MenuKey{"WLAN WEP KEY 4", F::kText, S::kStandard, kWlan, "00000", ""},
    MenuKey{"WLAN PSK", F::kText, S::kStandard, kWlan, "00000000", ""},
    MenuKey{"EAP AUTHENTICATION", F::kChoice, S::kStandard, kWlan, "OPEN SYSTEM", ""},
    MenuKey{"EAP USER NAME", F::kText, S::kStandard, kWlan, "USER", ""},
    MenuKey{"EAP PASSWORD", F::kText, S::kStandard, kWlan, "PASSWORD", ""},
    MenuKey{"EAP PEAP/FAST OPTION", F::kChoice, S::kStandard, kWlan, "NONE", ""},
    MenuKey{"EAP INNER AUTHENTICATION", F::kChoice, S::kStandard, kWlan, "NONE", ""},
    MenuKey{"EAP ANONYMOUS NAME", F::kText, S::kStandard, kWlan, "ANONYMOUS", ""},
    MenuKey{"BT SECURITY", F::kChoice, S::kStandard, kBt, "MIDDLE", ""},
    MenuKey{"BT CONNECTION", F::kChoice, S::kStandard, kBt, "ALL DEVICES", ""},
    MenuKey{"BT DISCOVERABLE", F::kChoice, S::kStandard, kBt, "ON", ""},
    MenuKey{"BT IOS RECONNECT", F::kChoice, S::kStandard, kBt, "ON", ""},
    MenuKey{"BT PIN CODE", F::kText, S::kStandard, kBt, "0000", ""},
    MenuKey{"BT DEVICE NAME", F::kText, S::kStandard, kBt, "QUILLMARK", ""},
    // The printer spells the RFID keys its own way; the settings-file spelling is accepted too.
    MenuKey{"RFID SETTINGS", F::kChoice, S::kStandard, kRfid, "AUTO", ""},
    MenuKey{"RFID CALIB Y POSITION", F::kLength, S::kStandard, kRfid, "0.0",
            "RFID CALIB BASE POSITION"},
    MenuKey{"RFID Y POSITION", F::kLength, S::kStandard, kRfid, "0.0", "RFID FIXED POSITION"},
    MenuKey{"RFID WRITE POWER", F::kInt, S::kStandard, kRfid, "10", "RFID FIXED POWER"},
    MenuKey{"RFID NGMARK POSITION", F::kLength, S::kStandard, kRfid, "3.0",
            "RFID NG MARK POSITION"},
    MenuKey{"RFID NGMARK WIDTH", F::kLength, S::kStandard, kRfid, "10.0", "RFID NG MARK WIDTH"},
    MenuKey{"RFID NGMARK HEIGHT", F::kLength, S::kStandard, kRfid, "10.0", "RFID NG MARK HEIGHT"},
    MenuKey{"RFID NGMARK THICKNESS", F::kLength, S::kStandard, kRfid, "1.0",
            "RFID NG MARK THICKNESS"},
    MenuKey{"NON-STOP CUT", F::kChoice, S::kStandard, kCutter, "OFF", ""},
    MenuKey{"AUTO LOADING", F::kChoice, S::kStandard, kDesktop, "OFF", ""},
    MenuKey{"AUTO LOADING POS", F::kLength, S::kStandard, kDesktop, "0.0", ""},
    MenuKey{"BACKFEED TO TOF", F::kChoice, S::kStandard, kDesktop, "OFF", ""},
    MenuKey{"AUTO SMALL MEASURE", F::kChoice, S::kStandard, kDesktop, "OFF", ""},
    MenuKey{"USB HOST ENABLE", F::kChoice, S::kStandard, kDesktop, "AUTO", ""},
    // Advanced menu.
    MenuKey{"THROUGH SENSOR POSITION", F::kInt, S::kAdvanced, kAll, "0", ""},
    MenuKey{"REFLECT SENSOR POSITION", F::kInt, S::kAdvanced, kAll, "0",
            "FIX REFLECT SENSOR POSITION"},
    MenuKey{"ADJ THROUGH SENSOR POSITION", F::kInt, S::kAdvanced, kAdjSensor, "0", ""},
    MenuKey{"ADJ REFLECT SENSOR POSITION", F::kInt, S::kAdvanced, kAdjSensor, "0", ""},
    MenuKey{"MACH TEAR POS", F::kInt, S::kAdvanced, kAll, "0", ""},
    MenuKey{"MACH CUT POS", F::kInt, S::kAdvanced, kCutter, "0", ""},
    MenuKey{"MACH PEEL POS", F::kInt, S::kAdvanced, kAll, "0", ""},
    MenuKey{"MACH HOR POS", F::kInt, S::kAdvanced, kAll, "0", ""},
    MenuKey{"AUTOCAL MODE", F::kChoice, S::kAdvanced, kAll, "ON", ""},
    MenuKey{"SEE THROUGH SENSOR", F::kVolt1, S::kAdvanced, kAll, "1.5", ""},
    MenuKey{"REFLECT SENSOR", F::kVolt1, S::kAdvanced, kAll, "1.5", "FIX REFLECT SENSOR"},
    MenuKey{"ADJ THROUGH SENSOR", F::kVolt1, S::kAdvanced, kAdjSensor, "1.5", ""},
    MenuKey{"ADJ REFLECT SENSOR", F::kVolt1, S::kAdvanced, kAdjSensor, "1.5", ""},
    MenuKey{"SEETHROUGH SENSITIVITY", F::kChoice, S::kAdvanced, kAll, "MEDIUM", ""},
    MenuKey{"REFLECT SENSITIVITY", F::kChoice, S::kAdvanced, kAll, "MEDIUM", ""},
    MenuKey{"FIX REFLECT SENSITIVITY", F::kChoice, S::kAdvanced, kAdjSensor, "MEDIUM", ""},
    MenuKey{"ADJ THROUGH CAL LEVEL", F::kVolt2, S::kAdvanced, kAdjSensor, "2.30", ""},
    MenuKey{"ADJ REFLECT CAL LEVEL", F::kVolt2, S::kAdvanced, kAdjSensor, "2.10", ""},
    MenuKey{"ADJ SENSNONE CAL LEVEL", F::kVolt2, S::kAdvanced, kAdjSensor, "2.05", ""},
    MenuKey{"FIX THROUGH CAL LEVEL", F::kVolt2, S::kAdvanced, kAll, "2.30", ""},
    MenuKey{"FIX REFLECT CAL LEVEL", F::kVolt2, S::kAdvanced, kAll, "2.10", ""},
    MenuKey{"FIX SENSNONE CAL LEVEL", F::kVolt2, S::kAdvanced, kAll, "2.05", ""},
    MenuKey{"DARKNESS RATE", F::kChoice, S::kAdvanced, kAll, "HIGH", ""},
    MenuKey{"DOUBLE HEAT MENU", F::kChoice, S::kAdvanced, kAll, "OFF", ""},
    MenuKey{"DOUBLE HEAT", F::kChoice, S::kHidden, kAll, "OFF", ""},
    MenuKey{"TT HOT HEATRATE ADJUST", F::kDec1, S::kAdvanced, kAll, "0.0", ""},
    MenuKey{"TT COLD HEATRATE ADJUST", F::kDec1, S::kAdvanced, kAll, "0.0", ""},
    MenuKey{"DT HOT HEATRATE ADJUST", F::kDec1, S::kAdvanced, kAll, "0.0", ""},
    MenuKey{"DT COLD HEATRATE ADJUST", F::kDec1, S::kAdvanced, kAll, "0.0", ""},
    MenuKey{"POWERON HEAD CHECK", F::kChoice, S::kAdvanced, kAll, "OFF", ""},
    MenuKey{"HEAD CHECK START POS", F::kDot, S::kAdvanced, kAll, "1", ""},
    MenuKey{"HEAD CHECK STOP POS", F::kDot, S::kAdvanced, kAll, "848", ""},
    MenuKey{"RIBBON END DETECTION", F::kChoice, S::kAdvanced, kAll, "NORMAL", ""},
    MenuKey{"PARALLEL ERROR OUTPUT", F::kChoice, S::kAdvanced, kParallel, "ON", ""},
    MenuKey{"TOP FORM SENSING", F::kChoice, S::kAdvanced, kDesktop, "ON", ""},
    MenuKey{"USB SERIAL NUMBER", F::kChoice, S::kAdvanced, kUsb, "OFF", ""},
    // The USB serial number, reported right after USB SERIAL NUMBER while that is ON.
    MenuKey{"SERIAL NUMBER", F::kText, S::kAdvanced, kUsb, "QM000001", ""},
    MenuKey{"AUTO EXEC PRINT", F::kChoice, S::kAdvanced, kAll, "OFF", ""},
    MenuKey{"CONFIG PRINT LAYOUT", F::kChoice, S::kAdvanced, kAll, "STANDARD", ""},
    MenuKey{"HEAD CLEAN MESSAGE", F::kCounter, S::kAdvanced, kAll, "0", ""},
    MenuKey{"PRINT PREFERENCE", F::kChoice, S::kAdvanced, kNewGen, "DARKNESS", ""},
    MenuKey{"TT HOT HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kHeatRate2, "0.0", ""},
    MenuKey{"TT COLD HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kHeatRate2, "0.0", ""},
    MenuKey{"DT HOT HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kHeatRate2, "0.0", ""},
    MenuKey{"DT COLD HEATRATE ADJUST 2", F::kDec1, S::kAdvanced, kHeatRate2, "0.0", ""},
    MenuKey{"HEAD CHECK PATTERN PRINT", F::kChoice, S::kAdvanced, kAll, "OFF", ""},
    MenuKey{"HEAD CHECK PATTERN WIDTH", F::kInt, S::kAdvanced, kAll, "832", ""},
    MenuKey{"SNMP", F::kChoice, S::kAdvanced, kLan, "ON", ""},
    MenuKey{"HTML", F::kChoice, S::kAdvanced, kLan, "ON", ""},
    MenuKey{"TYPE 1 MODE", F::kChoice, S::kAdvanced, kNewGen, "OFF", ""},
    MenuKey{"ONLINE SETTING MODE", F::kChoice, S::kAdvanced, kAll, "DISABLE", ""},
    MenuKey{"TOF SENSOR POSITION", F::kInt, S::kAdvanced, kDesktop, "0", ""},
    MenuKey{"TOF SENSOR", F::kVolt1, S::kAdvanced, kDesktop, "1.5", ""},
    MenuKey{"TOF SENSITIVITY", F::kChoice, S::kAdvanced, kDesktop, "MEDIUM", ""},
    MenuKey{"TOF CAL LEVEL", F::kVolt2, S::kAdvanced, kDesktop, "2.30", ""},
    MenuKey{"BACKFEED TO TOF MENU", F::kChoice, S::kAdvanced, kDesktop, "OFF", ""},
    MenuKey{"AUTO LOADING LEN", F::kLength, S::kAdvanced, kDesktop, "0.0", ""},
    MenuKey{"AUTO LOADING GAP", F::kLength, S::kAdvanced, kDesktop, "0.0", ""},
    MenuKey{"RFID ANTENNA POSITION", F::kLength, S::kAdvanced, kRfid, "0.0", ""},
    MenuKey{"RFID REVERSE MEDIA LENGTH", F::kLength, S::kAdvanced, kRfid, "0.0", ""},
    // RFID calibration information, reported at the end of every menu reply.
    MenuKey{"RFID CALIB EXECUTED", F::kText, S::kRfidInfo, kRfid, "YES", ""},
    MenuKey{"RFID CALIB POSITION OFFSET", F::kLength, S::kRfidInfo, kRfid, "0.0", ""},
    MenuKey{"RFID CALIB POWER", F::kText, S::kRfidInfo, kRfid, "15", ""},
};

// Feature sets of the fifteen families.
constexpr uint32_t kBase = kAll | kUsb;
constexpr uint32_t kAlder = kBase | kGen1 | kSerial | kParallel | kCutter;
constexpr uint32_t kAlderPlus = kAlder | kNetOld;
constexpr uint32_t kBirch = kBase | kGen1 | kSerial | kParallel | kRewinder;
constexpr uint32_t kBirchPlus = kBirch | kAdjSensor;
constexpr uint32_t kCedar = kBase | kGen1 | kSerial | kParallel | kCutter;
constexpr uint32_t kCedarPlus = kCedar | kAdjSensor;
constexpr uint32_t kDogwood = kBase | kGen1 | kSerial | kParallel | kRewinder | kCutter;
constexpr uint32_t kDogwoodPlus = kDogwood | kAdjSensor;
constexpr uint32_t kElmFir = kBase | kGen1 | kSerial | kParallel | kCutter | kAdjSensor;
constexpr uint32_t kGorse =
    kBase | kNewGen | kPanel | kSerial | kLan | kWlan | kCutter | kHeatRate2;
constexpr uint32_t kHawthorn =
    kBase | kNewGen | kPanel | kSerial | kLan | kRfid | kCutter | kAdjSensor | kHeatRate2;
constexpr uint32_t kJuniper =
    kBase | kNewGen | kPanel | kSerial | kLan | kWlan | kRfid | kHeatRate2;
constexpr uint32_t kLarch = kBase | kNewGen | kDesktop | kLan | kBt;
constexpr uint32_t kMaple = kBase | kNewGen | kDesktop | kLan | kCutter;

struct ModelRow {
    std::string_view name;
    uint32_t features;
    int variant; // 0 native, 1 Zebra, 2 Eltron
};

constexpr std::array<ModelRow, kModelCount> kModels = {{
    {"Vexa Alder", kAlder, 0},
    {"Vexa Alder", kAlder, 1},
    {"Vexa Alder Plus", kAlderPlus, 0},
    {"Vexa Alder Plus", kAlderPlus, 1},
    {"Vexa Alder Plus", kAlderPlus, 2},
    {"Vexa Birch", kBirch, 0},
    {"Vexa Birch", kBirch, 1},
    {"Vexa Birch Plus", kBirchPlus, 0},
    {"Vexa Birch Plus", kBirchPlus, 1},
    {"Vexa Birch Plus", kBirchPlus, 2},
    {"Vexa Cedar", kCedar, 0},
    {"Vexa Cedar", kCedar, 1},
    {"Vexa Cedar Plus", kCedarPlus, 0},
    {"Vexa Cedar Plus", kCedarPlus, 1},
    {"Vexa Cedar Plus", kCedarPlus, 2},
    {"Vexa Dogwood", kDogwood, 0},
    {"Vexa Dogwood", kDogwood, 1},
    {"Vexa Dogwood Plus", kDogwoodPlus, 0},
    {"Vexa Dogwood Plus", kDogwoodPlus, 1},
    {"Vexa Dogwood Plus", kDogwoodPlus, 2},
    {"Vexa Elm", kElmFir, 0},
    {"Vexa Elm", kElmFir, 1},
    {"Vexa Fir", kElmFir, 0},
    {"Vexa Fir", kElmFir, 1},
    {"Vexa Gorse", kGorse, 0},
    {"Vexa Gorse", kGorse, 1},
    {"Vexa Hawthorn", kHawthorn, 0},
    {"Vexa Hawthorn", kHawthorn, 1},
    {"Vexa Hawthorn", kHawthorn, 2},
    {"Vexa Juniper", kJuniper, 0},
    {"Vexa Juniper", kJuniper, 1},
    {"Vexa Juniper", kJuniper, 2},
    {"Vexa Larch", kLarch, 0},
    {"Vexa Larch", kLarch, 1},
    {"Vexa Larch", kLarch, 2},
    {"Vexa Maple", kMaple, 0},
    {"Vexa Maple", kMaple, 1},
    {"Vexa Maple", kMaple, 2},
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

uint32_t ModelFeatures(int model) {
    if (!ValidModel(model)) {
        return 0;
    }
    const ModelRow& row = kModels[static_cast<size_t>(model)];
    return row.features | (row.variant == 0 ? kVisLength : kVisInt);
}

bool ModelHasKey(int model, const MenuKey& row) {
    return (ModelFeatures(model) & row.feature) != 0;
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
