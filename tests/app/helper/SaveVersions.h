#pragma once

// The two sets of preferences the crash-safe save test has a process save in turn.

#include "app/Preferences.h"
#include "connection/InterfaceSettingsSource.h"

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

} // namespace qm::test
