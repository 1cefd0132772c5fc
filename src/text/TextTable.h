#pragma once

#include "text/TextRow.h"
#include "text/UiLanguage.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Entries of the text directory: one per captioned control or setting. Each entry has up to
// three groups of short rows: captions, choices (the entries of a list, in list order) and units
// (the entries of a unit list, or the fixed unit label beside a field). A group may be empty.
// The comment after each entry lists its groups as C captions, L choices, U units.
//
// The main window comes first (by control id), then the COM Settings dialog, then the Config
// Set shared by the Standard and Sensor Adjustment pages, then one entry per Standard page row
// in row order (so kConfigSet + row is the entry of Standard row 0..113), the Standard page's
// group boxes, then the Easy, Advanced (in row order: kAdvThroughSensorPosition + row for rows
// 0..64), Information, Sensor Adjustment, Print Test pages and the Self Information dialog.
//
// Lists of values that the printer itself spells ("CONFIG SET 1", "6 IPS", "INCH") read the same
// in every language; captions and the lists the description translates differ per language.
enum class TextId : int {
    // --- Main window ---
    kMainTabs,            // C6: "Easy", "Standard", "Advanced", "Information",
                          //     "Sensor Adjustment", "Print Test" (tab items 0..5)
    kMainCheckAll,        // C1: check box 190 "Check/Uncheck All Items"
    kMainPrinterModel,    // C1: label 110 "Printer Model:"
    kMainDriverName,      // C1: radio 123 "Driver Name"
    kMainDetail,          // C1: button 134 "Detail..."
    kMainIpAddress,       // C1: radio 127 "IP Address"
    kMainPortNumber,      // C1: label 122 "Port Number:"
    kMainSend,            // C2: button 172 "Send Configuration", "Start Sensor Adjustment"
                          //     (on the Print Test tab it reads kPrintSendFile)
    kMainImport,          // C1: button 174 "Import..."
    kMainExport,          // C1: button 175 "Export..."
    kMainReceive,         // C1: button 177 "Receive";
                          // L5: combo 178 "EASY", "STANDARD", "ADVANCED", "INFORMATION", "ALL"
    kMainRestoreDefaults, // C1: button 176 "Restore Defaults"
    kMainExit,            // C1: button 173 "Exit"
    kMainLanguage, // L4: combo 1035 "English", "日本語", "简体中文", "한국어" (same in
                   //     every language)

    // --- COM Settings dialog (resource 150) ---
    kComBaudRate,    // C1: label 152 "Baud rate:"; L5: list 157 "9600" ... "115200"
    kComDataBits,    // C1: label 153 "Data bits:"; L2: list 158 "7", "8"
    kComStopBits,    // C1: label 154 "Stop bits:"; L2: list 159 "1", "2"
    kComParity,      // C1: label 155 "Parity:"; L3: list 160 "None", "Odd", "Even" (translated)
    kComFlowControl, // C1: label 156 "Flow control:";
                     // L3: list 161 "Xon/Xoff", "Hardware", "None" (translated)
    kComSettings,    // C2: dialog title "COM Settings", group box 151 "COM Settings:"

    // --- Config Set: Standard row 0 and the Sensor Adjustment page ---
    kConfigSet, // C1: "Config Set"; L3: "CONFIG SET 1", "CONFIG SET 2", "CONFIG SET 3"

