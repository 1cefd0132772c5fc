#include "operations/SendOperation.h"

#include "operations/Exchange.h"
#include "platform/Encoding.h"
#include "settings/Frame.h"

namespace qm {
namespace {

// What WriteConfiguration writes when no item is ticked.
constexpr std::u16string_view kEmptyConfiguration = u"END\r\n";

bool AnyTickedItemMarked(const SettingsRecord& record) {
    for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
        if (record.Item(e).ticked && record.Item(e).error) {
            return true;
        }
    }
    return false;
}

} // namespace

SendOperation::SendOperation(SettingsRecord& record, const ConfigurationWriter& writer,
                             SettingsParser& parser)
    : record_(record), writer_(writer), parser_(parser) {}

BuiltConfiguration SendOperation::Build(ConfigurationUse use) {
    BuiltConfiguration built;
    record_.text.clear();
    writer_.WriteConfiguration(record_, static_cast<int>(use));
    built.text = record_.text;
    if (built.text == kEmptyConfiguration) {
        built.code = kCodeNothingTicked;
        return built;
    }
    parser_.ParseSettings(record_, 0);
    record_.text = built.text;
    if (AnyTickedItemMarked(record_)) {
        built.code = kCodeInvalidItems;
    }
    return built;
}

RfidSupport SendOperation::CheckRfidSupport(PrinterConnection& connection,
                                            const InterfaceSettingsSource& settings) {
    RfidSupport support;
    SettingsRecord request;
    ConfigurationWriter::WriteRequest(request, RequestKind::kStandard);
    ExchangeResult exchanged =
        Exchange(connection, settings).Request(request.text, true, RequestKind::kStandard);
    support.code = exchanged.code;
    support.error = exchanged.error;
    if (exchanged.code != kOperationOk) {
        return support;
    }
    record_.rfidCheckText = AnsiToWide(exchanged.reply);
    support.supported = HasRfidSection(record_.rfidCheckText) == 1;
    return support;
}

RfidCheckedConfiguration SendOperation::BuildCheckingRfid(ConfigurationUse use,
                                                          PrinterConnection& connection,
                                                          const InterfaceSettingsSource& settings) {
    RfidCheckedConfiguration checked;
    if (CountTickedRfidItems(record_) > 0) {
        checked.asked = true;
        checked.rfid = CheckRfidSupport(connection, settings);
        if (checked.rfid.code != kOperationOk) {
            return checked;
        }
        if (!checked.rfid.supported) {
            UntickRfidItems(record_);
            checked.removed = true;
        }
    }
    checked.built = Build(use);
    return checked;
}

RfidCheckedConfiguration SendOperation::BuildForPrinter(const SettingsRecord& ready,
                                                        const SettingsOptions& options,
                                                        PrinterConnection& connection,
                                                        const InterfaceSettingsSource& settings) {
    SettingsRecord record = ready;
    SettingsParser parser(options);
    const ConfigurationWriter writer(options);
    return SendOperation(record, writer, parser)
        .BuildCheckingRfid(ConfigurationUse::kPrinter, connection, settings);
}

SendResult SendOperation::Send(std::u16string_view text, PrinterConnection& connection,
                               const InterfaceSettingsSource& settings) {
    SendResult result;
    if (FrameForSending(text).result != FrameResult::kOk) {
        result.code = kCodeTransferFailed;
        result.tooLarge = true;
        return result;
    }
    ExchangeResult exchanged = Exchange(connection, settings).Send(text);
    result.code = exchanged.code;
    result.error = exchanged.error;
    return result;
}

int SendOperation::CountTickedRfidItems(const SettingsRecord& record) {
    int count = 0;
    for (int e = entry::kFirstRfid; e <= entry::kLastRfid; ++e) {
        count += record.Item(e).ticked ? 1 : 0;
    }
    return count;
}

void SendOperation::UntickRfidItems(SettingsRecord& record) {
    for (int e = entry::kFirstRfid; e <= entry::kLastRfid; ++e) {
        record.Item(e).ticked = 0;
    }
}

} // namespace qm
