#pragma once

// The small device I/O steps the COM, LPT and USB transports of PrinterConnection share.
#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace qm {

// Milliseconds since `start` on `clock`, capped at the largest 32-bit value.
uint32_t ElapsedMs(Clock& clock, uint64_t start);

// Connects to a UNIX-domain socket node (a stand-in for a device) of either socket type.
int ConnectSocketNode(const std::string& path);

// A read that never blocks: bytes read, 0 for nothing available or end of data, -1 on error.
// `endOfData`, when given, is set when the read met the end of data.
ssize_t ReadNow(int fd, uint8_t* buffer, size_t length, bool* endOfData = nullptr);

// One write that never raises SIGPIPE: a socket standing in for a device whose other end has
// gone reports EPIPE like any failed write instead of ending the program.
ssize_t WriteNow(int fd, const uint8_t* data, size_t length);

// Writes as much as the device takes within `limitMs` (the port's write time-out): the bytes
// written; 0 when nothing could be written (also after an error).
uint32_t WriteWithin(Clock& clock, int fd, const uint8_t* data, uint32_t length, uint32_t limitMs);

// COM and LPT: true when the reply so far ends with its terminator; the shifted terminator
// ("ND\r\nT", a stray byte after the end) leaves the stray byte out of the count.
bool SerialReplyComplete(const uint8_t* buffer, uint32_t& count);

// COM and LPT: what arrived is the reply; nothing at all is the error seen, else a time-out.
uint32_t SerialReadResult(uint32_t* received, uint32_t count, uint32_t error);

} // namespace qm
