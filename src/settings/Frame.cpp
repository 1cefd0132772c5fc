#include "settings/Frame.h"

#include "platform/Encoding.h"

namespace qm {
namespace {

Frame Build(std::string_view leadIn, std::u16string_view text) {
    Frame frame;
    std::string converted = WideToAnsi(text);
    frame.neededBytes = leadIn.size() + converted.size();
    if (frame.neededBytes > kMaxFrameBytes) {
        frame.result = FrameResult::kTooLarge;
        return frame;
    }
    frame.bytes.reserve(frame.neededBytes);
    frame.bytes.append(leadIn);
    frame.bytes.append(converted);
    return frame;
}

} // namespace

Frame FrameForSending(std::u16string_view text) {
    return Build(kLeadIn, text);
}

Frame FrameWithoutLeadIn(std::u16string_view text) {
    return Build({}, text);
}

} // namespace qm
