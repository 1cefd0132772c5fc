#pragma once

#include <cstdint>
#include <string>

namespace qm {

// What went wrong in the last step of a connection that failed, in the terms a person can act
// on: which host or device, what the system said, how many bytes came and how long was waited.
enum class FailureKind {
    kNone,
    kHostNotFound,   // the name resolves to no IPv4 address
    kNoEcho,         // the host did not answer the reachability echo
    kRefused,        // nothing listens on the port
    kConnectTimeout, // the connect was not answered within `waitedMs`
    kConnectError,   // another connect error (`errorNumber`)
    kNoDevice,       // the port's device file does not exist
    kOpenError,      // the device file could not be opened (`errorNumber`)
    kClosedByPeer,   // the printer closed the connection after `bytes` bytes
    kNoReply,        // no complete reply within `waitedMs` (`bytes` arrived)
    kWriteStalled,   // the printer took no data for `waitedMs`
};

struct ConnectionFailure {
    FailureKind kind = FailureKind::kNone;
    std::string where;   // "10.0.0.7:9100", "printer-3", "/dev/ttyUSB0"
    int errorNumber = 0; // errno, when the system gave one
    uint64_t bytes = 0;  // bytes of the reply received before the failure
    uint32_t waitedMs = 0;
};

} // namespace qm
