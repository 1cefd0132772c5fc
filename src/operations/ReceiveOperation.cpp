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
    std::vector<int> kinds;
};
const std::vector<ScopeKinds>& ScopeTable() {
    static const std::vector<ScopeKinds> table = {
        {ReceiveScope::kEasy, {int(kEasy)}},
        {ReceiveScope::kStandard, {int(kStandard)}},
        {ReceiveScope::kAdvanced, {int(kAdvanced)}},
        {ReceiveScope::kInformation, {int(kStatus), int(kCounters)}},
        {ReceiveScope::kAll, {int(kAll), int(kStatus), int(kCounters)}},
    };
    return table;
}

// What a menu reply of a kind forgets after it is parsed (ConfigurationWriter::ResetItems
// modes): an EASY reply keeps the six Easy items only, STANDARD and ALL forget the wireless
// keys and passwords, ADVANCED keeps everything.
constexpr int kForgetAllButEasy = 0;
constexpr int kForgetWirelessKeys = 1;
constexpr int kForgetNothing = -1;
int ForgetModeOf(int kind) {
    switch (static_cast<RequestKind>(kind)) {
    case kEasy:
        return kForgetAllButEasy;
    case kStandard:
    case kAll:
        return kForgetWirelessKeys;
    default:
        return kForgetNothing;
    }
}

} // namespace

std::vector<int> RequestKindsForScope(ReceiveScope scope, bool statusOnly) {
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

std::vector<int> SelfInfoRequestKinds() {
    return {int(kMachineInfo), int(kStandard)};
}

bool IsMenuRequestKind(int kind) {
    return kind == int(kEasy) || kind == int(kStandard) || kind == int(kAdvanced) ||
           kind == int(kAll);
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

ReceiveResult ReceiveOperation::Run(const std::vector<int>& kinds, int statusClass) {
    ReceiveObserver nothing;
    return Run(kinds, statusClass, nothing);
}

ReceiveResult ReceiveOperation::Run(const std::vector<int>& kinds, int statusClass,
                                    ReceiveObserver& observer) {
    ReceiveResult result;
    record_.Clear();
    Exchange exchange(connection_, settings_);
    for (int kind : kinds) {
        auto fail = [&](int code, uint32_t error = 0) {
            result.code = code;
            result.failedKind = kind;
            result.error = error;
            result.silent = kind == int(kCounters) && code == kCodeAcquisitionFailed;
            return result;
        };
        if (kind < 0 || kind >= kRequestKindCount ||
            !ConfigurationWriter::WriteRequest(record_, kind, statusClass)) {
            return fail(kCodeTransferFailed);
        }
        observer.BeforeExchange(kind);
        ExchangeResult exchanged = exchange.Request(record_.text, kind != int(kStatus), kind);
        observer.AfterExchange(kind);
        if (exchanged.code != kOperationOk) {
            return fail(exchanged.code, exchanged.error);
        }
        if (kind == int(kStatus)) {
            // The status passes the menu reply's one-stray-byte rule before it is kept, so no
            // position of it is shifted when it is shown or decoded.
            const ReplyStartResult start = CheckStatusReplyStart(exchanged.reply, statusClass);
            if (!start.accepted) {
                return fail(kCodeAcquisitionFailed);
            }
            result.statusDroppedBytes = start.droppedBytes;
            exchanged.reply = start.text;
        }
        result.replies[static_cast<size_t>(kind)] = exchanged.reply;
        result.received[static_cast<size_t>(kind)] = true;
        record_.text = AnsiToWide(exchanged.reply);
        switch (static_cast<RequestKind>(kind)) {
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

int ReceiveOperation::TakeMenuReply(int kind, std::string_view reply, ReceiveObserver& observer,
                                    int* droppedBytes) {
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
    if (const int mode = ForgetModeOf(kind); mode != kForgetNothing) {
        ConfigurationWriter::ResetItems(record_, mode);
    }
    observer.MenuKept(kind);
    return kOperationOk;
}

} // namespace qm
