// quillmark-cli ports: lists the serial, parallel and USB ports the main window offers and every
// print queue with the kind and detail of its port, as text or (--json) as one JSON object.

#include "cli/CommandLine.h"
#include "cli/JsonText.h"
#include "discovery/LocalPorts.h"
#include "discovery/PrintQueues.h"
#include "discovery/SerialPorts.h"
#include "discovery/UsbPorts.h"
#include "platform/Encoding.h"
#include "platform/ReadableText.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace qm::cli {
namespace {

struct PortsArguments {
    bool json = false;
};

const char* KindName(int kind) {
    switch (kind) {
    case 2:
        return "COM";
    case 3:
        return "LPT";
    case 4:
        return "USB";
    case 5:
        return "NET";
    default:
        return "other";
    }
}

// The USB record behind a "USBnnn" label, if any.
const UsbDeviceRecord* RecordOf(const std::vector<UsbDeviceRecord>& records,
                                const std::u16string& label) {
    for (const UsbDeviceRecord& record : records) {
        if (UsbPortLabel(record.portNumber) == label) {
            return &record;
        }
    }
    return nullptr;
}

nlohmann::ordered_json Collect() {
    std::vector<std::u16string> lpt;
    std::vector<std::u16string> usb;
    std::vector<std::u16string> com;
    FillLocalPortLists(lpt, usb, com);
    std::vector<UsbDeviceRecord> records;
    EnumerateUsbPrinters(records);
    std::vector<QueueRecord> queues;
    ListQueues(queues);

    nlohmann::ordered_json out;
    out["com"] = nlohmann::ordered_json::array();
    for (const std::u16string& name : com) {
        out["com"].push_back({{"name", Utf16ToUtf8(name)}, {"device", SerialDevicePath(name)}});
    }
    out["lpt"] = nlohmann::ordered_json::array();
    for (const std::u16string& name : lpt) {
        out["lpt"].push_back({{"name", Utf16ToUtf8(name)}, {"device", LptDevicePath(name)}});
    }
    out["usb"] = nlohmann::ordered_json::array();
    for (const std::u16string& name : usb) {
        nlohmann::ordered_json entry{{"name", Utf16ToUtf8(name)}};
        if (const UsbDeviceRecord* record = RecordOf(records, name)) {
            entry["device"] = record->nodePath;
            entry["devicePath"] = Utf16ToUtf8(record->devicePath);
            entry["deviceInstanceId"] = Utf16ToUtf8(record->deviceInstanceId);
            entry["description"] = Utf16ToUtf8(record->portDescription);
            entry["present"] = record->present != 0;
        }
        out["usb"].push_back(entry);
    }
    out["queues"] = nlohmann::ordered_json::array();
    for (const QueueRecord& queue : queues) {
        out["queues"].push_back({{"name", Utf16ToUtf8(queue.name)},
                                 {"kind", queue.portKind},
                                 {"kindName", KindName(queue.portKind)},
                                 {"detail", Utf16ToUtf8(queue.detail)},
                                 {"port", Utf16ToUtf8(queue.portName)},
                                 {"deviceUri", queue.deviceUri},
                                 {"paused", queue.paused != 0}});
    }
    return out;
}

// A name or detail from the system (a print queue's name, a device's) with control characters
// escaped.
std::string Shown(const nlohmann::ordered_json& text) {
    return EscapeControls(text.get<std::string>());
}

void PrintText(std::ostream& out, const nlohmann::ordered_json& ports) {
    out << "COM ports:\n";
    for (const auto& port : ports["com"]) {
        out << "  " << Shown(port["name"]) << "  " << Shown(port["device"]) << "\n";
    }
    out << "LPT ports:\n";
    for (const auto& port : ports["lpt"]) {
        out << "  " << Shown(port["name"]) << "  " << Shown(port["device"]) << "\n";
    }
    out << "USB ports:\n";
    for (const auto& port : ports["usb"]) {
        out << "  " << Shown(port["name"]);
        if (port.contains("device")) {
            out << "  " << Shown(port["device"]) << "  " << Shown(port["devicePath"])
                << (port["present"].get<bool>() ? "" : "  (not present)");
        }
        out << "\n";
    }
    out << "Print queues:\n";
    for (const auto& queue : ports["queues"]) {
        out << "  " << Shown(queue["name"]) << "  " << Shown(queue["kindName"]) << " ("
            << queue["kind"].get<int>() << ")  " << Shown(queue["detail"])
            << (queue["paused"].get<bool>() ? "  (paused)" : "") << "\n";
    }
}

int RunPorts(const PortsArguments& args, CommandIo& io) {
    const nlohmann::ordered_json ports = Collect();
    if (args.json) {
        // A name that is not valid UTF-8 (a queue or device named in another encoding) is shown
        // with replacement characters instead of ending the program.
        io.out << JsonText(ports) << "\n";
    } else {
        PrintText(io.out, ports);
    }
    return 0;
}

} // namespace

void AddPortsCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<PortsArguments>();
    CLI::App* cmd = app.add_subcommand(
        "ports", "List the COM, LPT and USB ports and every print queue with its port");
    cmd->add_flag("--json", args->json, "print one JSON object instead of text");
    cmd->callback([args, &io] { io.status = RunPorts(*args, io); });
}

} // namespace qm::cli