    // --- Standard page, rows 1..113 (entry = kConfigSet + row) ---
    kStdPrintSpeed,              // 1 C1; L9: "2 IPS" ... "10 IPS" (the page uses the first 3,
                                 //   5, 7 or 9 by model and print method)
    kStdPrintDarkness,           // 2 C1
    kStdDarknessAdjust,          // 3 C1
    kStdPrintMethod,             // 4 C1; L2: "TT", "DT"
    kStdRibbonWindingDirection,  // 5 C1; L2: "OUTSIDE", "INSIDE"
    kStdContinuousMediaLength,   // 6 C1; U2: "INCH", "MM"
    kStdVerticalPosition,        // 7 C1; U2
    kStdHorizontalShift,         // 8 C1; U2
    kStdVerticalImageShift,      // 9 C1; U2 (the length form)
    kStdVerticalImageShiftDots,  // 10 C1 "Vertical Image Shift"; U1: "DOTS"
    kStdAutoSideShift,           // 11 C1; U1: "DOTS"
    kStdSensorSelect,            // 12 C1; L2: "FRONT FIXED SENSOR", "REAR ADJ SENSOR"
    kStdMediaSensor,             // 13 C1; L3: "SEE THROUGH", "REFLECT", "NONE"
    kStdSmallMediaAdjustment,    // 14 C1; L2: "OFF", "ON"
    kStdSmallMediaLength,        // 15 C1; U2
    kStdSymbolSet,               // 16 C1; L88: "CP" ... "ZZ"
    kStdTopFormSensor,           // 17 C1; L2: "OFF", "ON"
    kStdTopFormLength,           // 18 C1; U2
    kStdSensorLevel,             // 19 C1; U1: "V"
    kStdPaperEndLevel,           // 20 C1; U1: "V"
    kStdErrorReporting,          // 21 C1; L2: "ON PRINTING", "IMMEDIATE"
    kStdCoverOpenSensor,         // 22 C1; L2: "OFF", "ON"
    kStdBuzzerSelect,            // 23 C1; L7: "EXEC/ERROR", "ALL", "ERROR", "KEY", "NONE", "ON",
                                 //   "OFF" (models 26..37 use the first 5)
    kStdMetricInch,              // 24 C1; L2: "MM", "INCH"
    kStdMaxMediaLength,          // 25 C1; U2
    kStdSettingsLock,            // 26 C1; L2: "OFF", "ON"
    kStdKeyboardLock,            // 27 C1; L2: "OFF", "ON"
    kStdStandbyMode,             // 28 C2: "Standby Mode", "LCD Standby" (models 24, 25);
                                 //   L2: "OFF", "ON"
    kStdStandbyTimer,            // 29 C1; U1: "MIN"
    kStdPaperNearEndStatus,      // 30 C1 "PNE Status"; L2: "OFF", "ON"
    kStdPaperNearEndAlarm,       // 31 C1 "PNE Alarm"; L2: "OFF", "ON"
    kStdControlCode,             // 32 C1; L3: "ALT", "STD", "ALT-2"
    kStdEmulationSelect,         // 33 C1; L5: "ZPI2", "DM4", "DMI", "DPP", then "EPI2", which
                                 //   the page inserts at the top of its list for some models
    kStdEmulationAutoDetect,     // 34 C1; L3: "ON", "OFF", "FULL AUTO"
    kStdMediaPowerUp,            // 35 C1; L2: "OFF", "ON"
    kStdCiLock,                  // 36 C1; L2: "OFF", "ON"
    kStdAutoconfigure,           // 37 C1 "Auto Configure"; L2: "OFF", "ON"
    kStdFunctionSelect,          // 38 C1; L5: "OFF", "TEAR", "PEEL ON", "CUT ON", "REWIND"
                                 //   ("REWIND" only on models 15..19)
    kStdCutterType,              // 39 C1; L2: "STANDARD", "HEAVYDUTY"
    kStdCutterAction,            // 40 C1; L2: "THROUGH", "BACKFEED"
    kStdRewinderAutoOnline,      // 41 C1; L2: "OFF", "ON"
    kStdRewinderAutoOnlineDelay, // 42 C1; U1: "SEC"
    kStdRewinderTorque,          // 43 C1
    kStdPeelWaitDelay,           // 44 C1; U1: "SEC"
    kStdPaperPosition,           // 45 C1; U2
    kStdModeRepeatKey,           // 46 C1; L3: "LABEL SET", "LAST ONE", "DISABLED"
    kStdMenuKeyAction,           // 47 C1; L3: "REPEAT SET", "REPEAT ONE", "ENTERS MENU"
    kStdFeedKeyAction,           // 48 C1; L3: "REPEAT SET", "REPEAT ONE", "FEEDS MEDIA"
    kStdUsbDeviceClass,          // 49 C1; L2: "PRINTER", "VCOM"
    kStdUsbVcomProtocol,         // 50 C1; L3: "AUTO", "DTR", "X-ON"
    kStdUsb2HighSpeed,           // 51 C1 "USB 2.0 Hi Speed"; L2: "OFF", "ON"
    kStdIpv4Address,             // 52 C1
    kStdIpv4SubnetMask,          // 53 C1
    kStdIpv4Gateway,             // 54 C1
    kStdIpv4Dhcp,                // 55 C1; L2: "OFF", "ON"
    kStdHostName,                // 56 C1
    kStdPortNumber,              // 57 C1
    kStdTimeout,                 // 58 C1; U1: "SEC"
    kStdTimeoutAction,           // 59 C1 "Action At Timeout"; L2: "CLOSE ALL", "MOVE NEXT"
    kStdSendBufferData,          // 60 C1 "Transmits Buffered Data"; L2: "DISABLE", "ENABLE"
    kStdIpv6,                    // 61 C1; L2: "OFF", "ON"
    kStdIpv6FixedAddress,        // 62 C1 "Fixed IPv6 Address"; L2: "OFF", "ON"
    kStdIpv6Address,             // 63 C1
    kStdIpv6PrefixLength,        // 64 C1
    kStdIpv6Gateway,             // 65 C1
    kStdRs232cBaud,              // 66 C1; L7: "2400" ... "115200"
    kStdRs232cParity,            // 67 C1; L3: "NONE", "ODD", "EVEN"
    kStdRs232cLength,            // 68 C1; L2: "7 BITS", "8 BITS"
    kStdRs232cStopBit,           // 69 C1; L2: "1 BIT", "2 BITS"
    kStdRs232cXon,               // 70 C1; L2: "NO", "YES"
    kStdIeee1284,                // 71 C1; L2: "ON", "OFF"
    kStdWebMonitor,              // 72 C1; L3: "AUTO", "ON", "OFF"
    kStdNetworkAddress,          // 73 C1
    kStdSubnetMask,              // 74 C1
    kStdGatewayAddress,          // 75 C1
    kStdBootp,                   // 76 C1; L2: "OFF", "ON"
    kStdDhcp,                    // 77 C1; L2: "OFF", "ON"
    kStdWlanMode,                // 78 C1; L3: "INFRASTRUCTURE", "AUTO", "AD-HOC"
    kStdWlanChannel,             // 79 C1
    kStdWlanSsid,                // 80 C1
    kStdWlanEncryption,          // 81 C1; L10: "NONE" ... "WPA-AUTO"
    kStdWlanWepKeyId,            // 82 C1; L4: "KEY 1" ... "KEY 4"
    kStdWlanWepKey1,             // 83 C1
    kStdWlanWepKey2,             // 84 C1
    kStdWlanWepKey3,             // 85 C1
    kStdWlanWepKey4,             // 86 C1
    kStdWlanPsk,                 // 87 C1
    kStdEapAuthentication,       // 88 C1; L7: "OPEN SYSTEM" ... "EAP-FAST"
    kStdEapUserName,             // 89 C1
    kStdEapPassword,             // 90 C1
    kStdEapPeapFastOption,       // 91 C1; L6: "NONE" ... "FAST INLINE PROVISIONING"
    kStdEapInnerAuthentication,  // 92 C1; L9: "NONE" ... "EAP-TLS"
    kStdEapAnonymousName,        // 93 C1
    kStdBtSecurity,              // 94 C1; L2: "MIDDLE", "HIGH"
    kStdBtConnection,            // 95 C1; L2: "ALL DEVICES", "PAIR ONLY"
    kStdBtDiscoverable,          // 96 C1; L2: "ON", "OFF"
    kStdBtIosReconnect,          // 97 C1; L2: "ON", "OFF"
    kStdBtPinCode,               // 98 C1
    kStdBtDeviceName,            // 99 C1
    kStdRfidSettings,            // 100 C1; L2: "AUTO", "FIXED"
    kStdRfidCalibBasePosition,   // 101 C1; U2
    kStdRfidFixedPosition,       // 102 C1; U2
    kStdRfidFixedPower,          // 103 C1; U1: "dBm"
    kStdRfidNgMarkPosition,      // 104 C1; U2
    kStdRfidNgMarkWidth,         // 105 C1; U2
    kStdRfidNgMarkHeight,        // 106 C1; U2
    kStdRfidNgMarkThickness,     // 107 C1; U2
    kStdNonStopCut,              // 108 C1; L3: "OFF", "ON W/ BACKFEED", "ON W/O BACKFEED"
    kStdAutoLoading,             // 109 C1; L2: "OFF", "ON"
    kStdAutoLoadingPos,          // 110 C1 "Auto Loading Position"; U2
    kStdBackfeedToTof,           // 111 C1 "BackFeed to Top Of Form"; L2: "OFF", "ON"
    kStdAutoSmallMeasure,        // 112 C1 "Auto Small Media Measure";
                                 //   L3: "OFF", "PWRON/HDDOWN", "POWER ON"
    kStdUsbHostEnable,           // 113 C1 "USB Host"; L3: "AUTO", "ON", "OFF"

