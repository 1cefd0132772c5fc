#include "app/Preferences.h"

#include "connection/NetAddress.h"
#include "platform/Encoding.h"
#include "platform/IniFile.h"
#include "platform/TextFields.h"
#include "text/UiLanguage.h"

#include <string>
#include <vector>

namespace qm {
namespace {

// A stored string key: false when the key is missing or empty (the field keeps its default).
bool ReadKey(const IniFile& ini, std::u16string_view key, std::u16string& value) {
    std::u16string text;
    if (!ini.Read(kIniSection, key, text) || text.empty()) {
        return false;
    }
    value = std::move(text);
    return true;
}

} // namespace

int RegionFromLanguageId(uint16_t primaryLanguageId) {
    return LanguageIndex(UiLanguageFromLanguageId(primaryLanguageId & 0x3ff));
}

std::u16string NormaliseFolder(std::u16string_view folder) {
    std::u16string out(folder);
    if (!out.empty() && out.back() != u'/') {
        out.push_back(u'/');
    }
    return out;
}

bool ResolveHostNameToDotted(std::u16string_view name, std::u16string& dotted) {
    std::string text;
    if (!AddressToDottedQuad(name, text)) {
        return false;
    }
    dotted = AnsiToWide(text);
    return true;
}

Preferences ReadPreferences(const IniFile& ini, const std::vector<std::u16string>& modelNames,
                            uint16_t userLanguageId) {
    Preferences prefs;

    const int region = ini.ReadInt(kIniSection, kKeyRegion, Preferences::kRegionUnset);
    prefs.region = (region >= 0 && region <= 3) ? region : RegionFromLanguageId(userLanguageId);

    if (!modelNames.empty()) {
        prefs.printerModel = modelNames.front();
    }

    std::u16string text;
    if (ReadKey(ini, kKeyPrinterModel, text)) {
        for (const std::u16string& name : modelNames) {
            if (name == text) {
                prefs.printerModel = text;
                break;
            }
        }
    }
    if (ReadKey(ini, kKeyPortType, text)) {
        const int type = PortTypeFromText(text);
        if (type != kPortNone) {
            prefs.portType = type;
        }
    }
    if (ReadKey(ini, kKeyPortName, text)) {
        prefs.portName = text;
    }
    if (ReadKey(ini, kKeyComSet, text)) {
        ReadComSet(text, prefs.serial);
    }
    if (ReadKey(ini, kKeyPortNumber, text) && text.size() <= 5 && IsDecimalDigits(text)) {
        prefs.portNumber = text;
    }
    if (ReadKey(ini, kKeyDefaultFolder, text)) {
        prefs.defaultFolder = text;
    }
    if (ReadKey(ini, kKeyAppMode, text)) {
        prefs.appMode = text;
    }
    return prefs;
}

unsigned PreferencesChangeMask(const Preferences& loaded, const Preferences& current,
                               const HostNameResolver& resolve) {
    unsigned mask = 0;
    if (loaded.portType != current.portType) {
        mask |= kChangePortType;
    }
    switch (current.portType) {
    case kPortPrt:
    case kPortLpt:
    case kPortUsb:
        if (loaded.portName != current.portName) {
            mask |= kChangePortName;
        }
        break;
    case kPortCom:
        if (loaded.portName != current.portName) {
            mask |= kChangePortName;
        }
        if (loaded.serial != current.serial) {
            mask |= kChangeComSet;
        }
        break;
    case kPortNet: {
        if (IsDottedQuad(loaded.portName)) {
            if (loaded.portName != current.portName) {
                mask |= kChangePortName;
            }
        } else if (loaded.portName.empty()) {
            if (current.portName != kDefaultNetAddress) {
                mask |= kChangePortName;
            }
        } else {
            std::u16string dotted;
            if (!resolve || !resolve(loaded.portName, dotted) || dotted != current.portName) {
                mask |= kChangePortName;
            }
        }
        const std::u16string loadedNumber =
            loaded.portNumber.empty() ? std::u16string(kDefaultNetPort) : loaded.portNumber;
        if (loadedNumber != current.portNumber) {
            mask |= kChangePortNumber;
        }
        break;
    }
    default:
        break;
    }
    if (NormaliseFolder(loaded.defaultFolder) != NormaliseFolder(current.defaultFolder)) {
        mask |= kChangeDefaultFolder;
    }
    if (loaded.printerModel != current.printerModel) {
        mask |= kChangePrinterModel;
    }
    if (loaded.region != current.region) {
        mask |= kChangeRegion;
    }
    return mask;
}

bool WritePreferences(IniFile& ini, const Preferences& current, unsigned mask) {
    if (mask == 0) {
        return true;
    }
    // A new file is made Unicode first so that every value keeps its characters. The writes are
    // attempted even if this fails (Write creates the file itself when it can).
    ini.CreateUnicode(kIniSection);

    // All changed keys go into the file with one replacement: a crash during the save leaves the
    // old preferences or the new ones, never some of each.
    std::vector<IniFile::KeyValue> keys;
    auto write = [&](unsigned bit, std::u16string_view key, std::u16string_view value) {
        if ((mask & bit) != 0) {
            keys.push_back({key, value});
        }
    };
    const std::u16string comSet = FormatComSet(current.serial);
    const std::u16string region = U16(std::to_string(current.region));
    write(kChangePortType, kKeyPortType, PortTypeText(current.portType));
    write(kChangePortName, kKeyPortName, current.portName);
    write(kChangeComSet, kKeyComSet, comSet);
    write(kChangePortNumber, kKeyPortNumber, current.portNumber);
    write(kChangeDefaultFolder, kKeyDefaultFolder, current.defaultFolder);
    write(kChangePrinterModel, kKeyPrinterModel, current.printerModel);
    write(kChangeRegion, kKeyRegion, region);
    const bool ok = ini.WriteKeys(kIniSection, keys);
    return ok;
}

} // namespace qm
