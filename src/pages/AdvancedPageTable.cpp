#include "pages/AdvancedPageTable.h"

#include "pages/PageLayout.h"
#include "resources/PageTemplateIds.h"
#include "settings/SettingsRecord.h"

namespace qm {
namespace {

using enum TextId;
using enum RowControls;
using enum RowLanguage;

// Models by what they have.
constexpr ModelSet kAll = kAllModels;
constexpr ModelSet kThroughReflect = ModelRange(0, 14) | ModelRange(20, 37);
constexpr ModelSet kFixAdj = ModelRange(15, 19);
constexpr ModelSet kFixReflect = Models({0}) | ModelRange(15, 19);
constexpr ModelSet kCalLevels = ModelRange(0, 14) | ModelRange(20, 23);
constexpr ModelSet kAdjCalLevels = ModelRange(15, 19) | ModelRange(24, 37);
constexpr ModelSet kRibbon = ModelRange(10, 25) | ModelRange(29, 31) | ModelRange(35, 37);
constexpr ModelSet kHeadCheck = ModelRange(0, 25) | ModelRange(32, 37);
constexpr ModelSet kParallel = ModelRange(0, 25);
constexpr ModelSet kRibbon2 = ModelRange(29, 31) | ModelRange(35, 37);
constexpr ModelSet kNewDesktop = ModelRange(26, 37);
constexpr ModelSet kNetwork = ModelRange(24, 37);
constexpr ModelSet kType1 =
    ModelRange(2, 4) | ModelRange(7, 9) | ModelRange(12, 14) | ModelRange(17, 19);
constexpr ModelSet kTof = ModelRange(2, 4);
constexpr ModelSet kRfidModels = Models({32, 35});

// Machine Horizontal Pos: "8"; "0" on models 20-23.
constexpr ModelTexts kHorizontalDefaults = {
    u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8",
    u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"0", u"0", u"0", u"0", u"8", u"8",
    u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8"};
// Head Check Stop Position: "848"; "1344" on models 20-21, "1984" on 22-23, "832" on 32-37.
constexpr ModelTexts kHeadStopDefaults = {
    u"848",  u"848",  u"848",  u"848",  u"848", u"848", u"848", u"848", u"848", u"848",
    u"848",  u"848",  u"848",  u"848",  u"848", u"848", u"848", u"848", u"848", u"848",
    u"1344", u"1344", u"1984", u"1984", u"848", u"848", u"848", u"848", u"848", u"848",
    u"848",  u"848",  u"832",  u"832",  u"832", u"832", u"832", u"832"};
// Ribbon End Detection "NORMAL": index 1 behind "QUICK" on models 10-14 and 20-23, else 0.
constexpr ModelInts kRibbonEndDefaults = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0,
                                          0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Head-check resolution: "300dpi" (1) on models 22 and 23, "203dpi" (0) elsewhere.
constexpr ModelInts kResolutionDefaults = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr RowDefaults kStartDefaults{0, &kResolutionDefaults, u"1", nullptr};
constexpr RowDefaults kStopDefaults{0, &kResolutionDefaults, {}, &kHeadStopDefaults};

constexpr int kMedium = 1;
constexpr uint32_t kMetric = kItemChoiceToMetric;
constexpr uint32_t kSecond = kItemChoiceToSecond;
constexpr uint32_t kRfid = kItemRfid;

// clang-format off
constexpr PageRow kRows[] = {
// group text                     key                            controls       unit     limit spin        models           language       defaults        INCH reset MM reset flags
{0, kAdvThroughSensorPosition,    "THROUGH SENSOR POSITION",     kTextSpin,     u"DOTS", 4,  {-256, 2},    kThroughReflect, kAny,          Text(u"0")},
{0, kAdvReflectSensorPosition,    "REFLECT SENSOR POSITION",     kTextSpin,     u"DOTS", 4,  {-256, 2},    kThroughReflect, kAny,          Text(u"0")},
{0, kAdvFixThroughSensorPosition, "THROUGH SENSOR POSITION",     kTextSpin,     u"DOTS", 4,  {-256, 2},    kFixAdj,         kAny,          Text(u"0")},
{0, kAdvFixReflectSensorPosition, "REFLECT SENSOR POSITION",     kTextSpin,     u"DOTS", 4,  {-256, 2},    kFixReflect,     kAny,          Text(u"0")},
{0, kAdvAdjThroughSensorPosition, "ADJ THROUGH SENSOR POSITION", kTextSpin,     u"DOTS", 4,  {-256, 2},    kFixAdj,         kAny,          Text(u"0")},
{0, kAdvAdjReflectSensorPosition, "ADJ REFLECT SENSOR POSITION", kTextSpin,     u"DOTS", 4,  {-256, 2},    kFixAdj,         kAny,          Text(u"0")},
{0, kAdvMachineTearPosition,      "MACH TEAR POS",               kTextSpin,     u"DOTS", 4,  {-256, 2},    kAll,            kAny,          Text(u"0")},
{0, kAdvMachineCutPosition,       "MACH CUT POS",                kTextSpin,     u"DOTS", 4,  {-256, 2},    kAll,            kAny,          Text(u"0")},
{0, kAdvMachinePeelPosition,      "MACH PEEL POS",               kTextSpin,     u"DOTS", 4,  {-256, 2},    kAll,            kAny,          Text(u"0")},
{0, kAdvMachineHorizontalPos,     "MACH HOR POS",                kTextSpin,     u"DOTS", 3,  {-16, 32},    kAll,            kAny,          TextBy(kHorizontalDefaults)},
{0, kAdvAutoCalMode,              "AUTOCAL MODE",                kList,         u"",     0,  {},           kAll},
{0, kAdvSeeThroughSensor,         "SEE THROUGH SENSOR",          kText,         u"V",    3,  {},           kThroughReflect, kAny,          Text(u"0.0")},
{0, kAdvReflectSensor,            "REFLECT SENSOR",              kText,         u"V",    3,  {},           kThroughReflect, kAny,          Text(u"0.0")},
{0, kAdvFixThroughSensor,         "SEE THROUGH SENSOR",          kText,         u"V",    3,  {},           kFixAdj,         kAny,          Text(u"0.0")},
{0, kAdvFixReflectSensor,         "REFLECT SENSOR",              kText,         u"V",    3,  {},           kFixReflect,     kAny,          Text(u"0.0")},
{0, kAdvAdjThroughSensor,         "ADJ THROUGH SENSOR",          kText,         u"V",    3,  {},           kFixAdj,         kAny,          Text(u"0.0")},
{0, kAdvAdjReflectSensor,         "ADJ REFLECT SENSOR",          kText,         u"V",    3,  {},           kFixAdj,         kAny,          Text(u"0.0")},
{0, kAdvSeeThroughSensitivity,    "SEETHROUGH SENSITIVITY",      kList,         u"",     0,  {},           kThroughReflect, kAny,          Pick(kMedium)},
{0, kAdvReflectSensitivity,       "REFLECT SENSITIVITY",         kList,         u"",     0,  {},           kThroughReflect, kAny,          Pick(kMedium)},
{0, kAdvFixReflectSensitivity,    "FIX REFLECT SENSITIVITY",     kList,         u"",     0,  {},           Models({0}),     kJapaneseOnly, Pick(kMedium)},
{0, kAdvThroughCalLevel,          "ADJ THROUGH CAL LEVEL",       kText,         u"V",    4,  {},           kCalLevels,      kAny,          Text(u"2.30")},
{0, kAdvReflectCalLevel,          "ADJ REFLECT CAL LEVEL",       kText,         u"V",    4,  {},           kCalLevels,      kAny,          Text(u"2.10")},
{0, kAdvSensNoneCalLevel,         "ADJ SENSNONE CAL LEVEL",      kText,         u"V",    4,  {},           kCalLevels,      kAny,          Text(u"2.05")},
{0, kAdvFixThroughCalLevel,       "FIX THROUGH CAL LEVEL",       kText,         u"V",    4,  {},           kFixAdj,         kAny,          Text(u"2.30")},
{0, kAdvFixReflectCalLevel,       "FIX REFLECT CAL LEVEL",       kText,         u"V",    4,  {},           kFixAdj,         kAny,          Text(u"2.10")},
{0, kAdvFixSensNoneCalLevel,      "FIX SENSNONE CAL LEVEL",      kText,         u"V",    4,  {},           kFixAdj,         kAny,          Text(u"2.05")},
{0, kAdvAdjThroughCalLevel,       "ADJ THROUGH CAL LEVEL",       kText,         u"V",    4,  {},           kAdjCalLevels,   kAny,          Text(u"2.30")},
{0, kAdvAdjReflectCalLevel,       "ADJ REFLECT CAL LEVEL",       kText,         u"V",    4,  {},           kAdjCalLevels,   kAny,          Text(u"2.10")},
{0, kAdvAdjSensNoneCalLevel,      "ADJ SENSNONE CAL LEVEL",      kText,         u"V",    4,  {},           kAdjCalLevels,   kAny,          Text(u"2.05")},
{0, kAdvDarknessRate,             "DARKNESS RATE",               kList,         u"",     0,  {},           kAll},
{0, kAdvDoubleHeat,               "DOUBLE HEAT MENU",            kList,         u"",     0,  {},           kAll},
{0, kAdvTtHotHeatrateAdjust,      "TT HOT HEATRATE ADJUST",      kText,         u"%",    4,  {},           kRibbon,         kAny,          Text(u"0.0")},
{0, kAdvTtColdHeatrateAdjust,     "TT COLD HEATRATE ADJUST",     kText,         u"%",    4,  {},           kRibbon,         kAny,          Text(u"0.0")},
{0, kAdvDtHotHeatrateAdjust,      "DT HOT HEATRATE ADJUST",      kText,         u"%",    4,  {},           kAll,            kAny,          Text(u"0.0")},
{0, kAdvDtColdHeatrateAdjust,     "DT COLD HEATRATE ADJUST",     kText,         u"%",    4,  {},           kAll,            kAny,          Text(u"0.0")},
{0, kAdvPowerOnHeadCheck,         "POWERON HEAD CHECK",          kList,         u"",     0,  {},           kHeadCheck},
{0, kAdvHeadCheckStartPosition,   "HEAD CHECK START POS",        kListTextSpin, u"",     4,  {1, 848},     kHeadCheck,      kAny,          kStartDefaults, u"",     u"",     kMetric},
{0, kAdvHeadCheckStopPosition,    "HEAD CHECK STOP POS",         kListTextSpin, u"",     4,  {1, 848},     kHeadCheck,      kAny,          kStopDefaults,  u"",     u"",     kMetric},
{0, kAdvRibbonEndDetection,       "RIBBON END DETECTION",        kList,         u"",     0,  {},           kRibbon,         kAny,          PickBy(kRibbonEndDefaults)},
{0, kAdvParallelErrorOutput,      "PARALLEL ERROR OUTPUT",       kList,         u"",     0,  {},           kParallel},
{0, kAdvTopFormSensing,           "TOP FORM SENSING",            kList,         u"",     0,  {},           kAll},
{0, kAdvUsbSerialNumber,          "USB SERIAL NUMBER",           kListText,     u"",     32, {},           kAll,            kAny,          {},             u"",     u"",     kSecond},
{0, kAdvAutoExecPrint,            "AUTO EXEC PRINT",             kList,         u"",     0,  {},           kAll},
{0, kAdvConfigPrintLayout,        "CONFIG PRINT LAYOUT",         kList,         u"",     0,  {},           kAll},
{0, kAdvHeadCleanMessage,         "HEAD CLEAN MESSAGE",          kTextSpin,     u"M",    7,  {0, 9999999}, kAll,            kAny,          Text(u"0")},
{0, kAdvPrintPreference,          "PRINT PREFERENCE",            kList,         u"",     0,  {},           kAll},
{0, kAdvTtHotHeatrateAdjust2,     "TT HOT HEATRATE ADJUST 2",    kText,         u"%",    4,  {},           kRibbon2,        kAny,          Text(u"0.0")},
{0, kAdvTtColdHeatrateAdjust2,    "TT COLD HEATRATE ADJUST 2",   kText,         u"%",    4,  {},           kRibbon2,        kAny,          Text(u"0.0")},
{0, kAdvDtHotHeatrateAdjust2,     "DT HOT HEATRATE ADJUST 2",    kText,         u"%",    4,  {},           kNewDesktop,     kAny,          Text(u"0.0")},
{0, kAdvDtColdHeatrateAdjust2,    "DT COLD HEATRATE ADJUST 2",   kText,         u"%",    4,  {},           kNewDesktop,     kAny,          Text(u"0.0")},
{0, kAdvHeadCheckPatternPrint,    "HEAD CHECK PATTERN PRINT",    kList,         u"",     0,  {},           kNewDesktop},
{0, kAdvHeadCheckPatternWid,      "HEAD CHECK PATTERN WIDTH",    kListTextSpin, u"",     4,  {1, 832},     kNewDesktop,     kAny,          Text(u"832"),   u"",     u"",     kMetric},
{0, kAdvSnmp,                     "SNMP",                        kList,         u"",     0,  {},           kNetwork},
{0, kAdvHtml,                     "HTML",                        kList,         u"",     0,  {},           kNetwork},
{0, kAdvType1Mode,                "TYPE 1 MODE",                 kList,         u"",     0,  {},           kType1},
{0, kAdvOnlineSettingMode,        "ONLINE SETTING MODE",         kList,         u"",     0,  {},           kNewDesktop},
{0, kAdvTofSensorPosition,        "TOF SENSOR POSITION",         kTextSpin,     u"DOTS", 4,  {-256, 2},    kTof,            kAny,          Text(u"0")},
{0, kAdvTofSensor,                "TOF SENSOR",                  kText,         u"V",    0,  {},           kTof,            kAny,          Text(u"0.0")},
{0, kAdvTofSensorSensitivity,     "TOF SENSITIVITY",             kList,         u"",     0,  {},           kTof,            kAny,          Pick(kMedium)},
{0, kAdvTofSensorCalLevel,        "TOF CAL LEVEL",               kText,         u"V",    4,  {},           kTof,            kAny,          Text(u"2.50")},
{0, kAdvBackfeedToTofMenu,        "BACKFEED TO TOF MENU",        kList,         u"",     0,  {},           kTof},
{0, kAdvAutoLdSmallLabelLength,   "AUTO LOADING LEN",            kTextUnits,    u"",     4,  {},           kTof,            kAny,          Text(u"0.00")},
{0, kAdvAutoLdSmallLabelGap,      "AUTO LOADING GAP",            kTextUnits,    u"",     4,  {},           kTof,            kAny,          Text(u"0.00")},
{0, kAdvRfidAntennaPosition,      "RFID ANTENNA POSITION",       kTextUnits,    u"",     5,  {},           kRfidModels,     kAny,          Text(u"0.73"),  u"0.73", u"18.5", kRfid},
{0, kAdvRfidReverseMediaLength,   "RFID REVERSE MEDIA LENGTH",   kTextUnits,    u"",     5,  {},           kRfidModels,     kAny,          Text(u"0.00"),  u"",     u"",     kRfid},
};
// clang-format on

static_assert(std::size(kRows) == kAdvancedRowCount);

// Row r uses the texts of Advanced row r.
constexpr bool RowsFollowTheirTexts() {
    for (int r = 0; r < kAdvancedRowCount; ++r) {
        if (kRows[r].text != AdvancedRowText(r)) {
            return false;
        }
    }
    return true;
}
static_assert(RowsFollowTheirTexts());

std::vector<ui::ControlTemplate> LayOut() {
    LayoutMetrics metrics;
    metrics.captionWidth = 94;
    metrics.pitch = 15;
    PageLayout layout(metrics);
    layout.BeginGroup(AdvancedPageTable::kGroupId,
                      TextTable::Caption(TextId::kAdvFactoryMode, UiLanguage::kEnglish));
    for (int r = 0; r < kAdvancedRowCount; ++r) {
        layout.AddRow(r, kRows[r]);
    }
    layout.EndGroup();
    return layout.Controls();
}

} // namespace

std::span<const PageRow> AdvancedPageTable::Rows() {
    return kRows;
}

std::span<const PageItemData> AdvancedPageTable::Items() {
    static const std::vector<PageItemData> items = BuildPageItems(
        kRows, SettingsRecord::kStandardEntryCount, SettingsRecord::kWritableEntryCount);
    return items;
}

const ui::DialogTemplate& AdvancedPageTable::Template() {
    static const std::vector<ui::ControlTemplate> controls = LayOut();
    static const ui::DialogTemplate dialog{
        kTemplateId, u"", res::kPageWidth, res::kPageHeight, ui::kDialogChild | ui::kDialogVScroll,
        controls};
    return dialog;
}

} // namespace qm