    // --- Standard page: other captions ---
    kStdGroups,      // C7: group boxes "Global Config", "Page Setup", "System Setup",
                     //     "After Print Setup", "RFID", "Interface Menu",
                     //     "Option Interface Menu"
    kStdRfidResults, // C3: "RFID Calib Executed : ", "RFID Calib Position Offset : ",
                     //     "RFID Calib Power : "

    // --- Easy page ---
    kEasyMediaHandling, // C1: group box "Media Handling"
    kEasyMediaType,     // C1: tick box "Media Type"; L3: radio buttons 0..2 "Labels with gaps",
                        //     "Black marks on back", "Continuous"
    kEasyPaperLength,   // C1: "Paper Length"; U2: "INCH", "MM"
    kEasyPrintMethod,   // C1: "Print Method"; L2: "USE RIBBON", "DIRECT THERMAL" (translated)
    kEasyPostPrint,     // C1: "Post Print"; L5: "OFF", "TEAR", "PEEL ON", "CUT ON", "REWIND"
                        //     (translated; "REWIND" only on models 15..19)
    kEasyStartOffset,   // C1: "Start Offset"; U2: "INCH", "MM"
    kEasyStopOffset,    // C1: "Stop Offset"; U2: "INCH", "MM"

    // --- Advanced page, rows 0..64 (entry = kAdvThroughSensorPosition + row) ---
    kAdvThroughSensorPosition,    // 0 C1; U1: "DOTS"
    kAdvReflectSensorPosition,    // 1 C1; U1: "DOTS"
    kAdvFixThroughSensorPosition, // 2 C1; U1: "DOTS"
    kAdvFixReflectSensorPosition, // 3 C1; U1: "DOTS"
    kAdvAdjThroughSensorPosition, // 4 C1; U1: "DOTS"
    kAdvAdjReflectSensorPosition, // 5 C1; U1: "DOTS"
    kAdvMachineTearPosition,      // 6 C1; U1: "DOTS"
    kAdvMachineCutPosition,       // 7 C1; U1: "DOTS"
    kAdvMachinePeelPosition,      // 8 C1; U1: "DOTS"
    kAdvMachineHorizontalPos,     // 9 C1; U1: "DOTS"
    kAdvAutoCalMode,              // 10 C1; L2: "OFF", "ON"
    kAdvSeeThroughSensor,         // 11 C1; U1: "V"
    kAdvReflectSensor,            // 12 C1; U1: "V"
    kAdvFixThroughSensor,         // 13 C1; U1: "V"
    kAdvFixReflectSensor,         // 14 C1; U1: "V"
    kAdvAdjThroughSensor,         // 15 C1; U1: "V"
    kAdvAdjReflectSensor,         // 16 C1; U1: "V"
    kAdvSeeThroughSensitivity,    // 17 C1; L3: "LOW", "MEDIUM", "HIGH"
    kAdvReflectSensitivity,       // 18 C1; L3
    kAdvFixReflectSensitivity,    // 19 C1; L3
    kAdvThroughCalLevel,          // 20 C1; U1: "V"
    kAdvReflectCalLevel,          // 21 C1; U1: "V"
    kAdvSensNoneCalLevel,         // 22 C1; U1: "V"
    kAdvFixThroughCalLevel,       // 23 C1; U1: "V"
    kAdvFixReflectCalLevel,       // 24 C1; U1: "V"
    kAdvFixSensNoneCalLevel,      // 25 C1; U1: "V"
    kAdvAdjThroughCalLevel,       // 26 C1; U1: "V"
    kAdvAdjReflectCalLevel,       // 27 C1; U1: "V"
    kAdvAdjSensNoneCalLevel,      // 28 C1; U1: "V"
    kAdvDarknessRate,             // 29 C1; L2: "HIGH", "LOW"
    kAdvDoubleHeat,               // 30 C1; L2: "OFF", "ON"
    kAdvTtHotHeatrateAdjust,      // 31 C1; U1: "%"
    kAdvTtColdHeatrateAdjust,     // 32 C1; U1: "%"
    kAdvDtHotHeatrateAdjust,      // 33 C1; U1: "%"
    kAdvDtColdHeatrateAdjust,     // 34 C1; U1: "%"
    kAdvPowerOnHeadCheck,         // 35 C1; L2: "ON", "OFF"
    kAdvHeadCheckStartPosition,   // 36 C1; L2: "203dpi", "300dpi"
    kAdvHeadCheckStopPosition,    // 37 C1; L2: "203dpi", "300dpi"
    kAdvRibbonEndDetection,       // 38 C1; L3: "QUICK", "NORMAL", "SLOW" (two-entry models
                                  //   use "NORMAL", "SLOW": choices 1..2)
    kAdvParallelErrorOutput,      // 39 C1; L2: "ON", "OFF"
    kAdvTopFormSensing,           // 40 C1; L2: "ON", "OFF"
    kAdvUsbSerialNumber,          // 41 C1; L2: "OFF", "ON"
    kAdvAutoExecPrint,            // 42 C1; L2: "ON", "OFF"
    kAdvConfigPrintLayout,        // 43 C1; L2: "STANDARD", "REVERSED"
    kAdvHeadCleanMessage,         // 44 C1; U1: "M"
    kAdvPrintPreference,          // 45 C1; L2: "DARKNESS", "SPEED"
    kAdvTtHotHeatrateAdjust2,     // 46 C1; U1: "%"
    kAdvTtColdHeatrateAdjust2,    // 47 C1; U1: "%"
    kAdvDtHotHeatrateAdjust2,     // 48 C1; U1: "%"
    kAdvDtColdHeatrateAdjust2,    // 49 C1; U1: "%"
    kAdvHeadCheckPatternPrint,    // 50 C1; L2: "OFF", "ON"
    kAdvHeadCheckPatternWid,      // 51 C1; L2: "203dpi", "300dpi"
    kAdvSnmp,                     // 52 C1; L2: "ON", "OFF"
    kAdvHtml,                     // 53 C1; L2: "ON", "OFF"
    kAdvType1Mode,                // 54 C1; L2: "ON", "OFF"
    kAdvOnlineSettingMode,        // 55 C1; L2: "DISABLE", "ENABLE"
    kAdvTofSensorPosition,        // 56 C1; U1: "DOTS"
    kAdvTofSensor,                // 57 C1; U1: "V"
    kAdvTofSensorSensitivity,     // 58 C1; L3: "LOW", "MEDIUM", "HIGH"
    kAdvTofSensorCalLevel,        // 59 C1; U1: "V"
    kAdvBackfeedToTofMenu,        // 60 C1; L2: "ON", "OFF"
    kAdvAutoLdSmallLabelLength,   // 61 C1; U2: "INCH", "MM"
    kAdvAutoLdSmallLabelGap,      // 62 C1; U2
    kAdvRfidAntennaPosition,      // 63 C1; U2
    kAdvRfidReverseMediaLength,   // 64 C1; U2
    kAdvFactoryMode,              // C1: group box "Factory Mode"

