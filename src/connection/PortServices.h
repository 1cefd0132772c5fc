#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// What the connection needs from port discovery and the print system: the USB port lookup and
// the parking of print queues while a COM or LPT port is held, and the raw print job used to
// send to a queue. The system's implementation is discovery/SystemPortServices.h (sysfs and
// CUPS); tests give their own implementation to PrinterConnection.
class PortServices {
public:
    virtual ~PortServices() = default;
    // Looks up the USB port `portName` ("USB001" or "USB_AUTO"), as discovery/UsbPorts.h:
    // 1 found, with `devicePath` (the "\\?\USB#..." display form), `nodePath` (the node to
    // open) and `usbPortLabel` ("USBnnn") set; for "USB_AUTO" `portName` becomes that label.
    virtual int ResolveUsbPort(std::u16string& usbPortLabel, std::u16string& devicePath,
                               std::string& nodePath, std::u16string& portName) = 0;
    // Parks every queue printing to `portName` and lists it in `parkedQueues` (emptied first),
    // as discovery/PrintQueues.h.
    virtual int ParkQueues(std::vector<std::u16string>& parkedQueues,
                           std::u16string_view portName) = 0;
    // Gives every parked queue its port `portName` back.
    virtual int RestoreQueues(const std::vector<std::u16string>& parkedQueues,
                              std::u16string_view portName) = 0;
    // Sends `data` as one raw print job to the queue `printerName`: 0 success, 110 the queue
    // could not be opened, 29 any later failure or fewer bytes written than asked.
    virtual int SendRawJob(std::u16string_view printerName, uint32_t& written, uint32_t length,
                           const void* data) = 0;
};

} // namespace qm
