#include "discovery/UsbPorts.h"

#include "platform/Encoding.h"
#include "platform/Environment.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace qm {
namespace {

namespace fs = std::filesystem;

// The first line of a small sysfs attribute file, without surrounding blanks; empty when the
// file cannot be read.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) {
        return {};
    }
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = line.find_last_not_of(" \t\r\n");
    return line.substr(first, last - first + 1);
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// A serial number becomes one field of the device path and of the device instance id, so the
// characters that separate those fields ("#", "\") and anything outside printable ASCII are
// replaced by "_".
std::string SafeField(const std::string& text) {
    std::string safe = text;
    for (char& c : safe) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F || c == '#' || c == '\\' || c == '/') {
            c = '_';
        }
    }
    return safe;
}

// "lp12" -> 12; -1 for any other name.
long LpIndex(const std::string& name) {
    if (name.size() < 3 || name.compare(0, 2, "lp") != 0 || name.size() > 11) {
        return -1;
    }
    long value = 0;
    for (size_t i = 2; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -1;
        }
        value = value * 10 + (name[i] - '0');
    }
    return value;
}

// Builds the record of /sys/class/usbmisc/lpN; false when the entry is not a USB printer
// interface or its USB device has no vendor and product id.
bool ReadRecord(const fs::path& entry, long index, UsbDeviceRecord& record) {
    std::error_code ec;
    const fs::path interface = fs::canonical(entry / "device", ec);
    if (ec) {
        return false;
    }
    if (ReadAttribute(interface / "bInterfaceClass") != "07") {
        return false;
    }
    const fs::path device = interface.parent_path();
    const std::string vendor = SafeField(UpperAscii(ReadAttribute(device / "idVendor")));
    const std::string product = SafeField(UpperAscii(ReadAttribute(device / "idProduct")));
    if (vendor.empty() || product.empty()) {
        return false;
    }
    record.serial = ReadAttribute(device / "serial");
    std::string serial = SafeField(record.serial);
    if (serial.empty()) {
        // Without a serial number the USB device's place on the bus names it.
        serial = SafeField(device.filename().string());
    }
    const std::string ids = "VID_" + vendor + "&PID_" + product;
    record.deviceInstanceId = U16("USB\\" + ids + "\\" + serial);
    record.devicePath = InterfaceNameToDevicePath(U16("##?#USB#" + ids + "#" + serial + "#") +
                                                  std::u16string(kUsbPrintInterfaceClass));
    record.portDescription = U16(ReadAttribute(device / "product"));
    record.nodePath = DevPath("usb/lp" + std::to_string(index));
    record.portNumber = static_cast<uint32_t>(index + 1);
    record.present = fs::exists(record.nodePath, ec) ? 1 : 0;
    return true;
}

// The "%u" conversion of a text: leading white space, an optional sign, then decimal digits
// (a minus sign wraps the value as the C library does); 0 when no digit follows.
uint32_t ScanUnsigned(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    uint32_t value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - u'0');
        digits = true;
    }
    if (!digits) {
        return 0;
    }
    return negative ? 0u - value : value;
}

} // namespace

std::u16string InterfaceNameToDevicePath(std::u16string_view interfaceName) {
    static constexpr std::u16string_view kFrom = u"##?#";
    static constexpr std::u16string_view kTo = u"\\\\?\\";
    std::u16string path;
    size_t pos = 0;
    while (pos < interfaceName.size()) {
        const size_t hit = interfaceName.find(kFrom, pos);
        if (hit == std::u16string_view::npos) {
            path.append(interfaceName.substr(pos));
            break;
        }
        path.append(interfaceName.substr(pos, hit - pos));
        path.append(kTo);
        pos = hit + kFrom.size();
    }
    return path;
}

std::u16string UsbPortLabel(uint32_t portNumber) {
    char text[24];
    std::snprintf(text, sizeof text, "USB%03d", static_cast<int>(portNumber));
    return U16(text);
}

int EnumerateUsbPrinters(std::vector<UsbDeviceRecord>& records) {
    records.clear();
    std::error_code ec;
    std::vector<std::pair<long, fs::path>> entries;
    for (fs::directory_iterator it(SysfsPath("class/usbmisc"), ec), end; !ec && it != end;
         it.increment(ec)) {
        const long index = LpIndex(it->path().filename().string());
        if (index >= 0) {
            entries.emplace_back(index, it->path());
        }
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& [index, path] : entries) {
        UsbDeviceRecord record;
        if (ReadRecord(path, index, record)) {
            records.push_back(std::move(record));
        }
    }
    return records.empty() ? 0 : 1;
}

int ResolveUsbPort(std::u16string& usbPortLabel, std::u16string& devicePath, std::string& nodePath,
                   std::u16string& portName) {
    devicePath.clear();
    nodePath.clear();
    const bool automatic = portName == kUsbAutoPortName;
    uint32_t wanted = 0;
    if (!automatic) {
        if (portName.size() != 6) {
            return 0;
        }
        wanted = ScanUnsigned(std::u16string_view(portName).substr(3));
    }
    usbPortLabel.clear();
    std::vector<UsbDeviceRecord> records;
    if (!EnumerateUsbPrinters(records)) {
        return 0;
    }
    for (const UsbDeviceRecord& record : records) {
        if (!record.present || (!automatic && record.portNumber != wanted)) {
            continue;
        }
        usbPortLabel = UsbPortLabel(record.portNumber);
        if (automatic) {
            portName = usbPortLabel;
        }
        devicePath = record.devicePath;
        nodePath = record.nodePath;
        return 1;
    }
    return 0;
}

} // namespace qm
