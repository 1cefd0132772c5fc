#include "connection/PortIo.h"

#include "connection/PrinterConnection.h"
#include "connection/ReplyEnd.h"
#include "platform/FdWait.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qm {
namespace {

constexpr uint32_t kAllBits = 0xFFFFFFFFu;

} // namespace

uint32_t ElapsedMs(Clock& clock, uint64_t start) {
    uint64_t elapsed = clock.NowMs() - start;
    return elapsed > kAllBits ? kAllBits : static_cast<uint32_t>(elapsed);
}

// Connects to a UNIX-domain socket node (a stand-in for a device) of either socket type.
int ConnectSocketNode(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    for (int type : {SOCK_STREAM, SOCK_SEQPACKET}) {
        int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            return -1;
        }
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            return fd;
        }
        int error = errno;
        ::close(fd);
        errno = error;
        if (error != EPROTOTYPE) {
            return -1;
        }
    }
    return -1;
}

// A read that never blocks: bytes read, 0 for nothing available or end of data, -1 on error.
ssize_t ReadNow(int fd, uint8_t* buffer, size_t length, bool* endOfData) {
    if (length == 0) {
        return 0;
    }
    ssize_t got;
    do {
        got = ::read(fd, buffer, length);
    } while (got < 0 && errno == EINTR);
    if (endOfData != nullptr) {
        *endOfData = got == 0;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        return 0;
    }
    return got;
}

// One write that never raises SIGPIPE: a socket standing in for a device whose other end has
// gone reports EPIPE like any failed write instead of ending the program.
ssize_t WriteNow(int fd, const uint8_t* data, size_t length) {
    ssize_t put = ::send(fd, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (put < 0 && errno == ENOTSOCK) {
        put = ::write(fd, data, length);
    }
    return put;
}

// Writes as much as the device takes within `limitMs` (the port's write time-out): the bytes
// written; 0 when nothing could be written (also after an error).
uint32_t WriteWithin(Clock& clock, int fd, const uint8_t* data, uint32_t length, uint32_t limitMs) {
    uint32_t done = 0;
    uint64_t start = clock.NowMs();
    bool reportedReady = false;
    while (done < length) {
        ssize_t put = WriteNow(fd, data + done, length - done);
        if (put > 0) {
            done += static_cast<uint32_t>(put);
            reportedReady = false;
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            // A failed write takes no bytes; the short pause keeps the caller's retries from
            // spinning and lets its no-progress clock run on any clock.
            clock.SleepMs(1);
            break;
        }
        if (reportedReady) {
            // Writable by poll yet taking nothing (a terminal stopped by XOFF): let time pass.
            clock.SleepMs(1);
        }
        uint32_t elapsed = ElapsedMs(clock, start);
        if (elapsed >= limitMs) {
            break;
        }
        int ready = WaitForFd(clock, fd, POLLOUT, limitMs - elapsed);
        if (ready <= 0) {
            break;
        }
        reportedReady = true;
    }
    return done;
}

// COM and LPT: true when the reply so far ends with its terminator; the shifted terminator
// ("ND\r\nT", a stray byte after the end) leaves the stray byte out of the count.
bool SerialReplyComplete(const uint8_t* buffer, uint32_t& count) {
    const ReplyEnd end = CheckReplyEnd(buffer, count, true);
    if (end == ReplyEnd::kShifted) {
        --count;
    }
    return end != ReplyEnd::kOpen;
}

// COM and LPT: what arrived is the reply; nothing at all is the error seen, else a time-out.
uint32_t SerialReadResult(uint32_t* received, uint32_t count, uint32_t error) {
    *received = count;
    if (count == 0) {
        return error != 0 ? error : kWaitTimeout;
    }
    return kResultSuccess;
}

} // namespace qm