    // --- Information page ---
    kInfoPrinterInformation, // C1: group "Printer Information"
    kInfoSerialNumber,       // C1: "Serial Number : "
    kInfoPrintCounter,       // C1: "Print Counter : "
    kInfoServiceCounter,     // C1: "Service Counter : "
    kInfoCutCounter,         // C1: "Cut Counter : "
    kInfoDmxZplStatus,       // C1: group "DMX/ZPL Printer Status"
    kInfoPaperError,         // C1: "Paper Error : "
    kInfoRibbonError,        // C1: "Ribbon Error : "
    kInfoPrinting,           // C1: "Printing : "
    kInfoPause,              // C1: "Pause : "
    kInfoWaitingForPeeling,  // C1: "Waiting for peeling : "
    kInfoEplStatus,          // C1: group "EPL Printer Status"
    kInfoErrorCode,          // C1: "Error code : "
    kInfoReceiveStatusOnly,  // C1: check box "Receive Printer Status only"
    kInfoFlagValues,         // L2: "Yes", "No" (the flag texts; the same in every language)
    kInfoStatusMessages,     // L6: error-code messages "No error", "Other error",
                             //   "Paper end / Ribbon end", "Head up",
                             //   "Pause / Waiting for peeling", "Printer is busy"; only English
                             //   and Japanese exist, the Chinese and Korean cells hold English

