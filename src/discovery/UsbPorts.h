#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The device interface class of USB printers; the last field of every USB device path.
inline constexpr std::u16string_view kUsbPrintInterfaceClass =
    u"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

// The port name that means "the first USB printer present".
inline constexpr std::u16string_view kUsbAutoPortName = u"USB_AUTO";

// One USB printer-class interface, found in sysfs as /sys/class/usbmisc/lpN whose `device` link
// leads to an interface with bInterfaceClass 07; idVendor, idProduct and serial sit in the
// interface's parent, the USB device directory.
struct UsbDeviceRecord {
    // "USB\VID_04B8&PID_0202\SER01" (hex digits upper case).
    std::u16string deviceInstanceId;
    // "\\?\USB#VID_04B8&PID_0202#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}": four fields
    // separated by "#"; kept for display and for the port-label notification of the USB open.
    std::u16string devicePath;
    // The device's product string when sysfs has one, else empty.
    std::u16string portDescription;
    // The serial number as sysfs gives it (empty when the device has none); a CUPS "usb:" URI
    // names its printer by it ("?serial=...").
    std::string serial;
    // The node the connection opens: DevPath("usb/lpN").
    std::string nodePath;
    // N + 1 for /sys/class/usbmisc/lpN (the port USB001 is lp0); 0 when not readable.
    uint32_t portNumber = 0;
    // 1 when the node exists (the printer is attached and its driver bound).
    int present = 0;
};

// Turns an interface name into a device path: every "##?#" becomes "\\?\".
// "##?#USB#VID_1234&PID_5678#SER01#{...}" gives "\\?\USB#VID_1234&PID_5678#SER01#{...}".
std::u16string InterfaceNameToDevicePath(std::u16string_view interfaceName);

// "USB%03d" of a port number: 1 gives "USB001", 1234 gives "USB1234".
std::u16string UsbPortLabel(uint32_t portNumber);

// Lists every USB printer interface under SysfsPath("class/usbmisc") in port-number order.
// Empties `records` first. Returns 1 when at least one record was found, else 0.
int EnumerateUsbPrinters(std::vector<UsbDeviceRecord>& records);

// Turns a USB port name into the device to open.
// - "USB_AUTO": the first present record wins and `portName` is replaced by its label.
// - otherwise the name must be exactly 6 characters; the wanted port number is the "%u"
//   conversion of its last three characters ("USBabc" asks for port 0, "USB1" never resolves);
//   the first record with that number and the present flag wins.
// `usbPortLabel` (the connection's field) is emptied first and receives the winner's label in
// both modes. On a win `devicePath` receives the record's device path, `nodePath` the node to
// open, and the result is 1; otherwise both are emptied and the result is 0.
int ResolveUsbPort(std::u16string& usbPortLabel, std::u16string& devicePath, std::string& nodePath,
                   std::u16string& portName);

} // namespace qm
