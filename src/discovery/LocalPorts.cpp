#include "discovery/LocalPorts.h"

#include "discovery/SerialPorts.h"
#include "discovery/UsbPorts.h"
#include "platform/Encoding.h"
#include "platform/Environment.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qm {
namespace {

// "lp3" -> 3; -1 for any other name.
long ParallelIndex(const std::string& name) {
    if (name.size() < 3 || name.size() > 6 || name.compare(0, 2, "lp") != 0 ||
        name.find_first_not_of("0123456789", 2) != std::string::npos) {
        return -1;
    }
    return std::stol(name.substr(2));
}

} // namespace

void FillLocalPortLists(std::vector<std::u16string>& lpt, std::vector<std::u16string>& usb,
                        std::vector<std::u16string>& com) {
    lpt.clear();
    usb.clear();
    com.clear();

    std::vector<long> parallel;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(DevRoot(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const long index = ParallelIndex(it->path().filename().string());
        if (index >= 0) {
            parallel.push_back(index);
        }
    }
    std::sort(parallel.begin(), parallel.end());
    for (long index : parallel) {
        lpt.push_back(U16("LPT" + std::to_string(index + 1) + ":"));
    }

    std::vector<UsbDeviceRecord> records;
    EnumerateUsbPrinters(records);
    for (const UsbDeviceRecord& record : records) {
        std::u16string label = UsbPortLabel(record.portNumber);
        if (std::find(usb.begin(), usb.end(), label) == usb.end()) {
            usb.push_back(std::move(label));
        }
    }
    usb.emplace_back(kUsbAutoPortName);

    com = ListSerialPorts();
}

std::string LptDevicePath(std::u16string_view portName) {
    if (portName.size() < 5 || portName.substr(0, 3) != u"LPT" || portName.back() != u':') {
        return {};
    }
    const std::u16string_view digits = portName.substr(3, portName.size() - 4);
    if (digits.empty() || digits.size() > 3 || digits.front() == u'0') {
        return {};
    }
    long number = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') {
            return {};
        }
        number = number * 10 + (c - u'0');
    }
    return DevPath("lp" + std::to_string(number - 1));
}

} // namespace qm
