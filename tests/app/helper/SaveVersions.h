#pragma once

// The two versions of the preferences and of the recent file that the crash-safe save test has
// a process save in turn.

#include "app/Preferences.h"
#include "connection/InterfaceSettingsSource.h"

#include <string>

namespace qm::test {

inline constexpr unsigned kEveryPreference = kChangePortType | kChangePortName | kChangeComSet |
                                             kChangePortNumber | kChangeDefaultFolder |
                                             kChangePrinterModel | kChangeRegion;

inline Preferences SaveVersion(bool second) {
    Preferences p;
    p.portType = second ? kPortCom : kPortNet;
    p.portName = second ? u"COM3:" : u"192.168.10.20";
    p.defaultFolder = second ? u"/srv/labels/second/" : u"/home/operator/first/";
    p.printerModel = second ? u"Vexa Gorse" : u"Vexa Alder";
    p.serial.baudRate = second ? 19200 : 9600;
    p.portNumber = second ? u"" : u"9100";
    p.region = second ? 1 : 3;
    return p;
}

// The settings text the recent file holds in each version (the lead-in goes in front).
inline std::u16string RecentVersion(bool second) {
    return second ? u"PRINT SPEED\t:\t4 IPS\r\nHOST NAME\t:\tSecond\r\nPRINT DARKNESS\t:\t12\r\n"
                    u"IPV4 ADDRESS\t:\t10,0,0,2\r\nEND\r\n"
                  : u"PRINT SPEED\t:\t6 IPS\r\nHOST NAME\t:\tFirst label printer\r\n"
                    u"CONTINUOUS MEDIA LENGTH\t:\t101.6\tMM\r\nEND\r\n";
}

} // namespace qm::test
