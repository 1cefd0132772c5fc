#include "pages/StandardPageTable.h"

#include "pages/PageLayout.h"
#include "resources/PageTemplateIds.h"
#include "settings/ModelTable.h"

#include <string>

namespace qm {
namespace {

using enum TextId;
using enum RowControls;
using enum RowLanguage;

// Models by what they have.
constexpr ModelSet kAll = kAllModels;
constexpr ModelSet kNative = Models({0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 24, 26, 29, 32, 35});
constexpr ModelSet kEmulation = kAllModels & ~kNative;
constexpr ModelSet kRibbon = ModelRange(10, 25) | ModelRange(29, 31) | ModelRange(35, 37);
constexpr ModelSet kRibbonWinding = ModelRange(10, 14) | ModelRange(20, 23);
constexpr ModelSet kSideShift = ModelRange(0, 4) | ModelRange(20, 37);
constexpr ModelSet kRewinder = ModelRange(15, 19);
constexpr ModelSet kStandby = ModelRange(0, 4) | ModelRange(24, 25);
constexpr ModelSet kStandbyTimer = ModelRange(0, 4) | ModelRange(20, 25);
constexpr ModelSet kNearEnd = ModelRange(20, 23);
constexpr ModelSet kPeel = ModelRange(0, 4) | ModelRange(15, 37);
constexpr ModelSet kModeKey = ModelRange(5, 14) | ModelRange(20, 23);
constexpr ModelSet kMenuKey = ModelRange(0, 4) | ModelRange(15, 19) | ModelRange(24, 25);
constexpr ModelSet kFeedKey = ModelRange(26, 37);
constexpr ModelSet kUsb2 = ModelRange(20, 25);
constexpr ModelSet kLan = ModelRange(2, 4) | ModelRange(24, 31);
constexpr ModelSet kOptionBoard = ModelRange(0, 25);
constexpr ModelSet kBluetooth = ModelRange(0, 4) | ModelRange(24, 25) | ModelRange(32, 37);
constexpr ModelSet kRfidModels = Models({32, 35});
constexpr ModelSet kNonStopCut = ModelRange(17, 19);
constexpr ModelSet kAutoLoading = ModelRange(2, 4);

// Per-model defaults.
// "DIRECT THERMAL" (DT, 1) on models 0-9, 26-28 and 32-34, "TT" (0) elsewhere.
constexpr ModelInts kPrintMethodDefaults = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};
// The model's own language: DM4 on native models, ZPI2 on Zebra variants, EPI2 on Eltron
// variants (list indices with and without "EPI2" at the top).
constexpr ModelInts kEmulationDefaults = {1, 0, 2, 1, 0, 1, 0, 2, 1, 0, 1, 0, 2, 1, 0, 1, 0, 2, 1,
                                          0, 1, 0, 1, 0, 1, 0, 2, 1, 0, 2, 1, 0, 2, 1, 0, 2, 1, 0};
// "10"; "7" on the Eltron variants; "12" on models 15-18.
constexpr ModelTexts kDarknessDefaults = {
    u"10", u"10", u"10", u"10", u"7",  u"10", u"10", u"10", u"10", u"7",  u"10", u"10", u"10",
    u"10", u"7",  u"12", u"12", u"12", u"12", u"7",  u"10", u"10", u"10", u"10", u"10", u"10",
    u"10", u"10", u"7",  u"10", u"10", u"7",  u"10", u"10", u"7",  u"10", u"10", u"7"};
// "1.7" on models 0, 1 and 15-25; "1.5" on the others.
constexpr ModelTexts kSensorLevelDefaults = {
    u"1.7", u"1.7", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5",
    u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.7", u"1.7", u"1.7", u"1.7", u"1.7",
    u"1.7", u"1.7", u"1.7", u"1.7", u"1.7", u"1.7", u"1.5", u"1.5", u"1.5", u"1.5",
    u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5", u"1.5"};
// "2.80" on models 0-23; "3.00" on 24-37.
constexpr ModelTexts kPaperEndDefaults = {
    u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80",
    u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80", u"2.80",
    u"2.80", u"2.80", u"2.80", u"2.80", u"3.00", u"3.00", u"3.00", u"3.00", u"3.00", u"3.00",
    u"3.00", u"3.00", u"3.00", u"3.00", u"3.00", u"3.00", u"3.00", u"3.00"};

constexpr int kHostNameLimit = 31;

// The model's print-server name from the model table, cut to the 31 characters the Host Name
// field and the printer take (the Zebra and Eltron servers' names are longer; sent whole they
// would be refused).
struct HostNames {
    HostNames() {
        for (int m = 0; m < kModelCount; ++m) {
            names[static_cast<size_t>(m)] =
                ModelTable::PrintServerName(m).substr(0, kHostNameLimit);
            views[static_cast<size_t>(m)] = names[static_cast<size_t>(m)];
        }
    }
    std::array<std::u16string, kModelCount> names;
    ModelTexts views{};
};
const HostNames kHostNames;

constexpr int kSpeed4Ips = 2;
constexpr int kTear = 1;
constexpr int kInch = 1; // Metric/Inch: MM, INCH
constexpr int kSymbolSetPc = 23;
constexpr int kBuzzerAll = 1;
constexpr int kControlStd = 1;
constexpr int kAutoDetectOff = 1;
constexpr int kBackfeed = 1;
constexpr int kBaud9600 = 2;
constexpr int kEightBits = 1;

constexpr std::u16string_view kNoIpv6 = u"0000:0000:0000:0000:0000:0000:0000:0000";
constexpr uint32_t kIpv6 = kItemIpv6;
constexpr uint32_t kComma = kItemRefuseComma;
constexpr uint32_t kRfid = kItemRfid;

// clang-format off
constexpr PageRow kRows[] = {
// group                  text                         key                           controls    unit     limit spin       models         language        defaults        INCH reset MM reset flags
{kStdGlobalConfig,        kConfigSet,                  "GLOBAL CONFIG",              kList,      u"",     0,  {},          kAll},
{kStdPageSetup,           kStdPrintSpeed,              "PRINT SPEED",                kList,      u"",     0,  {},          kAll,          kAny,           Pick(kSpeed4Ips)},
{kStdPageSetup,           kStdPrintDarkness,           "PRINT DARKNESS",             kTextSpin,  u"",     2,  {0, 30},     kAll,          kAny,           TextBy(kDarknessDefaults)},
{kStdPageSetup,           kStdDarknessAdjust,          "DARKNESS ADJUST",            kTextSpin,  u"",     3,  {-10, 10},   kAll,          kAny,           Text(u"0")},
{kStdPageSetup,           kStdPrintMethod,             "PRINT METHOD",               kList,      u"",     0,  {},          kRibbon,       kAny,           PickBy(kPrintMethodDefaults)},
{kStdPageSetup,           kStdRibbonWindingDirection,  "RIBBON WINDING DIRECTION",   kList,      u"",     0,  {},          kRibbonWinding},
{kStdPageSetup,           kStdContinuousMediaLength,   "CONTINUOUS MEDIA LENGTH",    kTextUnits, u"",     6,  {},          kAll,          kAny,           Text(u"4.00"),  u"4.00",  u"101.6"},
{kStdPageSetup,           kStdVerticalPosition,        "VERTICAL POSITION",          kTextUnits, u"",     5,  {},          kAll,          kAny,           Text(u"0.00")},
{kStdPageSetup,           kStdHorizontalShift,         "HORIZONTAL SHIFT",           kTextUnits, u"",     5,  {},          kAll,          kAny,           Text(u"0.00")},
{kStdPageSetup,           kStdVerticalImageShift,      "VERTICAL IMAGE SHIFT",       kTextUnits, u"",     5,  {},          kNative,       kAny,           Text(u"0.00")},
{kStdPageSetup,           kStdVerticalImageShiftDots,  "VERTICAL IMAGE SHIFT",       kTextSpin,  u"DOTS", 4,  {-120, 120}, kEmulation,    kAny,           Text(u"000")},
{kStdPageSetup,           kStdAutoSideShift,           "AUTO SIDE SHIFT",            kTextSpin,  u"DOTS", 2,  {0, 15},     kSideShift,    kAny,           Text(u"0")},
{kStdPageSetup,           kStdSensorSelect,            "SENSOR SELECT",              kList,      u"",     0,  {},          kRewinder},
{kStdPageSetup,           kStdMediaSensor,             "MEDIA SENSOR",               kList,      u"",     0,  {},          kAll},
{kStdPageSetup,           kStdSmallMediaAdjustment,    "SMALL MEDIA ADJUSTMENT",     kList,      u"",     0,  {},          kAll},
{kStdPageSetup,           kStdSmallMediaLength,        "SMALL MEDIA LENGTH",         kTextUnits, u"",     4,  {},          kAll,          kAny,           Text(u"1.00"),  u"1.00",  u"25.4"},
{kStdPageSetup,           kStdSymbolSet,               "SYMBOL SET",                 kList,      u"",     0,  {},          kAll,          kAny,           Pick(kSymbolSetPc)},
{kStdPageSetup,           kStdTopFormSensor,           "TOP FORM SENSOR",            kList,      u"",     0,  {},          Models({0}),   kJapaneseOnly},
{kStdPageSetup,           kStdTopFormLength,           "TOP FORM LENGTH",            kTextUnits, u"",     5,  {},          Models({0}),   kJapaneseOnly,  Text(u"1.38"),  u"1.38",  u"35.0"},
{kStdSystemSetup,         kStdSensorLevel,             "SENSOR LEVEL",               kText,      u"V",    3,  {},          kAll,          kAny,           TextBy(kSensorLevelDefaults)},
{kStdSystemSetup,         kStdPaperEndLevel,           "PAPER END LEVEL",            kText,      u"V",    4,  {},          kAll,          kAny,           TextBy(kPaperEndDefaults)},
{kStdSystemSetup,         kStdErrorReporting,          "ERROR REPORTING",            kList,      u"",     0,  {},          kAll},
{kStdSystemSetup,         kStdCoverOpenSensor,         "COVER OPEN SENSOR",          kList,      u"",     0,  {},          kRewinder},
{kStdSystemSetup,         kStdBuzzerSelect,            "BUZZER SELECT",              kList,      u"",     0,  {},          kAll,          kAny,           Pick(kBuzzerAll)},
{kStdSystemSetup,         kStdMetricInch,              "METRIC/INCH",                kList,      u"",     0,  {},          kAll,          kAny,           Pick(kInch)},
{kStdSystemSetup,         kStdMaxMediaLength,          "MAX MEDIA LENGTH",           kTextUnits, u"",     6,  {},          kAll,          kAny,           Text(u"10.00"), u"10.00", u"254.0"},
{kStdSystemSetup,         kStdSettingsLock,            "SETTINGS LOCK",              kList,      u"",     0,  {},          kAll},
{kStdSystemSetup,         kStdKeyboardLock,            "KEYBOARD LOCK",              kList,      u"",     0,  {},          kAll},
{kStdSystemSetup,         kStdStandbyMode,             "STANDBY MODE",               kList,      u"",     0,  {},          kStandby},
{kStdSystemSetup,         kStdStandbyTimer,            "STANDBY TIMER",              kTextSpin,  u"MIN",  4,  {1, 1440},   kStandbyTimer, kAny,           Text(u"5")},
{kStdSystemSetup,         kStdPaperNearEndStatus,      "PAPER NEAR END STATUS",      kList,      u"",     0,  {},          kNearEnd},
{kStdSystemSetup,         kStdPaperNearEndAlarm,       "PAPER NEAR END ALARM",       kList,      u"",     0,  {},          kNearEnd},
{kStdSystemSetup,         kStdControlCode,             "CONTROL CODE",               kList,      u"",     0,  {},          kNative,       kAny,           Pick(kControlStd)},
{kStdSystemSetup,         kStdEmulationSelect,         "EMULATION SELECT",           kList,      u"",     0,  {},          kAll,          kAny,           PickBy(kEmulationDefaults)},
{kStdSystemSetup,         kStdEmulationAutoDetect,     "EMULATION AUTO DETECT",      kList,      u"",     0,  {},          kAll,          kAny,           Pick(kAutoDetectOff)},
{kStdSystemSetup,         kStdMediaPowerUp,            "MEDIA POWER UP",             kList,      u"",     0,  {},          kEmulation},
{kStdSystemSetup,         kStdCiLock,                  "CI LOCK",                    kList,      u"",     0,  {},          kEmulation},
{kStdAfterPrintSetup,     kStdAutoconfigure,           "AUTOCONFIGURE",              kList,      u"",     0,  {},          kAll},
{kStdAfterPrintSetup,     kStdFunctionSelect,          "FUNCTION SELECT",            kList,      u"",     0,  {},          kAll,          kAny,           Pick(kTear)},
{kStdAfterPrintSetup,     kStdCutterType,              "CUTTER TYPE",                kList,      u"",     0,  {},          kRewinder},
{kStdAfterPrintSetup,     kStdCutterAction,            "CUTTER ACTION",              kList,      u"",     0,  {},          kAll,          kAny,           Pick(kBackfeed)},
{kStdAfterPrintSetup,     kStdRewinderAutoOnline,      "REWINDER AUTO ONLINE",       kList,      u"",     0,  {},          kRewinder},
{kStdAfterPrintSetup,     kStdRewinderAutoOnlineDelay, "REWINDER AUTO ONLINE DELAY", kTextSpin,  u"SEC",  2,  {1, 10},     kRewinder,     kAny,           Text(u"2")},
{kStdAfterPrintSetup,     kStdRewinderTorque,          "REWINDER TORQUE",            kTextSpin,  u"",     1,  {1, 7},      kRewinder,     kAny,           Text(u"4")},
{kStdAfterPrintSetup,     kStdPeelWaitDelay,           "PEEL WAIT DELAY",            kText,      u"SEC",  3,  {},          kPeel,         kAny,           Text(u"0.1")},
{kStdAfterPrintSetup,     kStdPaperPosition,           "PAPER POSITION",             kTextUnits, u"",     5,  {},          kAll,          kAny,           Text(u"0.00")},
{kStdAfterPrintSetup,     kStdModeRepeatKey,           "MODE/REPEAT KEY",            kList,      u"",     0,  {},          kModeKey},
{kStdAfterPrintSetup,     kStdMenuKeyAction,           "MENU KEY ACTION",            kList,      u"",     0,  {},          kMenuKey},
{kStdAfterPrintSetup,     kStdFeedKeyAction,           "FEED KEY ACTION",            kList,      u"",     0,  {},          kFeedKey},
{kStdInterfaceMenu,       kStdUsbDeviceClass,          "USB DEVICE CLASS",           kList,      u"",     0,  {},          kAll},
{kStdInterfaceMenu,       kStdUsbVcomProtocol,         "USB VCOM PROTOCOL",          kList,      u"",     0,  {},          kAll},
{kStdInterfaceMenu,       kStdUsb2HighSpeed,           "USB 2 HIGH SPEED",           kList,      u"",     0,  {},          kUsb2},
{kStdInterfaceMenu,       kStdIpv4Address,             "IPV4 ADDRESS",               kAddress,   u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdIpv4SubnetMask,          "IPV4 SUBNET MASK",           kAddress,   u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdIpv4Gateway,             "IPV4 GATEWAY",               kAddress,   u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdIpv4Dhcp,                "IPV4 DHCP",                  kList,      u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdHostName,                "HOST NAME",                  kText,      u"",     31, {},          kLan,          kAny,           TextBy(kHostNames.views)},
{kStdInterfaceMenu,       kStdPortNumber,              "PORT NUMBER",                kText,      u"",     5,  {},          kLan,          kAny,           Text(u"9100")},
{kStdInterfaceMenu,       kStdTimeout,                 "TIMEOUT",                    kTextSpin,  u"SEC",  3,  {0, 300},    kLan,          kAny,           Text(u"60")},
{kStdInterfaceMenu,       kStdTimeoutAction,           "TIMEOUT ACTION",             kList,      u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdSendBufferData,          "SEND BUFFER DATA",           kList,      u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdIpv6,                    "IPV6",                       kList,      u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdIpv6FixedAddress,        "IPV6 FIXED ADDRESS",         kList,      u"",     0,  {},          kLan},
{kStdInterfaceMenu,       kStdIpv6Address,             "IPV6 ADDRESS",               kText,      u"",     39, {},          kLan,          kAny,           Text(kNoIpv6),  u"",      u"",     kIpv6},
{kStdInterfaceMenu,       kStdIpv6PrefixLength,        "IPV6 PREFIX LENGTH",         kText,      u"",     39, {},          kLan,          kAny,           Text(u"64")},
{kStdInterfaceMenu,       kStdIpv6Gateway,             "IPV6 GATEWAY",               kText,      u"",     39, {},          kLan,          kAny,           Text(kNoIpv6),  u"",      u"",     kIpv6},
{kStdOptionInterfaceMenu, kStdRs232cBaud,              "RS-232C BAUD",               kList,      u"",     0,  {},          kAll,          kAny,           Pick(kBaud9600)},
{kStdOptionInterfaceMenu, kStdRs232cParity,            "RS-232C PARITY",             kList,      u"",     0,  {},          kAll},
{kStdOptionInterfaceMenu, kStdRs232cLength,            "RS-232C LENGTH",             kList,      u"",     0,  {},          kAll,          kAny,           Pick(kEightBits)},
{kStdOptionInterfaceMenu, kStdRs232cStopBit,           "RS-232C STOP BIT",           kList,      u"",     0,  {},          kAll},
{kStdOptionInterfaceMenu, kStdRs232cXon,               "RS-232C X-ON",               kList,      u"",     0,  {},          kAll},
{kStdOptionInterfaceMenu, kStdIeee1284,                "IEEE1284",                   kList,      u"",     0,  {},          kOptionBoard},
{kStdOptionInterfaceMenu, kStdWebMonitor,              "WEB MONITOR",                kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdNetworkAddress,          "NETWORK ADDRESS",            kAddress,   u"",     0,  {},          kOptionBoard},
{kStdOptionInterfaceMenu, kStdSubnetMask,              "SUBNET MASK",                kAddress,   u"",     0,  {},          kOptionBoard},
{kStdOptionInterfaceMenu, kStdGatewayAddress,          "GATEWAY ADDRESS",            kAddress,   u"",     0,  {},          kOptionBoard},
{kStdOptionInterfaceMenu, kStdBootp,                   "BOOTP",                      kList,      u"",     0,  {},          kOptionBoard},
{kStdOptionInterfaceMenu, kStdDhcp,                    "DHCP",                       kList,      u"",     0,  {},          kOptionBoard},
{kStdOptionInterfaceMenu, kStdWlanMode,                "WLAN MODE",                  kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanChannel,             "WLAN CHANNEL",               kTextSpin,  u"",     2,  {1, 14},     kOptionBoard,  kNotInJapanese, Text(u"1")},
{kStdOptionInterfaceMenu, kStdWlanSsid,                "WLAN SSID",                  kText,      u"",     32, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanEncryption,          "WLAN ENCRYPTION",            kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanWepKeyId,            "WLAN WEP KEY ID",            kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanWepKey1,             "WLAN WEP KEY 1",             kText,      u"",     28, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanWepKey2,             "WLAN WEP KEY 2",             kText,      u"",     28, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanWepKey3,             "WLAN WEP KEY 3",             kText,      u"",     28, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanWepKey4,             "WLAN WEP KEY 4",             kText,      u"",     28, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdWlanPsk,                 "WLAN PSK",                   kText,      u"",     63, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdEapAuthentication,       "EAP AUTHENTICATION",         kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdEapUserName,             "EAP USER NAME",              kText,      u"",     64, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdEapPassword,             "EAP PASSWORD",               kText,      u"",     64, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdEapPeapFastOption,       "EAP PEAP/FAST OPTION",       kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdEapInnerAuthentication,  "EAP INNER AUTHENTICATION",   kList,      u"",     0,  {},          kOptionBoard,  kNotInJapanese, {},             {},       {},      kItemWideList},
{kStdOptionInterfaceMenu, kStdEapAnonymousName,        "EAP ANONYMOUS NAME",         kText,      u"",     64, {},          kOptionBoard,  kNotInJapanese},
{kStdOptionInterfaceMenu, kStdBtSecurity,              "BT SECURITY",                kList,      u"",     0,  {},          kBluetooth},
{kStdOptionInterfaceMenu, kStdBtConnection,            "BT CONNECTION",              kList,      u"",     0,  {},          kBluetooth},
{kStdOptionInterfaceMenu, kStdBtDiscoverable,          "BT DISCOVERABLE",            kList,      u"",     0,  {},          kBluetooth},
{kStdOptionInterfaceMenu, kStdBtIosReconnect,          "BT IOS RECONNECT",           kList,      u"",     0,  {},          kBluetooth},
{kStdOptionInterfaceMenu, kStdBtPinCode,               "BT PIN CODE",                kText,      u"",     16, {},          kBluetooth,    kAny,           Text(u"0000"),  u"",      u"",     kComma},
{kStdOptionInterfaceMenu, kStdBtDeviceName,            "BT DEVICE NAME",             kText,      u"",     31, {},          kBluetooth,    kAny,           {},             u"",      u"",     kComma},
{kStdRfid,                kStdRfidSettings,            "RFID SETTINGS",              kList,      u"",     0,  {},          kRfidModels,   kAny,           {},             u"",      u"",     kRfid},
{kStdRfid,                kStdRfidCalibBasePosition,   "RFID CALIB BASE POSITION",   kTextUnits, u"",     5,  {},          kRfidModels,   kAny,           Text(u"0.66"),  u"0.66",  u"16.8", kRfid},
{kStdRfid,                kStdRfidFixedPosition,       "RFID FIXED POSITION",        kTextUnits, u"",     5,  {},          kRfidModels,   kAny,           Text(u"0.66"),  u"0.66",  u"16.8", kRfid},
{kStdRfid,                kStdRfidFixedPower,          "RFID FIXED POWER",           kText,      u"dBm",  5,  {},          kRfidModels,   kAny,           Text(u"6"),     u"",      u"",     kRfid},
{kStdRfid,                kStdRfidNgMarkPosition,      "RFID NG MARK POSITION",      kTextUnits, u"",     5,  {},          kRfidModels,   kAny,           Text(u"0.12"),  u"0.12",  u"3.0",  kRfid},
{kStdRfid,                kStdRfidNgMarkWidth,         "RFID NG MARK WIDTH",         kTextUnits, u"",     5,  {},          kRfidModels,   kAny,           Text(u"1.85"),  u"1.85",  u"47.0", kRfid},
{kStdRfid,                kStdRfidNgMarkHeight,        "RFID NG MARK HEIGHT",        kTextUnits, u"",     5,  {},          kRfidModels,   kAny,           Text(u"0.98"),  u"0.98",  u"25.0", kRfid},
{kStdRfid,                kStdRfidNgMarkThickness,     "RFID NG MARK THICKNESS",     kTextUnits, u"",     4,  {},          kRfidModels,   kAny,           Text(u"0.04"),  u"0.04",  u"1.0",  kRfid},
{kStdAfterPrintSetup,     kStdNonStopCut,              "NON-STOP CUT",               kList,      u"",     0,  {},          kNonStopCut},
{kStdPageSetup,           kStdAutoLoading,             "AUTO LOADING",               kList,      u"",     0,  {},          kAutoLoading},
{kStdPageSetup,           kStdAutoLoadingPos,          "AUTO LOADING POS",           kTextUnits, u"",     5,  {},          kAutoLoading,  kAny,           Text(u"0.00")},
{kStdPageSetup,           kStdBackfeedToTof,           "BACKFEED TO TOF",            kList,      u"",     0,  {},          kAutoLoading},
{kStdPageSetup,           kStdAutoSmallMeasure,        "AUTO SMALL MEASURE",         kList,      u"",     0,  {},          kAutoLoading},
{kStdInterfaceMenu,       kStdUsbHostEnable,           "USB HOST ENABLE",            kList,      u"",     0,  {},          kAutoLoading},
};
// clang-format on

static_assert(std::size(kRows) == kStandardRowCount);

// Row r uses the texts of Standard row r.
constexpr bool RowsFollowTheirTexts() {
    for (int r = 0; r < kStandardRowCount; ++r) {
        if (kRows[r].text != StandardRowText(r)) {
            return false;
        }
    }
    return true;
}
static_assert(RowsFollowTheirTexts());

std::vector<ui::ControlTemplate> LayOut() {
    LayoutMetrics metrics;
    PageLayout layout(metrics);
    for (int g = 0; g < kStdGroupCount; ++g) {
        layout.BeginGroup(StandardPageTable::GroupId(g),
                          TextTable::Caption(TextId::kStdGroups, UiLanguage::kEnglish, g));
        for (int r = 0; r < kStandardRowCount; ++r) {
            if (kRows[r].group == g) {
                layout.AddRow(r, kRows[r]);
            }
        }
        if (g == kStdRfid) {
            for (int line = 0; line < StandardPageTable::kRfidResultLines; ++line) {
                layout.AddTextLine(
                    StandardPageTable::RfidResultCaptionId(line),
                    TextTable::Caption(TextId::kStdRfidResults, UiLanguage::kEnglish, line),
                    StandardPageTable::RfidResultId(line));
            }
        }
        layout.EndGroup();
    }
    return layout.Controls();
}

} // namespace

std::span<const PageRow> StandardPageTable::Rows() {
    return kRows;
}

std::span<const PageItemData> StandardPageTable::Items() {
    static const std::vector<PageItemData> items =
        BuildPageItems(kRows, 0, SettingsRecord::kStandardEntryCount);
    return items;
}

const ui::DialogTemplate& StandardPageTable::Template() {
    static const std::vector<ui::ControlTemplate> controls = LayOut();
    static const ui::DialogTemplate dialog{
        kTemplateId, u"", res::kPageWidth, res::kPageHeight, ui::kDialogChild | ui::kDialogVScroll,
        controls};
    return dialog;
}

} // namespace qm
