#pragma once

#include "discovery/PrintQueues.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// What the main window asks of the system while it fills its interface controls: the port
// lists, the print queues with their ports, the default printer and host-name lookups.
// SystemWindowServices() asks the real system (sysfs, /dev, CUPS, the resolver); tests give
// their own.
class WindowServices {
public:
    virtual ~WindowServices() = default;
    // The LPT, USB and COM port lists (discovery/LocalPorts.h).
    virtual void FillLocalPortLists(std::vector<std::u16string>& lpt,
                                    std::vector<std::u16string>& usb,
                                    std::vector<std::u16string>& com) = 0;
    // The print queues with their port kinds and descriptions (discovery/PrintQueues.h).
    virtual void ListQueues(std::vector<QueueRecord>& queues) = 0;
    // The name of the system's default printer; empty when there is none.
    virtual std::u16string DefaultPrinterName() = 0;
    // A host name to its first IPv4 address "%d.%d.%d.%d"; false when it does not resolve.
    virtual bool ResolveHostName(std::u16string_view name, std::u16string& dotted) = 0;
    // The device a serial port opens ("/dev/ttyS2" for "COM3:"); empty when unknown.
    virtual std::string SerialDevicePath(std::u16string_view portName) = 0;
};

// The process-wide implementation backed by the system.
WindowServices& SystemWindowServices();

} // namespace qm
