#include "discovery/CupsQueueRules.h"

#include "connection/SerialSettings.h"
#include "discovery/CupsDeviceUri.h"
#include "discovery/CupsPortSource.h"
#include "discovery/LocalPorts.h"
#include "discovery/NetworkPortRules.h"
#include "discovery/SerialPorts.h"
#include "platform/Encoding.h"
#include "platform/Environment.h"

namespace qm {
namespace {

constexpr int kComPortCount = 96;
constexpr int kLptPortCount = 32;

void ClassifySerial(QueueRecord& record, const CupsDeviceUri& uri) {
    std::u16string port = ComPortForDevice(uri.path);
    if (port.empty()) {
        port = U16(uri.path);
    }
    record.portKind = 2;
    record.portName = port;
    record.detail = FormatSerialDescription(port, SerialSettingsFromCupsOptions(uri.options));
}

void ClassifyParallel(QueueRecord& record, const CupsDeviceUri& uri) {
    std::u16string port = LptPortForDevice(uri.path);
    if (port.empty()) {
        port = U16(uri.path);
    }
    record.portKind = 3;
    record.portName = port;
    record.detail = port;
}

void ClassifyUsb(QueueRecord& record, const CupsDeviceUri& uri,
                 const std::vector<UsbDeviceRecord>& usbRecords) {
    record.portKind = 4;
    record.portName = U16(record.deviceUri);
    const std::optional<std::string> serial = CupsUriOption(uri.options, "serial");
    if (serial && !serial->empty()) {
        for (const UsbDeviceRecord& usb : usbRecords) {
            if (usb.serial == *serial) {
                record.portName = UsbPortLabel(usb.portNumber);
                break;
            }
        }
    }
    record.detail = record.portName;
}

void ClassifyNetwork(QueueRecord& record) {
    const std::u16string port = U16(record.deviceUri);
    CupsPortSource source({record.deviceUri});
    record.portName = port;
    switch (ClassifyNetworkPort(source, port)) {
    case kNetPortMaker:
        record.portKind = 5;
        record.detail = ReadMakerTcpPort(source, port);
        break;
    case kNetPortSeh:
        record.portKind = 5;
        record.detail = SehPortDetail(port);
        break;
    case kNetPortStandard:
        record.portKind = 5;
        record.detail = ReadStandardTcpPort(source, port);
        break;
    default:
        record.portKind = 0;
        record.detail = port;
        break;
    }
}

} // namespace

bool DeviceOfPort(const std::string& devicePath, const std::string& portDevice) {
    if (SameDevice(devicePath, portDevice)) {
        return true;
    }
    // A URI names the system's /dev even while discovery looks at another device tree.
    const std::string root = DevRoot();
    return root != "/dev" && portDevice.size() > root.size() &&
           portDevice.compare(0, root.size(), root) == 0 && portDevice[root.size()] == '/' &&
           devicePath == "/dev" + portDevice.substr(root.size());
}

void ClassifyQueue(QueueRecord& record, const std::vector<UsbDeviceRecord>& usbRecords) {
    CupsDeviceUri uri;
    if (!ParseCupsDeviceUri(record.deviceUri, uri)) {
        record.portKind = 0;
        record.portName = U16(record.deviceUri);
        record.detail = record.portName;
        return;
    }
    if (uri.scheme == "serial") {
        ClassifySerial(record, uri);
    } else if (uri.scheme == "parallel") {
        ClassifyParallel(record, uri);
    } else if (uri.scheme == "usb") {
        ClassifyUsb(record, uri, usbRecords);
    } else {
        ClassifyNetwork(record);
    }
}

std::u16string ComPortForDevice(const std::string& devicePath) {
    for (int n = 1; n <= kComPortCount; ++n) {
        const std::u16string name = U16("COM" + std::to_string(n) + ":");
        if (DeviceOfPort(devicePath, SerialDevicePath(name))) {
            return name;
        }
    }
    return {};
}

std::u16string LptPortForDevice(const std::string& devicePath) {
    for (int n = 1; n <= kLptPortCount; ++n) {
        const std::u16string name = U16("LPT" + std::to_string(n) + ":");
        if (DeviceOfPort(devicePath, LptDevicePath(name))) {
            return name;
        }
    }
    return {};
}

} // namespace qm
