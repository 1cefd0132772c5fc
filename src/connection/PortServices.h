#pragma once

#include <cstdint>
#include <string>

namespace qm {

class PrinterConnection;

// What the connection needs from port discovery and the print system: the USB port lookup and
// the parking of print queues while a COM or LPT port is held, and the raw print job used to
// send to a queue. SystemPortServices() forwards to UsbPorts.h and PrintQueues.h; tests give
// their own implementation to PrinterConnection.
class PortServices {
public:
    virtual ~PortServices() = default;
    // Looks up the USB port `portName` ("USB001" or "USB_AUTO"): 1 found, with `devicePath` set
    // (the "\\?\USB#..." display form) and the connection's usbPortLabel set to "USBnnn" (for
    // "USB_AUTO" `portName` becomes that label); 0 not found.
    virtual int ResolveUsbPort(PrinterConnection& connection, std::u16string& devicePath,
                               std::u16string& portName) = 0;
    // Switches every queue printing to `portName` to "FILE:" and lists it in the connection's
    // parkedQueues (emptied first).
    virtual void ParkQueues(PrinterConnection& connection, const std::u16string& portName) = 0;
    // Gives every parked queue now on "FILE:" its port `portName` back.
    virtual void RestoreQueues(PrinterConnection& connection, const std::u16string& portName) = 0;
    // Sends `data` as one raw print job to the queue `printerName`: 0 success, 110 the queue
    // could not be opened, 29 any later failure or fewer bytes written than asked.
    virtual uint32_t SendRawJob(const std::u16string& printerName, uint32_t* written,
                                uint32_t length, const uint8_t* data) = 0;
};

// The process-wide implementation backed by sysfs and CUPS.
PortServices& SystemPortServices();

} // namespace qm
