#include "settings/SettingsRecord.h"

#include "platform/Encoding.h"

namespace qm {
namespace {

// The entry table in write order: 0-113 standard, 114-178 advanced, 179-181 the RFID
// calibration information (never written).
constexpr std::array<std::string_view, SettingsRecord::kEntryCount> kEntryKeys = {
    "GLOBAL CONFIG",               // 0
    "PRINT SPEED",                 // 1
    "PRINT DARKNESS",              // 2
    "DARKNESS ADJUST",             // 3
    "PRINT METHOD",                // 4
    "RIBBON WINDING DIRECTION",    // 5
    "CONTINUOUS MEDIA LENGTH",     // 6
    "VERTICAL POSITION",           // 7
    "HORIZONTAL SHIFT",            // 8
    "VERTICAL IMAGE SHIFT",        // 9
    "VERTICAL IMAGE SHIFT",        // 10
    "AUTO SIDE SHIFT",             // 11
    "SENSOR SELECT",               // 12
    "MEDIA SENSOR",                // 13
    "TOP FORM SENSOR",             // 14
    "TOP FORM LENGTH",             // 15
    "SMALL MEDIA ADJUSTMENT",      // 16
    "SMALL MEDIA LENGTH",          // 17
    "SYMBOL SET",                  // 18
    "SENSOR LEVEL",                // 19
    "PAPER END LEVEL",             // 20
    "ERROR REPORTING",             // 21
    "COVER OPEN SENSOR",           // 22
    "BUZZER SELECT",               // 23
    "METRIC/INCH",                 // 24
    "MAX MEDIA LENGTH",            // 25
    "SETTINGS LOCK",               // 26
    "KEYBOARD LOCK",               // 27
    "STANDBY MODE",                // 28
    "STANDBY TIMER",               // 29
    "PAPER NEAR END STATUS",       // 30
    "PAPER NEAR END ALARM",        // 31
    "CONTROL CODE",                // 32
    "EMULATION SELECT",            // 33
    "EMULATION AUTO DETECT",       // 34
    "MEDIA POWER UP",              // 35
    "CI LOCK",                     // 36
    "AUTOCONFIGURE",               // 37
    "FUNCTION SELECT",             // 38
    "CUTTER TYPE",                 // 39
    "CUTTER ACTION",               // 40
    "REWINDER AUTO ONLINE",        // 41
    "REWINDER AUTO ONLINE DELAY",  // 42
    "REWINDER TORQUE",             // 43
    "PEEL WAIT DELAY",             // 44
    "PAPER POSITION",              // 45
    "MODE/REPEAT KEY",             // 46
    "MENU KEY ACTION",             // 47
    "FEED KEY ACTION",             // 48
    "USB DEVICE CLASS",            // 49
    "USB VCOM PROTOCOL",           // 50
    "USB 2 HIGH SPEED",            // 51
    "IPV4 ADDRESS",                // 52
    "IPV4 SUBNET MASK",            // 53
    "IPV4 GATEWAY",                // 54
    "IPV4 DHCP",                   // 55
    "HOST NAME",                   // 56
    "PORT NUMBER",                 // 57
    "TIMEOUT",                     // 58
    "TIMEOUT ACTION",              // 59
    "SEND BUFFER DATA",            // 60
    "IPV6",                        // 61
    "IPV6 FIXED ADDRESS",          // 62
    "IPV6 ADDRESS",                // 63
    "IPV6 PREFIX LENGTH",          // 64
    "IPV6 GATEWAY",                // 65
    "RS-232C BAUD",                // 66
    "RS-232C PARITY",              // 67
    "RS-232C LENGTH",              // 68
    "RS-232C STOP BIT",            // 69
    "RS-232C X-ON",                // 70
    "IEEE1284",                    // 71
    "WEB MONITOR",                 // 72
    "NETWORK ADDRESS",             // 73
    "SUBNET MASK",                 // 74
    "GATEWAY ADDRESS",             // 75
    "BOOTP",                       // 76
    "DHCP",                        // 77
    "WLAN MODE",                   // 78
    "WLAN CHANNEL",                // 79
    "WLAN SSID",                   // 80
    "WLAN ENCRYPTION",             // 81
    "WLAN WEP KEY ID",             // 82
    "WLAN WEP KEY 1",              // 83
    "WLAN WEP KEY 2",              // 84
    "WLAN WEP KEY 3",              // 85
    "WLAN WEP KEY 4",              // 86
    "WLAN PSK",                    // 87
    "EAP AUTHENTICATION",          // 88
    "EAP USER NAME",               // 89
    "EAP PASSWORD",                // 90
    "EAP PEAP/FAST OPTION",        // 91
    "EAP INNER AUTHENTICATION",    // 92
    "EAP ANONYMOUS NAME",          // 93
    "BT SECURITY",                 // 94
    "BT CONNECTION",               // 95
    "BT DISCOVERABLE",             // 96
    "BT IOS RECONNECT",            // 97
    "BT PIN CODE",                 // 98
    "BT DEVICE NAME",              // 99
    "RFID SETTINGS",               // 100
    "RFID CALIB BASE POSITION",    // 101
    "RFID FIXED POSITION",         // 102
    "RFID FIXED POWER",            // 103
    "RFID NG MARK POSITION",       // 104
    "RFID NG MARK WIDTH",          // 105
    "RFID NG MARK HEIGHT",         // 106
    "RFID NG MARK THICKNESS",      // 107
    "NON-STOP CUT",                // 108
    "AUTO LOADING",                // 109
    "AUTO LOADING POS",            // 110
    "BACKFEED TO TOF",             // 111
    "AUTO SMALL MEASURE",          // 112
    "USB HOST ENABLE",             // 113
    "THROUGH SENSOR POSITION",     // 114
    "REFLECT SENSOR POSITION",     // 115
    "THROUGH SENSOR POSITION",     // 116
    "REFLECT SENSOR POSITION",     // 117
    "ADJ THROUGH SENSOR POSITION", // 118
    "ADJ REFLECT SENSOR POSITION", // 119
    "MACH TEAR POS",               // 120
    "MACH CUT POS",                // 121
    "MACH PEEL POS",               // 122
    "MACH HOR POS",                // 123
    "AUTOCAL MODE",                // 124
    "SEE THROUGH SENSOR",          // 125
    "REFLECT SENSOR",              // 126
    "SEE THROUGH SENSOR",          // 127
    "REFLECT SENSOR",              // 128
    "ADJ THROUGH SENSOR",          // 129
    "ADJ REFLECT SENSOR",          // 130
    "SEETHROUGH SENSITIVITY",      // 131
    "REFLECT SENSITIVITY",         // 132
    "FIX REFLECT SENSITIVITY",     // 133
    "ADJ THROUGH CAL LEVEL",       // 134
    "ADJ REFLECT CAL LEVEL",       // 135
    "ADJ SENSNONE CAL LEVEL",      // 136
    "FIX THROUGH CAL LEVEL",       // 137
    "FIX REFLECT CAL LEVEL",       // 138
    "FIX SENSNONE CAL LEVEL",      // 139
    "ADJ THROUGH CAL LEVEL",       // 140
    "ADJ REFLECT CAL LEVEL",       // 141
    "ADJ SENSNONE CAL LEVEL",      // 142
    "DARKNESS RATE",               // 143
    "DOUBLE HEAT MENU",            // 144
    "TT HOT HEATRATE ADJUST",      // 145
    "TT COLD HEATRATE ADJUST",     // 146
    "DT HOT HEATRATE ADJUST",      // 147
    "DT COLD HEATRATE ADJUST",     // 148
    "POWERON HEAD CHECK",          // 149
    "HEAD CHECK START POS",        // 150
    "HEAD CHECK STOP POS",         // 151
    "RIBBON END DETECTION",        // 152
    "PARALLEL ERROR OUTPUT",       // 153
    "TOP FORM SENSING",            // 154
    "USB SERIAL NUMBER",           // 155
    "AUTO EXEC PRINT",             // 156
    "CONFIG PRINT LAYOUT",         // 157
    "HEAD CLEAN MESSAGE",          // 158
    "PRINT PREFERENCE",            // 159
    "TT HOT HEATRATE ADJUST 2",    // 160
    "TT COLD HEATRATE ADJUST 2",   // 161
    "DT HOT HEATRATE ADJUST 2",    // 162
    "DT COLD HEATRATE ADJUST 2",   // 163
    "HEAD CHECK PATTERN PRINT",    // 164
    "HEAD CHECK PATTERN WIDTH",    // 165
    "SNMP",                        // 166
    "HTML",                        // 167
    "TYPE 1 MODE",                 // 168
    "ONLINE SETTING MODE",         // 169
    "TOF SENSOR POSITION",         // 170
    "TOF SENSOR",                  // 171
    "TOF SENSITIVITY",             // 172
    "TOF CAL LEVEL",               // 173
    "BACKFEED TO TOF MENU",        // 174
    "AUTO LOADING LEN",            // 175
    "AUTO LOADING GAP",            // 176
    "RFID ANTENNA POSITION",       // 177
    "RFID REVERSE MEDIA LENGTH",   // 178
    "RFID CALIB EXECUTED",         // 179
    "RFID CALIB POSITION OFFSET",  // 180
    "RFID CALIB POWER",            // 181
};

// Keys the writer uses for entries 100-107 when it talks to the printer.
constexpr std::array<std::string_view, 8> kRfidAlternativeKeys = {
    "RFID SETTINGS",        "RFID CALIB Y POSITION", "RFID Y POSITION",    "RFID WRITE POWER",
    "RFID NGMARK POSITION", "RFID NGMARK WIDTH",     "RFID NGMARK HEIGHT", "RFID NGMARK THICKNESS",
};

constexpr char16_t kDot[] = u"DOT";

} // namespace

SettingsRecord::SettingsRecord() {
    Construct();
}

SettingsRecord::SettingsRecord(const SettingsRecord& other)
    : text(other.text), rfidCheckText(other.rfidCheckText), printText(other.printText),
      emulationCheckText(other.emulationCheckText), information(other.information),
      modelIndex(other.modelIndex), items(other.items), entries(other.entries) {
    BindEntries();
}

SettingsRecord& SettingsRecord::operator=(const SettingsRecord& other) {
    if (this != &other) {
        text = other.text;
        rfidCheckText = other.rfidCheckText;
        printText = other.printText;
        emulationCheckText = other.emulationCheckText;
        information = other.information;
        modelIndex = other.modelIndex;
        items = other.items;
        entries = other.entries;
        BindEntries();
    }
    return *this;
}

void SettingsRecord::BindEntries() {
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].item = &items[i];
    }
}

