#include "cli/PortPermissionNote.h"

#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/OperationCode.h"
#include "platform/PortPermissionHint.h"

#include <cerrno>
#include <unistd.h>

namespace qm::cli {
namespace {

// The device file the stored port opens; empty when it has none.
std::string DeviceOf(const InterfaceSettingsSource& settings) {
    std::u16string name = settings.StoredPortName();
    switch (settings.StoredPortType()) {
    case kPortCom:
    case kPortLpt:
        return DeviceNodeForPort(name);
    case kPortUsb: {
        std::u16string label;
        std::u16string devicePath;
        std::string node;
        return SystemPortServices().ResolveUsbPort(label, devicePath, node, name) ? node
                                                                                  : std::string();
    }
    default:
        return std::string();
    }
}

} // namespace

void ExplainOpenFailure(std::ostream& err, int code, const InterfaceSettingsSource& settings) {
    if (code != kCodeOpenFailed) {
        return;
    }
    const std::string device = DeviceOf(settings);
    // Asked again rather than taken from the failed open, which other calls have overwritten
    // since; access() neither opens the port nor disturbs its lines.
    if (device.empty() || ::access(device.c_str(), R_OK | W_OK) == 0) {
        return;
    }
    const std::string hint = PortPermissionHint(device, errno);
    if (!hint.empty()) {
        err << "quillmark-cli: " << hint << "\n";
    }
}

} // namespace qm::cli
