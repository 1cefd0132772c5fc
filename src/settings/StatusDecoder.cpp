#include "settings/StatusDecoder.h"

#include <optional>

namespace qm {
namespace {

constexpr char kStx = '\x02';

// The error codes an error-code reply can carry, in the order they are looked for.
struct ErrorCodeRow {
    std::string_view code;
    StatusMessage message;
};

// clang-format off
constexpr ErrorCodeRow kErrorCodes[] = {
    {"00", StatusMessage::kNoError},
    {"01", StatusMessage::kOtherError},
    {"02", StatusMessage::kOtherError},
    {"03", StatusMessage::kOtherError},
    {"04", StatusMessage::kOtherError},
    {"05", StatusMessage::kOtherError},
    {"06", StatusMessage::kOtherError},
    {"07", StatusMessage::kPaperOrRibbonEnd},
    {"08", StatusMessage::kOtherError},
    {"09", StatusMessage::kOtherError},
    {"10", StatusMessage::kOtherError},
    {"11", StatusMessage::kHeadUp},
    {"12", StatusMessage::kPauseOrWaiting},
    {"13", StatusMessage::kOtherError},
    {"14", StatusMessage::kOtherError},
    {"15", StatusMessage::kOtherError},
    {"16", StatusMessage::kOtherError},
    {"17", StatusMessage::kBusy},
    {"51", StatusMessage::kOtherError},
    {"93", StatusMessage::kOtherError},
};
// clang-format on

// The bytes of a reply within its window; a position the reply does not reach has no byte.
class Window {
public:
    Window(std::string_view reply, size_t size) : bytes_(reply.substr(0, size)) {}

    std::optional<char> At(size_t at) const {
        if (at >= bytes_.size()) {
            return std::nullopt;
        }
        return bytes_[at];
    }
    bool Is(size_t at, char c) const { return At(at) == c; }
    // True when some byte of at..at+count-1 that the reply holds is not "0".
    bool AnyNotZero(size_t at, size_t count) const {
        for (size_t i = at; i < at + count; ++i) {
            if (std::optional<char> c = At(i); c && *c != '0') {
                return true;
            }
        }
        return false;
    }
    size_t Find(char c, size_t from) const { return bytes_.find(c, from); }
    size_t FindFirstOf(std::string_view set) const { return bytes_.find_first_of(set); }

private:
    std::string_view bytes_;
};

StatusFlag FlagOf(std::optional<char> c) {
    if (c == 'Y') {
        return StatusFlag::kYes;
    }
    if (c == 'N') {
        return StatusFlag::kNo;
    }
    return StatusFlag::kUnknown;
}

StatusFlag YesWhen(bool on) {
    return on ? StatusFlag::kYes : StatusFlag::kNo;
}

} // namespace

PrinterStatus StatusDecoder::Decode(int form, std::string_view reply) {
    switch (form) {
    case static_cast<int>(StatusForm::kFlags):
        return DecodeFlags(reply);
    case static_cast<int>(StatusForm::kHostStatus):
        return DecodeHostStatus(reply);
    case static_cast<int>(StatusForm::kErrorCode):
        return DecodeErrorCode(reply);
    default:
        return {};
    }
}

bool StatusDecoder::FindsStatus(int form, std::string_view reply) {
    switch (form) {
    case static_cast<int>(StatusForm::kFlags): {
        const size_t f = Window(reply, kFlagWindow).FindFirstOf("YN");
        return f != std::string_view::npos && f < kFlagStartLimit;
    }
    case static_cast<int>(StatusForm::kHostStatus): {
        const Window window(reply, kHostStatusWindow);
        const size_t s = window.Find(kStx, 0);
        return s != std::string_view::npos && window.Find(kStx, s + 1) != std::string_view::npos;
    }
    case static_cast<int>(StatusForm::kErrorCode):
        return reply.size() >= 2 && reply[0] >= '0' && reply[0] <= '9' && reply[1] >= '0' &&
               reply[1] <= '9';
    default:
        return false;
    }
}

PrinterStatus StatusDecoder::DecodeFlags(std::string_view reply) {
    PrinterStatus status;
    const Window window(reply, kFlagWindow);
    const size_t f = window.FindFirstOf("YN");
    if (f == std::string_view::npos || f >= kFlagStartLimit) {
        return status;
    }
    status.paperError = FlagOf(window.At(f + 1));
    status.ribbonError = FlagOf(window.At(f + 2));
    const StatusFlag batch = FlagOf(window.At(f + 3));
    const StatusFlag busy = FlagOf(window.At(f + 4));
    if (batch == StatusFlag::kYes || busy == StatusFlag::kYes) {
        status.printing = StatusFlag::kYes;
    } else if (batch == StatusFlag::kNo && busy == StatusFlag::kNo) {
        status.printing = StatusFlag::kNo;
    }
    status.pause = FlagOf(window.At(f + 5));
    status.waitingForPeeling = FlagOf(window.At(f + 6));
    return status;
}

PrinterStatus StatusDecoder::DecodeHostStatus(std::string_view reply) {
    PrinterStatus status;
    const Window window(reply, kHostStatusWindow);
    const size_t s = window.Find(kStx, 0);
    if (s == std::string_view::npos) {
        return status;
    }
    const size_t t = window.Find(kStx, s + 1);
    if (t == std::string_view::npos) {
        return status;
    }

    int paper = window.Is(s + 5, '1') ? 1 : 0;
    const int pause = window.Is(s + 7, '1') ? 1 : 0;
    int busy = 0;
    size_t bufferFull = 0;
    if (window.Is(s + 13, ',')) { // four-digit label length
        busy = window.AnyNotZero(s + 14, 3) ? 1 : 0;
        bufferFull = s + 18;
    } else { // five-digit label length: the later fields move by one
        busy = window.AnyNotZero(s + 15, 3) ? 1 : 0;
        bufferFull = s + 19;
    }
    if (window.Is(bufferFull, '1')) {
        ++busy;
    }

    if (window.Is(t + 7, '1')) { // head up
        ++paper;
    }
    const int ribbon = window.Is(t + 9, '1') ? 1 : 0;
    const int waiting = window.Is(t + 17, '1') ? 1 : 0;
    if (window.AnyNotZero(t + 19, 8)) { // labels left in the batch
        ++busy;
    }

    status.paperError = YesWhen(paper > 0);
    status.ribbonError = YesWhen(ribbon > 0);
    status.printing = YesWhen(busy > 0);
    status.pause = YesWhen(pause > 0);
    status.waitingForPeeling = YesWhen(waiting > 0);
    return status;
}

PrinterStatus StatusDecoder::DecodeErrorCode(std::string_view reply) {
    constexpr size_t kCodeLength = 2;
    PrinterStatus status;
    const std::string_view head = reply.substr(0, kCodeLength);
    status.errorCode = std::string(head.substr(0, head.find('\0')));
    status.message = StatusMessage::kOtherError; // a reply that holds none of the codes
    for (const ErrorCodeRow& row : kErrorCodes) {
        if (reply.find(row.code) != std::string_view::npos) {
            status.message = row.message;
            break;
        }
    }
    return status;
}

} // namespace qm
