#include "operations/ReceiveOperation.h"

#include "operations/Exchange.h"
#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/ModelTable.h"
#include "settings/ReplyStart.h"

namespace qm {
namespace {

using enum RequestKind;

// The request kinds of each scope, in the order they are sent; the INFORMATION scope sends
// only its first kind (the status) when only the status is asked for.
struct ScopeKinds {
    ReceiveScope scope;
    std::vector<RequestKind> kinds;
};
const std::vector<ScopeKinds>& ScopeTable() {
    static const std::vector<ScopeKinds> table = {
        {ReceiveScope::kEasy, {kEasy}},
        {ReceiveScope::kStandard, {kStandard}},
        {ReceiveScope::kAdvanced, {kAdvanced}},
        {ReceiveScope::kInformation, {kStatus, kCounters}},
        {ReceiveScope::kAll, {kAll, kStatus, kCounters}},
    };
    return table;
}

// What a menu reply of a kind forgets after it is parsed (ConfigurationWriter::ResetItems
// modes): an EASY reply keeps the six Easy items only, STANDARD and ALL forget the wireless
// keys and passwords, ADVANCED keeps everything.
std::optional<ResetMode> ForgetModeOf(RequestKind kind) {
    switch (kind) {
    case kEasy:
        return ResetMode::kAllButEasy;
    case kStandard:
    case kAll:
        return ResetMode::kWirelessKeys;
    default:
        return std::nullopt;
    }
}

} // namespace

std::vector<RequestKind> RequestKindsForScope(ReceiveScope scope, bool statusOnly) {
    for (const ScopeKinds& row : ScopeTable()) {
        if (row.scope == scope) {
            if (scope == ReceiveScope::kInformation && statusOnly) {
                return {row.kinds.front()};
            }
            return row.kinds;
        }
    }
    return {};
}

std::vector<RequestKind> SelfInfoRequestKinds() {
    return {kMachineInfo, kStandard};
}

bool IsMenuRequestKind(RequestKind kind) {
    return kind == kEasy || kind == kStandard || kind == kAdvanced || kind == kAll;
}

int DefaultStatusClass(int model) {
    switch (ModelTable::Row(model).variant) {
    case ModelVariant::kZebra:
        return 1;
    case ModelVariant::kEltron:
        return 2;
    default:
        return 0;
    }
}

ReceiveOperation::ReceiveOperation(SettingsRecord& record, SettingsParser& parser,
                                   PrinterConnection& connection,
                                   const InterfaceSettingsSource& settings)
    : record_(record), parser_(parser), connection_(connection), settings_(settings) {}

ReceiveResult ReceiveOperation::Run(const std::vector<RequestKind>& kinds, int statusClass) {
    ReceiveObserver nothing;
    return Run(kinds, statusClass, nothing);
}

ReceiveResult ReceiveOperation::Run(const std::vector<RequestKind>& kinds, int statusClass,
                                    ReceiveObserver& observer) {
    ReceiveResult result;
    record_.Clear();
    Exchange exchange(connection_, settings_);
    for (RequestKind kind : kinds) {
        auto fail = [&](int code, uint32_t error = 0) {
            result.code = code;
            result.failedKind = kind;
            result.error = error;
            result.silent = kind == kCounters && code == kCodeAcquisitionFailed;
            return result;
        };
        if (ReceiveResult::KindIndex(kind) >= kRequestKindCount ||
            !ConfigurationWriter::WriteRequest(record_, kind, statusClass)) {
            return fail(kCodeTransferFailed);
        }
        observer.BeforeExchange(kind);
        ExchangeResult exchanged = exchange.Request(record_.text, kind != kStatus, kind);
        observer.AfterExchange(kind);
        if (exchanged.code != kOperationOk) {
            return fail(exchanged.code, exchanged.error);
        }
        if (kind == kStatus) {
            // The status passes the menu reply's one-stray-byte rule before it is kept, so no
            // position of it is shifted when it is shown or decoded.
            const ReplyStartResult start = CheckStatusReplyStart(exchanged.reply, statusClass);
            if (!start.accepted) {
                return fail(kCodeAcquisitionFailed);
            }
            result.statusDroppedBytes = start.droppedBytes;
            exchanged.reply = start.text;
        }
        result.replies[ReceiveResult::KindIndex(kind)] = exchanged.reply;
        result.received[ReceiveResult::KindIndex(kind)] = true;
        record_.text = AnsiToWide(exchanged.reply);
        switch (kind) {
        case kStatus:
            observer.StatusReceived(exchanged.reply);
            break;
        case kCounters:
            observer.CountersReceived(exchanged.reply);
            break;
        case kMachineInfo:
            observer.MachineInfoReceived(exchanged.reply);
            break;
        default:
            if (int code = TakeMenuReply(kind, exchanged.reply, observer, &result.droppedBytes);
                code != kOperationOk) {
                return fail(code);
            }
            break;
        }
    }
    return result;
}

int ReceiveOperation::TakeMenuReply(RequestKind kind, std::string_view reply,
                                    ReceiveObserver& observer, int* droppedBytes) {
    const ReplyStartResult start = CheckReplyStart(reply);
    if (droppedBytes != nullptr) {
        *droppedBytes = start.droppedBytes;
    }
    if (!start.accepted) {
        return kCodeAcquisitionFailed;
    }
    record_.text = AnsiToWide(start.text);
    if (!parser_.ParseSettings(record_, 1)) {
        return kCodeAcquisitionFailed;
    }
    observer.MenuParsed(kind);
    if (const std::optional<ResetMode> mode = ForgetModeOf(kind)) {
        ConfigurationWriter::ResetItems(record_, *mode);
    }
    observer.MenuKept(kind);
    return kOperationOk;
}

} // namespace qm