    // --- Sensor Adjustment page (its Config Set is kConfigSet) ---
    kCalGlobalConfig,     // C1: group "Global Config"
    kCalMediaCalibration, // C1: group "Media Calibration"
    kCalMediaType,        // L2: radio buttons 0, 1 "Labels with gaps", "Black marks on back"
    kCalRfidCalibration,  // C1: radio "RFID Calibration" (hidden; emptied on a language change)
    kCalStart,            // C1: button "Start Sensor Adjustment"

    // --- Print Test page ---
    kPrintSelfTest, // C1: radio "Self Test"
    kPrintSample,   // C1: radio "Print Sample"
    kPrintSendFile, // C1: radio "Send File"; also the main window's button 172 on this tab
    kPrintBrowse,   // C1: button "Browse..."
    kPrintExecute,  // C1: button "Execute"

    // --- Self Information dialog ---
    kSelfInfoTitle,               // C1: "Self Information"
    kSelfInfoSave,                // C1: button 1 "Save"
    kSelfInfoMachineInformation,  // C1: "< Machine Information >"
    kSelfInfoCurrentMenuSettings, // C1: "< Current Menu Settings >"

    kCount
};

inline constexpr int kTextIdCount = static_cast<int>(TextId::kCount);
inline constexpr int kStandardRowCount = 114;
inline constexpr int kAdvancedRowCount = 65;

