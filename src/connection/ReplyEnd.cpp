#include "connection/ReplyEnd.h"

#include <cstring>

namespace qm {

ReplyEnd CheckReplyEnd(const uint8_t* data, uint32_t count, bool acceptShifted) {
    if (data == nullptr || count < 5) {
        return ReplyEnd::kOpen;
    }
    const uint8_t* tail = data + count - 5;
    if (std::memcmp(tail, "END\r\n", 5) == 0) {
        return ReplyEnd::kTerminated;
    }
    if (acceptShifted && std::memcmp(tail, "ND\r\nT", 5) == 0) {
        return ReplyEnd::kShifted;
    }
    return ReplyEnd::kOpen;
}

} // namespace qm
