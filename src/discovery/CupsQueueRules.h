#pragma once

#include "discovery/PrintQueues.h"
#include "discovery/UsbPorts.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Works out a queue's port from its device URI (record.deviceUri) and fills record.portName,
// record.portKind and record.detail:
// - "serial:PATH?options": kind 2; the port is the COM name whose device is PATH ("COM1:" for
//   /dev/ttyS0), else PATH itself; the detail is the serial description of that port with the
//   line settings the URI's options give ("COM1, 9600, 8, 1, None, None").
// - "parallel:PATH": kind 3; the port and the detail are the LPT name of PATH ("LPT1:" for
//   /dev/lp0), else PATH.
// - "usb:...": kind 4; the port and the detail are the "USBnnn" label of the USB record whose
//   serial number equals the URI's "serial" option, else the URI.
// - any other URI goes through the network-port rules with the CUPS port data: maker monitor
//   and SEH cases as the rules give them, a usable standard entry (socket://host[:port], or
//   lpd/ipp/ipps/http/https with a port) kind 5 with "address, port"; otherwise kind 0 with the
//   URI as port and detail.
void ClassifyQueue(QueueRecord& record, const std::vector<UsbDeviceRecord>& usbRecords);

// True when a queue's device path is the device of a port (`portDevice` as the port map gives it,
// below DevRoot()): the same device, or the same name below /dev.
bool DeviceOfPort(const std::string& devicePath, const std::string& portDevice);

// The COM port name ("COM3:") whose device is `devicePath`; empty when none of COM1-96 is.
std::u16string ComPortForDevice(const std::string& devicePath);

// The LPT port name ("LPT1:") whose device is `devicePath`; empty when none is.
std::u16string LptPortForDevice(const std::string& devicePath);

} // namespace qm
