#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/OperationCode.h"
#include "settings/ConfigurationWriter.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The codes an exchange can end with (OperationCode.h).
inline constexpr int kExchangeOk = kOperationOk;
inline constexpr int kExchangeOpenFailed = kCodeOpenFailed;
inline constexpr int kExchangeTransferFailed = kCodeTransferFailed;
inline constexpr int kExchangeAcquisitionFailed = kCodeAcquisitionFailed;
inline constexpr int kExchangeNoInterface = kCodeNoInterface;

// How the reply to a request kind ends: the counters (3) and the status (6) carry no
// terminator; every other reply ends with "END\r\n".
ReplyForm ReplyFormOf(RequestKind kind);

// The outcome of one exchange.
struct ExchangeResult {
    int code = kExchangeOk; // 0 or one of the codes above
    uint32_t error = 0;     // the connection's result code of the failing call (0 when none)
    std::string reply;      // the reply bytes as received (requests only)
};

// The exchange every printer operation makes, in one place: connect for a purpose, frame the
// command (17-byte lead-in + the text in the ANSI code page, or the bare text for the status
// request), write it (COM, LPT, USB) or send it (NET), read the reply for its kind, disconnect.
// Disconnect runs on every path after a connect attempt.
class Exchange {
public:
    // The raw print jobs of a print queue go through the connection's port services.
    Exchange(PrinterConnection& connection, const InterfaceSettingsSource& settings);

    // A request with a reply: the receive sequence's step for one request kind (purpose
    // kPurposeReceive unless given). Codes: 40 the stored port type has no port to ask (none or
    // PRT; nothing is opened); 30 the connect failed; 31 the write failed, wrote fewer bytes, or
    // the framed command exceeds 4096 bytes; 32 the read failed, timed out empty, or the reply
    // filled the buffer without its end. With keepOpen a request that succeeded leaves the
    // connection open for WritePiece and Close (a failed one always closes it).
    ExchangeResult Request(std::u16string_view commandText, bool withLeadIn, RequestKind kind,
                           ConnectPurpose purpose = kPurposeReceive, bool keepOpen = false);

    // A send without a reply (configuration, print data): lead-in + text. For PRT the bytes go
    // as one raw print job to the queue named by the stored port name (110 -> 30, 29 -> 31).
    ExchangeResult Send(std::u16string_view commandText, ConnectPurpose purpose = kPurposeSend);

    // Sends bytes that are already framed (e.g. a print file) as Send does.
    ExchangeResult SendBytes(std::string_view bytes, ConnectPurpose purpose = kPurposeSend);

    // One raw print job of `bytes` to the print queue named by the stored port name (no size
    // limit of its own: the caller bounds what it hands over). 110 -> 30, 29 -> 31.
    ExchangeResult SendJob(std::string_view bytes);

    // A connection held over several writes (a print file sent in pieces). Open connects for
    // a purpose: 30 the connect failed, 40 the stored port type has no port to write to (none
    // or PRT); the connection is closed again on either. WritePiece writes one piece: 31 on a
    // failed or short write, after which the connection is closed. Close disconnects.
    ExchangeResult Open(ConnectPurpose purpose);
    ExchangeResult WritePiece(std::string_view bytes);
    void Close();

    // The framed bytes of a command: the lead-in (when asked) and the text in the ANSI code page.
    // Empty when the result would not fit the 4096-byte send buffer.
    static std::string Frame(std::u16string_view commandText, bool withLeadIn);

private:
    ExchangeResult WriteFramed(std::string_view bytes, ConnectPurpose purpose, bool keepOpen);

    PrinterConnection& connection_;
    const InterfaceSettingsSource& settings_;
};

} // namespace qm