static_assert(static_cast<int>(TextId::kStdUsbHostEnable) - static_cast<int>(TextId::kConfigSet) ==
              kStandardRowCount - 1);
static_assert(static_cast<int>(TextId::kAdvRfidReverseMediaLength) -
                  static_cast<int>(TextId::kAdvThroughSensorPosition) ==
              kAdvancedRowCount - 1);

// The entry of Standard page row 0..113.
constexpr TextId StandardRowText(int row) {
    return static_cast<TextId>(static_cast<int>(TextId::kConfigSet) + row);
}

// The entry of Advanced page row 0..64.
constexpr TextId AdvancedRowText(int row) {
    return static_cast<TextId>(static_cast<int>(TextId::kAdvThroughSensorPosition) + row);
}

// The three row groups of a directory entry.
enum class TextPart : int { kCaption = 0, kChoice = 1, kUnit = 2 };

// Long rows other than the message table (messages, confirmations, step texts, file filters).
enum class LongTextId : int {
    // Main window: sensor adjustment and RFID calibration
    kConfirmSensorAdjustment, // "Are you sure to start sensor adjustment?"
    kSensorAdjustmentDone,    // "Sensor adjustment done successfully."
    kSensorAdjustmentFailed,  // "Sensor adjustment failed.\nPlease try again."
    kConfirmRfidCalibration,  // "Are you sure to start RFID Calibration?"
    kRfidCalibrationDone,     // "RFID Calibration done successfully."
    kRfidCalibrationFailed,   // "RFID Calibration failed.\nPlease try again."
    kRfidNotSupported,        // "This printer does not support RFID."
    // File dialogs: "PRN Files (*.prn)", "*.prn", "All Files (*.*)", "*.*" (use FileFilters)
    kFileFilter,
    // Sensor Adjustment page: the prompt and the nine step texts ("\n" are line breaks)
    kCalSelectMedia, // "Please select the type of media being used:"
    kCalStep1,
    kCalStep2,
    kCalStep3,
    kCalStep4,
    kCalStep5,
    kCalStep6,
    kCalStep7,
    kCalStep8,
    kCalStep9,
    // Fixed English texts, the same in every language
    kReceiveTimeout,        // "Error: Receive timeout occured." (Self Info wait)
    kReceiveDataCaption,    // "Receive data" (its caption)
    kSelfInfoFolderError,   // "Error: Could not create a folder."
    kSelfInfoFolderCaption, // "Folder Error"
    kSelfInfoNoModel,       // "Error: No \"Model Number\"."
    kSelfInfoNoSerial,      // "Error: No \"Serial Number\"."
    kSelfInfoDataCaption,   // "Data Error"
    kSelfInfoOpenError,     // "Error: Failed to open a file."
    kSelfInfoWriteError,    // "Error: Failed to write data."
    kSelfInfoFileCaption,   // "File Error"
    kSelfInfoSaved,         // " was saved." (after the quoted file name)
    kSelfInfoSaveCaption,   // "Save"