void SettingsRecord::Construct() {
    text.clear();
    rfidCheckText.clear();
    printText.clear();
    emulationCheckText.clear();
    for (std::u16string& value : information) {
        value.clear();
    }
    modelIndex = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        items[i] = SettingValue{};
        SettingEntry& e = entries[i];
        e.key = Utf8ToUtf16(kEntryKeys[i]);
        e.extra.clear();
        e.alternativeKey.clear();
    }
    entries[entry::kHeadCheckStartPos].extra = kDot;
    entries[entry::kHeadCheckStopPos].extra = kDot;
    for (int i = entry::kFirstRfid; i <= entry::kLastRfid; ++i) {
        entries[static_cast<size_t>(i)].alternativeKey =
            Utf8ToUtf16(kRfidAlternativeKeys[static_cast<size_t>(i - entry::kFirstRfid)]);
    }
    BindEntries();
}

void SettingsRecord::Clear() {
    for (SettingValue& item : items) { // 0-178 and the three RFID calibration items: all
        item.ticked = 0;
        item.value.clear();
        item.second.clear();
        item.error = 0;
    }
    text.clear();
}

std::string_view SettingsRecord::EntryKey(int entryIndex) {
    if (entryIndex < 0 || entryIndex >= kEntryCount) {
        return {};
    }
    return kEntryKeys[static_cast<size_t>(entryIndex)];
}

bool entry::IsSecret(int entryIndex) {
    for (int e : kSecrets) {
        if (e == entryIndex) {
            return true;
        }
    }
    return false;
}

bool entry::IsSecretKey(std::string_view key) {
    for (int e : kSecrets) {
        if (SettingsRecord::EntryKey(e) == key) {
            return true;
        }
    }
    return false;
}

} // namespace qm
