#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/SerialSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class IniFile;

// The stored interface, model, folder, language and mode choices ("Quillmark.ini", section
// "Quillmark"). A plain record: the application object keeps one copy as loaded and one
// current copy, and compares them at exit to write back only what changed.
struct Preferences {
    // Region 255 means "not chosen yet"; loading always resolves it to 0..3.
    static constexpr int kRegionUnset = 255;

    int portType = kPortNone;             // PORT_TYPE: a PortType (connection/...Source.h)
    std::u16string portName;              // PORT_NAME: queue, COM/LPT/USB port, IP address or host
    std::u16string defaultFolder;         // DEFAULT_FOLDER
    std::u16string defaultFileName;       // never stored; always empty
    std::u16string printerModel;          // PRINTER_MODEL: a model display name
    SerialSettings serial;                // COM_SET: baud, data bits, stop, parity, flow
    std::u16string portNumber;            // PORT_NUMBER: at most 5 digits
    int region = kRegionUnset;            // REGION: the interface language 0..3
    std::u16string appMode = u"STANDARD"; // APP_MODE (read only; "QRVT" shows Self Info)

    bool operator==(const Preferences&) const = default;
};

// The ini file's name (beside the executable), its one section and its keys.
inline constexpr char kIniFileName[] = "Quillmark.ini";
inline constexpr std::u16string_view kIniSection = u"Quillmark";
inline constexpr std::u16string_view kKeyPortType = u"PORT_TYPE";
inline constexpr std::u16string_view kKeyPortName = u"PORT_NAME";
inline constexpr std::u16string_view kKeyComSet = u"COM_SET";
inline constexpr std::u16string_view kKeyPortNumber = u"PORT_NUMBER";
inline constexpr std::u16string_view kKeyDefaultFolder = u"DEFAULT_FOLDER";
inline constexpr std::u16string_view kKeyPrinterModel = u"PRINTER_MODEL";
inline constexpr std::u16string_view kKeyRegion = u"REGION";
inline constexpr std::u16string_view kKeyAppMode = u"APP_MODE";

// The application mode that shows the Self Info button.
inline constexpr std::u16string_view kAppModeSelfInfo = u"QRVT";
// The network defaults the main window shows and the change check assumes.
inline constexpr std::u16string_view kDefaultNetAddress = u"192.168.0.1";
inline constexpr std::u16string_view kDefaultNetPort = u"9100";

// Change-mask bits: which keys SavePreferences writes.
inline constexpr unsigned kChangePortType = 0x01;
inline constexpr unsigned kChangePortName = 0x02;
inline constexpr unsigned kChangeComSet = 0x04;
inline constexpr unsigned kChangePortNumber = 0x08;
inline constexpr unsigned kChangeDefaultFolder = 0x10;
inline constexpr unsigned kChangePrinterModel = 0x20;
inline constexpr unsigned kChangeRegion = 0x40;

// The port-type texts ("PRT" .. "NET") come from PortTypeText / PortTypeFromText in
// connection/InterfaceSettingsSource.h.

// The language index for a user language id already masked with 0x3ff: 0x11 gives 1
// (Japanese), 0x04 gives 2 (Chinese), 0x12 gives 3 (Korean), anything else 0 (English).
int RegionFromLanguageId(uint16_t primaryLanguageId);

// An empty folder stays empty; any other folder ends with exactly the separator "/" added when
// it does not already end with one.
std::u16string NormaliseFolder(std::u16string_view folder);

// Reads the preferences from the ini file by the key rules: defaults first, then REGION (0..3,
// else from userLanguageId, which is the user's default language id masked with 0x3ff), the
// printer model (first model name unless a stored name equals a list entry exactly),
// PORT_TYPE, PORT_NAME, COM_SET (five tokens, token by token), PORT_NUMBER (at most 5 digits),
// DEFAULT_FOLDER and APP_MODE. A missing or empty key keeps the default. Never fails: a missing
// or unreadable file gives the defaults.
Preferences ReadPreferences(const IniFile& ini, const std::vector<std::u16string>& modelNames,
                            uint16_t userLanguageId);

// Resolves a host name to a dotted IPv4 address "%d.%d.%d.%d"; false when it does not resolve.
using HostNameResolver = std::function<bool(std::u16string_view name, std::u16string& dotted)>;
// The system resolver (first IPv4 address of the name, see connection/NetAddress.h).
bool ResolveHostNameToDotted(std::u16string_view name, std::u16string& dotted);

// Which keys differ between the loaded and the current preferences (the kChange* bits). The
// port-name and port-number bits follow the current port type; for NET a loaded host name is
// resolved with resolve and compared in its dotted form, a loaded empty name counts as
// "192.168.0.1" and a loaded empty port number as "9100". Folders compare after NormaliseFolder.
unsigned PreferencesChangeMask(const Preferences& loaded, const Preferences& current,
                               const HostNameResolver& resolve);

// Writes the keys of mask from current into the ini file, in the order PORT_TYPE, PORT_NAME,
// COM_SET, PORT_NUMBER, DEFAULT_FOLDER, PRINTER_MODEL, REGION. A missing file is first created
// as UTF-16LE holding only the section line; the writes are attempted even when that fails.
// Nothing is touched when mask is 0. Returns true when every write succeeded.
bool WritePreferences(IniFile& ini, const Preferences& current, unsigned mask);

} // namespace qm
