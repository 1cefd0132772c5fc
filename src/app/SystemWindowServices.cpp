#include "app/Preferences.h"
#include "app/WindowServices.h"
#include "discovery/LocalPorts.h"
#include "discovery/SerialPorts.h"
#include "platform/Encoding.h"

#include <cups/cups.h>

namespace qm {
namespace {

class SystemServices : public WindowServices {
public:
    void FillLocalPortLists(std::vector<std::u16string>& lpt, std::vector<std::u16string>& usb,
                            std::vector<std::u16string>& com) override {
        qm::FillLocalPortLists(lpt, usb, com);
    }
    void ListQueues(std::vector<QueueRecord>& queues) override { qm::ListQueues(queues); }
    std::u16string DefaultPrinterName() override {
        // The destination CUPS names as the default (lpoptions, then the server's default).
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
        if (dest == nullptr) {
            return {};
        }
        std::u16string name = dest->name != nullptr ? Utf8ToUtf16(dest->name) : std::u16string();
        cupsFreeDests(1, dest);
        return name;
    }
    bool ResolveHostName(std::u16string_view name, std::u16string& dotted) override {
        return ResolveHostNameToDotted(name, dotted);
    }
    std::string SerialDevicePath(std::u16string_view portName) override {
        return qm::SerialDevicePath(portName);
    }
};

} // namespace

WindowServices& SystemWindowServices() {
    static SystemServices services;
    return services;
}

} // namespace qm
