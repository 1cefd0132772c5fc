#include "operations/Exchange.h"

#include "connection/ReplyEnd.h"
#include "settings/Frame.h"

namespace qm {

Exchange::Exchange(PrinterConnection& connection, const InterfaceSettingsSource& settings)
    : connection_(connection), settings_(settings) {}

std::string Exchange::Frame(std::u16string_view commandText, bool withLeadIn) {
    qm::Frame frame = withLeadIn ? FrameForSending(commandText) : FrameWithoutLeadIn(commandText);
    return frame.result == FrameResult::kOk ? frame.bytes : std::string();
}

ExchangeResult Exchange::Open(ConnectPurpose purpose) {
    ExchangeResult result;
    connection_.SetInterfaceSettings(&settings_);
    if (!connection_.ConnectForOperation(purpose)) {
        connection_.Disconnect();
        result.code = kExchangeOpenFailed;
        return result;
    }
    if (const int32_t type = settings_.StoredPortType(); type < kPortCom || type > kPortNet) {
        connection_.Disconnect();
        result.code = kExchangeNoInterface;
    }
    return result;
}

ExchangeResult Exchange::WritePiece(std::string_view bytes) {
    ExchangeResult result;
    uint32_t done = 0;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<uint32_t>(bytes.size());
    const uint32_t error = settings_.StoredPortType() == kPortNet
                               ? connection_.NetWrite(length, data, &done)
                               : connection_.Write(data, length, &done);
    if (error != kResultSuccess || done != length) {
        connection_.Disconnect();
        result.code = kExchangeTransferFailed;
        result.error = error;
    }
    return result;
}

void Exchange::Close() {
    connection_.Disconnect();
}

ExchangeResult Exchange::WriteFramed(std::string_view bytes, ConnectPurpose purpose,
                                     bool keepOpen) {
    ExchangeResult result = Open(purpose);
    if (result.code != kExchangeOk) {
        return result;
    }
    result = WritePiece(bytes);
    if (result.code == kExchangeOk && !keepOpen) {
        connection_.Disconnect();
    }
    return result;
}

ReplyForm ReplyFormOf(RequestKind kind) {
    return kind == RequestKind::kCounters || kind == RequestKind::kStatus ? ReplyForm::kUnterminated
                                                                          : ReplyForm::kTerminated;
}

ExchangeResult Exchange::Request(std::u16string_view commandText, bool withLeadIn, RequestKind kind,
                                 ConnectPurpose purpose, bool keepOpen) {
    // A request needs a port it can read from: nothing chosen, or a print queue whose port
    // could not be taken over, has none.
    if (const int32_t type = settings_.StoredPortType(); type < kPortCom || type > kPortNet) {
        ExchangeResult result;
        result.code = kExchangeNoInterface;
        return result;
    }
    std::string bytes = Frame(commandText, withLeadIn);
    if (bytes.empty()) {
        ExchangeResult result;
        result.code = kExchangeTransferFailed;
        return result;
    }
    ExchangeResult result = WriteFramed(bytes, purpose, true);
    if (result.code != kExchangeOk) {
        return result;
    }
    uint8_t buffer[kReplyBufferSize] = {};
    uint32_t received = 0;
    const ReplyForm form = ReplyFormOf(kind);
    uint32_t error = settings_.StoredPortType() == kPortNet
                         ? connection_.NetRead(&received, buffer, form)
                         : connection_.Read(buffer, &received, form);
    bool open = true;
    auto close = [&] {
        if (open) {
            connection_.Disconnect();
            open = false;
        }
    };
    if (!keepOpen) {
        close();
    }
    if (error != kResultSuccess || received == 0 || received > kReplyBufferSize) {
        close();
        result.code = kExchangeAcquisitionFailed;
        result.error = error;
        return result;
    }
    // A port read that times out after some bytes hands back what it has. A reply that must end
    // with its terminator and does not is incomplete (cut off, or the printer stopped talking):
    // taking it would show half of the printer's settings as if they were all of them.
    const bool acceptShifted = settings_.StoredPortType() != kPortUsb;
    if (form == ReplyForm::kTerminated &&
        CheckReplyEnd(buffer, received, acceptShifted) == ReplyEnd::kOpen) {
        close();
        result.code = kExchangeAcquisitionFailed;
        result.error = kWaitTimeout;
        return result;
    }
    result.reply.assign(reinterpret_cast<const char*>(buffer), received);
    return result;
}

ExchangeResult Exchange::SendBytes(std::string_view bytes, ConnectPurpose purpose) {
    ExchangeResult result;
    if (bytes.empty() || bytes.size() > kMaxFrameBytes) {
        result.code = kExchangeTransferFailed;
        return result;
    }
    if (settings_.StoredPortType() == kPortPrt) {
        return SendJob(bytes);
    }
    return WriteFramed(bytes, purpose, false);
}

ExchangeResult Exchange::SendJob(std::string_view bytes) {
    ExchangeResult result;
    uint32_t written = 0;
    const int job = connection_.Services().SendRawJob(
        settings_.StoredPortName(), written, static_cast<uint32_t>(bytes.size()), bytes.data());
    if (job != 0) {
        result.code = job == 110 ? kExchangeOpenFailed : kExchangeTransferFailed;
        result.error = static_cast<uint32_t>(job);
    }
    return result;
}

ExchangeResult Exchange::Send(std::u16string_view commandText, ConnectPurpose purpose) {
    std::string bytes = Frame(commandText, true);
    if (bytes.empty()) {
        ExchangeResult result;
        result.code = kExchangeTransferFailed;
        return result;
    }
    return SendBytes(bytes, purpose);
}

} // namespace qm
