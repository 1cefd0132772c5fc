// The three status decoders: each reads only its window, a reply that says nothing gives
// nothing, the flag form follows its first flag letter, and a status kept by the start check
// decodes the same with or without a stray byte in front.

#include "FuzzSupport.h"

#include "settings/ReplyStart.h"
#include "settings/StatusDecoder.h"

using namespace qm;

namespace {

bool Same(const PrinterStatus& a, const PrinterStatus& b) {
    return a.paperError == b.paperError && a.ribbonError == b.ribbonError &&
           a.printing == b.printing && a.pause == b.pause &&
           a.waitingForPeeling == b.waitingForPeeling && a.errorCode == b.errorCode &&
           a.message == b.message;
}

bool SaysNothing(const PrinterStatus& s) {
    return Same(s, PrinterStatus{});
}

StatusFlag Letter(std::string_view reply, size_t at) {
    if (at >= reply.size() || at >= StatusDecoder::kFlagWindow) {
        return StatusFlag::kUnknown;
    }
    return reply[at] == 'Y'   ? StatusFlag::kYes
           : reply[at] == 'N' ? StatusFlag::kNo
                              : StatusFlag::kUnknown;
}

void CheckFlags(std::string_view reply, const PrinterStatus& s) {
    const std::string_view window = reply.substr(0, StatusDecoder::kFlagWindow);
    const size_t f = window.find_first_of("YN");
    if (f == std::string_view::npos || f >= StatusDecoder::kFlagStartLimit) {
        fuzz::Check(SaysNothing(s), "a flag reply without a first flag says nothing");
        return;
    }
    fuzz::Check(s.paperError == Letter(reply, f + 1) && s.ribbonError == Letter(reply, f + 2) &&
                    s.pause == Letter(reply, f + 5) && s.waitingForPeeling == Letter(reply, f + 6),
                "the flags follow the first flag letter");
    const StatusFlag a = Letter(reply, f + 3);
    const StatusFlag b = Letter(reply, f + 4);
    const StatusFlag printing = (a == StatusFlag::kYes || b == StatusFlag::kYes) ? StatusFlag::kYes
                                : (a == StatusFlag::kNo && b == StatusFlag::kNo)
                                    ? StatusFlag::kNo
                                    : StatusFlag::kUnknown;
    fuzz::Check(s.printing == printing, "printing follows the two busy letters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const int form = in.Byte() % kStatusFormCount;
    const std::string reply(in.Rest());

    const PrinterStatus flags = StatusDecoder::DecodeFlags(reply);
    const PrinterStatus host = StatusDecoder::DecodeHostStatus(reply);
    const PrinterStatus code = StatusDecoder::DecodeErrorCode(reply);
    fuzz::Check(Same(StatusDecoder::Decode(0, reply), flags) &&
                    Same(StatusDecoder::Decode(1, reply), host) &&
                    Same(StatusDecoder::Decode(2, reply), code),
                "Decode picks the decoder of its form");
    fuzz::Check(SaysNothing(StatusDecoder::Decode(kStatusFormCount, reply)) &&
                    SaysNothing(StatusDecoder::Decode(-1, reply)),
                "an unknown form says nothing");
    CheckFlags(reply, flags);

    // Bytes beyond a decoder's window change nothing.
    const std::string longer = reply + std::string(300, 'Y');
    if (reply.size() >= StatusDecoder::kFlagWindow) {
        fuzz::Check(Same(StatusDecoder::DecodeFlags(longer), flags),
                    "the flag form reads 128 bytes");
    }
    if (reply.size() >= StatusDecoder::kHostStatusWindow) {
        fuzz::Check(Same(StatusDecoder::DecodeHostStatus(longer), host),
                    "the host-status form reads 256 bytes");
    }
    const std::string_view window =
        std::string_view(reply).substr(0, StatusDecoder::kHostStatusWindow);
    const size_t s = window.find('\x02');
    const bool twoStrings =
        s != std::string_view::npos && window.find('\x02', s + 1) != std::string_view::npos;
    fuzz::Check(SaysNothing(host) != twoStrings,
                "the host-status form answers exactly with two STX");
    fuzz::Check(code.message != StatusMessage::kNone, "an error-code reply always has a message");
    fuzz::Check(code.errorCode.size() <= 2 && reply.starts_with(code.errorCode),
                "the error code is the reply's first bytes");

    // What the start check keeps decodes the same with a stray byte in front, as long as the
    // stray byte pushes nothing out of the decoder's window.
    const size_t reach =
        form == 0 ? StatusDecoder::kFlagStartLimit : StatusDecoder::kHostStatusWindow;
    const ReplyStartResult kept = CheckStatusReplyStart(reply, form);
    if (kept.accepted && kept.droppedBytes == 0 && reply.size() < reach) {
        const ReplyStartResult stray = CheckStatusReplyStart("?" + reply, form);
        fuzz::Check(stray.accepted && Same(StatusDecoder::Decode(form, stray.text),
                                           StatusDecoder::Decode(form, kept.text)),
                    "a stray byte before a status changes nothing it says");
        fuzz::Check(form != 2 || stray.text == kept.text,
                    "a stray byte before an error code is dropped");
    }
    return 0;
}
