#include "operations/MachineIdentity.h"

#include "operations/ReceiveOperation.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

namespace qm {
namespace {

constexpr std::string_view kModelKey = "Model Number";
constexpr std::string_view kSerialKey = "Serial Number";
constexpr std::string_view kEmulationKey = "Emulation";
constexpr std::string_view kBlanks = " \t";

// The value of the line "KEY <blanks>:<blanks> VALUE", or nothing when `line` is another line.
bool ValueAfterKey(std::string_view line, std::string_view key, std::string& value) {
    if (line.substr(0, key.size()) != key) {
        return false;
    }
    std::string_view rest = line.substr(key.size());
    size_t colon = rest.find_first_not_of(kBlanks);
    if (colon == std::string_view::npos || rest[colon] != ':') {
        return false;
    }
    rest = rest.substr(colon + 1);
    size_t first = rest.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        value.clear();
        return true;
    }
    rest = rest.substr(first);
    rest = rest.substr(0, rest.find_last_not_of(kBlanks) + 1);
    value.assign(rest);
    return true;
}

} // namespace

MachineIdentity MachineIdentity::FromReply(std::string_view reply) {
    MachineIdentity identity;
    identity.reply.assign(reply);
    bool anyLine = false;
    size_t start = 0;
    while (start < reply.size()) {
        size_t end = reply.find_first_of("\r\n", start);
        std::string_view line = reply.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (line == "END") {
            break;
        }
        std::string value;
        if (identity.model.empty() && ValueAfterKey(line, kModelKey, value)) {
            identity.model = value;
            anyLine = true;
        } else if (identity.serial.empty() && ValueAfterKey(line, kSerialKey, value)) {
            identity.serial = value;
            anyLine = true;
        } else if (identity.emulation.empty() && ValueAfterKey(line, kEmulationKey, value)) {
            identity.emulation = value;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (!anyLine) {
        identity.code = kCodeAcquisitionFailed;
    }
    return identity;
}

MachineIdentity MachineIdentity::Ask(PrinterConnection& connection,
                                     const InterfaceSettingsSource& settings) {
    SettingsRecord record;
    SettingsParser parser(SettingsOptions{});
    const std::vector<RequestKind> kinds = {RequestKind::kMachineInfo};
    ReceiveResult received = ReceiveOperation(record, parser, connection, settings).Run(kinds, 0);
    if (!received.Ok()) {
        MachineIdentity failed;
        failed.code = received.code;
        failed.error = received.error;
        return failed;
    }
    return FromReply(received.Reply(RequestKind::kMachineInfo));
}

} // namespace qm
