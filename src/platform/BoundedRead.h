#pragma once

#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm {

// How a bounded read of a file ended.
enum class BoundedReadResult {
    kOk,
    kCannotOpen, // errno tells why (ENOENT: no such file)
    kReadError,  // a failed read, or ETIMEDOUT when the file neither ended nor sent more in time
    kTooLarge,   // more than the given number of bytes: an endless device such as /dev/zero
};

// Reads a whole file that may be anything a name can lead to (a FIFO whose writer stays open,
// a device that never ends) with two bounds: at most maxBytes, and at most boundMs of waiting
// for more bytes or the end, all waits together, measured with clock. The descriptor is
// non-blocking from the open on, so neither the open nor a read can hang. bytes is emptied on
// failure; errno of the failing call goes to *error (0 for kOk and kTooLarge).
BoundedReadResult ReadFileBounded(const std::string& path, size_t maxBytes, uint32_t boundMs,
                                  std::string& bytes, int* error = nullptr,
                                  Clock& clock = SystemClock::Instance());

} // namespace qm
