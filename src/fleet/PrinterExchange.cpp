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

SendResult PrinterExchange::Send(std::u16string_view configuration) {
    return SendOperation::Send(configuration, connection_, settings_);
}

} // namespace qm::fleet
