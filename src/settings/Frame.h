#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// The 17-byte lead-in in front of every request, configuration and printer file:
// "~!!" CR LF, STX ESC "~A" CR LF, "~" ESC "~A" CR LF.
inline constexpr std::string_view kLeadIn{"~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17};
// The main window's send buffer; a frame and its terminator must fit it.
inline constexpr size_t kSendBufferSize = 4096;
// The longest frame that fits (the buffer keeps one byte for the terminator).
inline constexpr size_t kMaxFrameBytes = kSendBufferSize - 1;

enum class FrameResult {
    kOk,
    kTooLarge, // the frame does not fit the send buffer: nothing may be sent or saved
};

struct Frame {
    FrameResult result = FrameResult::kOk;
    std::string bytes;      // empty when refused
    size_t neededBytes = 0; // the frame's size, also when refused (for the message)
};

// The bytes put on the wire or into a printer file: the lead-in and the text in the ANSI code
// page (UTF-8), no terminator. A frame longer than kMaxFrameBytes is refused whole
// (kTooLarge, no bytes); it is never cut.
Frame FrameForSending(std::u16string_view text);
// The same without the lead-in (status requests, the sensor-adjustment export text).
Frame FrameWithoutLeadIn(std::u16string_view text);

} // namespace qm
