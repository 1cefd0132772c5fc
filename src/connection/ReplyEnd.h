#pragma once

#include <cstdint>

namespace qm {

// How a reply ends: with "END\r\n", or (the counters and the status replies) without a
// terminator, complete at the first silence after more than 2 bytes.
enum class ReplyForm {
    kTerminated,
    kUnterminated,
};

// The reply-end rule for terminated replies, applied after each piece of a reply arrives to
// everything received so far.
enum class ReplyEnd {
    kOpen,       // not complete yet
    kTerminated, // ends with "END\r\n"
    kShifted,    // ends with "ND\r\nT" (the terminator followed by one stray byte)
};

// Looks at the last five of `count` bytes. `acceptShifted` is false for USB, which knows only
// "END\r\n".
ReplyEnd CheckReplyEnd(const uint8_t* data, uint32_t count, bool acceptShifted);

} // namespace qm
