#include "discovery/SystemPortServices.h"
#include "discovery/PrintQueues.h"
#include "discovery/UsbPorts.h"

namespace qm {
namespace {

// Port services backed by sysfs (USB lookup) and CUPS (parking, raw jobs).
class SystemServices : public PortServices {
public:
    int ResolveUsbPort(std::u16string& usbPortLabel, std::u16string& devicePath,
                       std::string& nodePath, std::u16string& portName) override {
        return qm::ResolveUsbPort(usbPortLabel, devicePath, nodePath, portName);
    }
    int ParkQueues(std::vector<std::u16string>& parkedQueues,
                   std::u16string_view portName) override {
        return qm::ParkQueues(parkedQueues, portName);
    }
    int RestoreQueues(const std::vector<std::u16string>& parkedQueues,
                      std::u16string_view portName) override {
        return qm::RestoreQueues(parkedQueues, portName);
    }
    int SendRawJob(std::u16string_view printerName, uint32_t& written, uint32_t length,
                   const void* data) override {
        return qm::SendRawJob(printerName, written, length, data);
    }
};

} // namespace

PortServices& SystemPortServices() {
    static SystemServices services;
    return services;
}

} // namespace qm
