#pragma once

#include "connection/SerialSettings.h"

#include <cstdint>
#include <string>

namespace qm {

// Interface kinds, as stored in the preferences (PORT_TYPE) and as kept by the connection
// (which adds 0 for "closed").
enum PortType : int32_t {
    kPortNone = 0, // nothing chosen / connection closed
    kPortPrt = 1,  // "PRT": a print queue
    kPortCom = 2,  // "COM": serial port
    kPortLpt = 3,  // "LPT": parallel port
    kPortUsb = 4,  // "USB": USB printer-class port
    kPortNet = 5,  // "NET": TCP/IP address and port
};

// The stored interface settings ConnectForOperation and Disconnect read. The application's
// preferences implement it (current set); the command line and tests use
// StaticInterfaceSettings below.
class InterfaceSettingsSource {
public:
    virtual ~InterfaceSettingsSource() = default;
    // PORT_TYPE: one of PortType.
    virtual int32_t StoredPortType() const = 0;
    // PORT_NAME: "COM3:", "KORVANE COM5:", "LPT1:", "USB001", "USB_AUTO", an IPv4 address or a
    // host name, or a queue name for PRT.
    virtual std::u16string StoredPortName() const = 0;
    // COM_SET.
    virtual SerialSettings StoredSerialSettings() const = 0;
    // PORT_NUMBER: the TCP port text ("9100").
    virtual std::u16string StoredPortNumber() const = 0;
    // For PORT_TYPE PRT: the kind (2..5, or 0) discovery resolved for the selected queue's port;
    // Disconnect closes that kind.
    virtual int32_t DriverPortKind() const = 0;
};

// A plain set of stored interface settings.
struct StaticInterfaceSettings : InterfaceSettingsSource {
    int32_t portType = kPortNone;
    std::u16string portName;
    SerialSettings serial;
    std::u16string portNumber;
    int32_t driverPortKind = kPortNone;

    int32_t StoredPortType() const override { return portType; }
    std::u16string StoredPortName() const override { return portName; }
    SerialSettings StoredSerialSettings() const override { return serial; }
    std::u16string StoredPortNumber() const override { return portNumber; }
    int32_t DriverPortKind() const override { return driverPortKind; }
};

// "PRT", "COM", "LPT", "USB", "NET" for 1..5; empty for anything else.
std::u16string_view PortTypeText(int32_t type);
// Exact, case-sensitive match of those texts to 1..5; anything else 0.
int32_t PortTypeFromText(std::u16string_view text);

} // namespace qm
