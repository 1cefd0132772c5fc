#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The entries of the main window's three port lists; the window puts them into its drop-down
// lists and selects the first entry of each.
// - lpt: "LPT1:" for /dev/lp0, "LPT2:" for /dev/lp1, ... for every parallel node present
//   (DevPath, so QUILLMARK_DEV_ROOT points it at a fake tree), in port order;
// - usb: the "USBnnn" label of every record of EnumerateUsbPrinters, then "USB_AUTO";
// - com: ListSerialPorts.
// Each list is emptied first.
void FillLocalPortLists(std::vector<std::u16string>& lpt, std::vector<std::u16string>& usb,
                        std::vector<std::u16string>& com);

// The parallel node of an "LPTn:" port name (DevPath("lp<n-1>")); empty for any other name.
std::string LptDevicePath(std::u16string_view portName);

} // namespace qm