    kCount
};

inline constexpr int kLongTextIdCount = static_cast<int>(LongTextId::kCount);

// The message table: 17 long rows addressed by index (see text/Messages.h).
inline constexpr int kMessageCount = 17;

// One description/pattern pair of a file dialog's filter list.
struct FileFilter {
    std::u16string description; // "PRN Files (*.prn)"
    std::u16string pattern;     // "*.prn"
};

// A group of short rows of one directory entry: `count` rows from `first` in the short-row
// block. A count of 0 means the group is absent.
struct TextGroup {
    int count = 0;
    int first = 0;
};

// One directory entry: caption rows, choice rows, unit rows.
struct TextEntry {
    TextGroup caption;
    TextGroup choice;
    TextGroup unit;
};

// The built-in four-language text tables. All lookups are static and never fail: an entry,
// index or message outside its range gives an empty text, a language outside 0..3 English.
class TextTable {
public:
    // The whole short-row block, in the order the windows use it.
    static std::span<const ShortRow> ShortRows();
    // The directory entry of an id (an id outside the enum gives an empty entry).
    static TextEntry Entry(TextId id);
    // The rows of one group of an entry (empty when absent).
    static std::span<const ShortRow> Rows(TextId id, TextPart part);
    static std::span<const ShortRow> Captions(TextId id) { return Rows(id, TextPart::kCaption); }
    static std::span<const ShortRow> Choices(TextId id) { return Rows(id, TextPart::kChoice); }
    static std::span<const ShortRow> Units(TextId id) { return Rows(id, TextPart::kUnit); }

    // Text for (row, language) of one group; empty when index is out of range.
    static std::u16string_view Text(TextId id, TextPart part, int index, UiLanguage language);
    static std::u16string_view Caption(TextId id, UiLanguage language, int index = 0) {
        return Text(id, TextPart::kCaption, index, language);
    }
    static std::u16string_view Choice(TextId id, int index, UiLanguage language) {
        return Text(id, TextPart::kChoice, index, language);
    }
    static std::u16string_view Unit(TextId id, int index, UiLanguage language) {
        return Text(id, TextPart::kUnit, index, language);
    }

    // All texts of a group in one language, in row order (to fill a list).
    static std::vector<std::u16string> List(TextId id, TextPart part, UiLanguage language);
    static std::vector<std::u16string> ChoiceList(TextId id, UiLanguage language) {
        return List(id, TextPart::kChoice, language);
    }

    // Long rows.
    static std::span<const LongRow> LongRows();
    static std::u16string_view Long(LongTextId id, UiLanguage language);

    // The message table (17 long rows). An index outside 0..16 gives an empty text.
    static std::span<const LongRow> MessageRows();
    static std::u16string_view Message(int index, UiLanguage language);

    // The file-dialog filter list of a language: the filter cell read as alternating
    // description and pattern strings up to the empty string that ends it.
    static std::vector<FileFilter> FileFilters(UiLanguage language);

    // Translate across languages: compares `text` with each of the four cells of every row
    // (exact match); for every row in which a cell matches, the result becomes that row's cell
    // in `target`, so the last matching row wins. No match gives `text` unchanged; a target
    // outside 0..3, or no rows, changes nothing.
    static std::u16string Translate(std::span<const ShortRow> rows, int target,
                                    std::u16string_view text);
    // The same over the pointer-and-count form of a block (a null table changes nothing).
    static std::u16string Translate(const ShortRow* rows, std::size_t count, int target,
                                    std::u16string_view text);
    // Translates within one group of an entry (e.g. a displayed choice into another language).
    static std::u16string Translate(TextId id, TextPart part, int target,
                                    std::u16string_view text) {
        return Translate(Rows(id, part), target, text);
    }
};

} // namespace qm
