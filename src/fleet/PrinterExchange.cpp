#include "fleet/PrinterExchange.h"

#include "discovery/SystemPortServices.h"
#include "operations/ReceiveOperation.h"
#include "platform/Clock.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsParser.h"

namespace qm::fleet {

PrinterExchange::PrinterExchange(const StaticInterfaceSettings& settings)
    : settings_(settings), connection_(SystemClock::Instance(), SystemPortServices()) {}

MachineIdentity PrinterExchange::Identify() {
    return MachineIdentity::Ask(connection_, settings_);
}

int PrinterExchange::ReceiveSettings(int model, SettingsRecord& record) {
    SettingsParser parser(SettingsOptions::For(model, false, true));
    record = SettingsRecord{};
    record.modelIndex = model;
    // Scope ALL's settings request alone: the status and counters play no part here.
    const std::vector<RequestKind> kinds = {RequestKind::kAll};
    return ReceiveOperation(record, parser, connection_, settings_).Run(kinds, 0).code;
}

SendResult PrinterExchange::SendBaseline(const Baseline& baseline, bool& rfidRemoved) {
    const RfidCheckedConfiguration checked = SendOperation::BuildForPrinter(
        baseline.sendReady, baseline.options, connection_, settings_);
    rfidRemoved = checked.removed;
    if (checked.rfid.code != kOperationOk) {
        return {checked.rfid.code, checked.rfid.error, false};
    }
    if (checked.built.code != kOperationOk) {
        return {checked.built.code, 0, false};
    }
    return SendOperation::Send(checked.built.text, connection_, settings_);
}

} // namespace qm::fleet
