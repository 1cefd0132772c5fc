#pragma once

#include <cstdint>

namespace qm {

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
