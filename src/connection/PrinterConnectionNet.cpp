// The network side of PrinterConnection: reachability check, TCP connect, read, write, close.
#include "connection/IcmpEcho.h"
#include "connection/NetAddress.h"
#include "connection/PortIo.h"
#include "connection/PrinterConnection.h"
#include "connection/ReplyEnd.h"
#include "platform/Encoding.h"
#include "platform/FdWait.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qm {
namespace {

constexpr uint32_t kAllBits = 0xFFFFFFFFu;

// A time-out cut to the connection's scan bound (0: no bound).
uint32_t Bounded(uint32_t usualMs, uint32_t limitMs) {
    return limitMs != 0 && limitMs < usualMs ? limitMs : usualMs;
}

bool SocketErrorPending(int fd) {
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0;
}

void CloseSocket(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

} // namespace

int PrinterConnection::Ping(const std::u16string& address) {
    if (address.empty()) {
        return 0;
    }
    std::string dotted;
    if (!AddressToDottedQuad(address, dotted)) {
        NoteFailure(FailureKind::kHostNotFound, Utf16ToUtf8(address));
        return 0;
    }
    in_addr target{};
    if (::inet_pton(AF_INET, dotted.c_str(), &target) != 1) {
        NoteFailure(FailureKind::kHostNotFound, Utf16ToUtf8(address));
        return 0;
    }
    const uint32_t echoMs = Bounded(kEchoTimeoutMs, netWaitLimitMs_);
    switch (SendIcmpEcho(clock_, target.s_addr, echoMs)) {
    case EchoResult::kReply:
        return 1;
    case EchoResult::kUnavailable:
        return 1; // the system does not let us ask: the connect decides
    default:
        NoteFailure(FailureKind::kNoEcho, Utf16ToUtf8(address), 0, 0, echoMs);
        return 0;
    }
}

int PrinterConnection::NetConnect(const std::u16string& address, int port) {
    if (socket_ >= 0 || address.empty()) {
        return 0;
    }
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        kind_ = kPortNone;
        return 0;
    }
    std::string dotted;
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    netTarget_ = Utf16ToUtf8(address) + ":" + std::to_string(port);
    if (port < 1 || port > 65535 || !AddressToDottedQuad(address, dotted) ||
        ::inet_pton(AF_INET, dotted.c_str(), &peer.sin_addr) != 1) {
        NoteFailure(FailureKind::kHostNotFound, Utf16ToUtf8(address));
        CloseSocket(fd);
        return 0;
    }
    peer.sin_port = htons(static_cast<uint16_t>(port));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        // The connect gets its own bound instead of the system's minutes-long one.
        const uint32_t limitMs = Bounded(kNetConnectLimitMs, netWaitLimitMs_);
        int error = errno;
        bool failed = error != EINPROGRESS;
        if (!failed) {
            if (WaitForFd(clock_, fd, POLLOUT, limitMs) <= 0) {
                NoteFailure(FailureKind::kConnectTimeout, netTarget_, 0, 0, limitMs);
                CloseSocket(fd);
                return 0;
            }
            socklen_t length = sizeof error;
            failed = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0;
        }
        if (failed) {
            NoteFailure(error == ECONNREFUSED ? FailureKind::kRefused : FailureKind::kConnectError,
                        netTarget_, error);
            CloseSocket(fd);
            return 0;
        }
    }
    int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_OOBINLINE, &on, sizeof on) != 0) {
        CloseSocket(fd);
        return 0;
    }
    socket_ = fd;
    kind_ = kPortNet;

    // Discard whatever the printer still had queued for an earlier connection.
    uint8_t scratch[kReplyBufferSize];
    uint64_t start = clock_.NowMs();
    while (ElapsedMs(clock_, start) < kDrainLimitMs) {
        if (WaitForFd(clock_, socket_, POLLIN, kNetDrainWaitMs) <= 0) {
            break;
        }
        ssize_t got = ::recv(socket_, scratch, sizeof scratch, MSG_DONTWAIT);
        if (got <= 0 || SocketErrorPending(socket_)) {
            break;
        }
    }
    return 1;
}

uint32_t PrinterConnection::NetRead(uint32_t* received, uint8_t* buffer, ReplyForm form) {
    if (socket_ < 0) {
        return kErrorInvalidHandle;
    }
    if (buffer == nullptr || received == nullptr) {
        return kErrorBadArguments;
    }
    bool unterminated = form == ReplyForm::kUnterminated;
    uint32_t perWait = netReadTimeoutMs_;
    int idle = 0;
    uint32_t count = 0;
    // The cap on the whole reply runs from its first byte; it never depends on how the reply
    // is cut into segments.
    uint64_t firstByteAt = 0;
    auto capUsedUp = [&] { return count > 0 && ElapsedMs(clock_, firstByteAt) >= kNetReplyCapMs; };
    const uint64_t readStart = clock_.NowMs();
    auto noReply = [&] {
        NoteFailure(FailureKind::kNoReply, netTarget_, 0, count, ElapsedMs(clock_, readStart));
        return kWaitTimeout;
    };
    auto closed = [&] {
        NoteFailure(FailureKind::kClosedByPeer, netTarget_, 0, count);
        return kErrorDeviceNotConnected;
    };
    *received = 0;
    while (true) {
        uint32_t wait = perWait;
        if (count > 0) {
            uint32_t used = ElapsedMs(clock_, firstByteAt);
            if (used >= kNetReplyCapMs) {
                return noReply();
            }
            wait = std::min(wait, kNetReplyCapMs - used);
        }
        int ready = WaitForFd(clock_, socket_, POLLIN, wait);
        if (ready < 0) {
            return kErrorDeviceNotConnected;
        }
        if (ready == 0) {
            if (unterminated && count > 2) {
                return kResultSuccess;
            }
            if (idle < 2 && !capUsedUp()) {
                clock_.SleepMs(kNetIdlePauseMs);
                ++idle;
                continue;
            }
            return noReply();
        }
        ssize_t got = ::recv(socket_, buffer + count, kReplyBufferSize - count, MSG_DONTWAIT);
        if (got == 0) {
            *received = kAllBits;
            return closed();
        }
        if (got < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
                continue;
            }
            return kErrorDeviceNotConnected;
        }
        if (count == 0) {
            firstByteAt = clock_.NowMs();
        }
        count += static_cast<uint32_t>(got);
        *received = count;
        idle = 0;
        if (!unterminated) {
            if (CheckReplyEnd(buffer, count, true) != ReplyEnd::kOpen) {
                return kResultSuccess;
            }
        } else if (count > 2) {
            perWait = kNetSilenceMs;
        }
        if (count == kReplyBufferSize) {
            return kErrorMoreData;
        }
        if (SocketErrorPending(socket_)) {
            return kErrorDeviceNotConnected;
        }
    }
}

uint32_t PrinterConnection::NetWrite(uint32_t length, const uint8_t* data, uint32_t* sent) {
    if (socket_ < 0) {
        return kErrorInvalidHandle;
    }
    if (data == nullptr || length == 0 || sent == nullptr) {
        return kErrorBadArguments;
    }
    uint32_t total = 0;
    uint32_t result = kResultSuccess;
    uint64_t lastProgress = clock_.NowMs();
    while (total < length) {
        // The wait for writability ends when the no-progress time is used up (1460), so a
        // printer that stops taking data cannot hold the program for minutes.
        uint32_t limit = kNetWritableWaitMs;
        if (netWriteTimeoutMs_ != 0) {
            uint32_t idle = ElapsedMs(clock_, lastProgress);
            limit = idle >= netWriteTimeoutMs_ ? 0 : netWriteTimeoutMs_ - idle;
        }
        int ready = WaitForFd(clock_, socket_, POLLOUT, limit);
        if (ready < 0 || (ready > 0 && (ready & POLLOUT) == 0)) {
            result = kErrorDeviceNotConnected;
            break;
        }
        if (ready == 0) {
            result = netWriteTimeoutMs_ != 0 ? kErrorTimeout : kErrorDeviceNotConnected;
            break;
        }
        uint32_t piece = std::min(length - total, kNetWriteChunk);
        ssize_t put = ::send(socket_, data + total, piece, MSG_NOSIGNAL | MSG_DONTWAIT);
        if ((put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) ||
            SocketErrorPending(socket_)) {
            result = kErrorDeviceNotConnected;
            break;
        }
        if (put > 0) {
            total += static_cast<uint32_t>(put);
            lastProgress = clock_.NowMs();
        } else if (ElapsedMs(clock_, lastProgress) >= netWriteTimeoutMs_) {
            result = kErrorTimeout;
            break;
        } else {
            clock_.SleepMs(1); // writable by poll yet nothing taken: let time pass
        }
    }
    if (result == kErrorTimeout) {
        NoteFailure(FailureKind::kWriteStalled, netTarget_, 0, total,
                    ElapsedMs(clock_, lastProgress));
    }
    *sent = total;
    return result;
}

int PrinterConnection::NetClose() {
    if (socket_ < 0) {
        return 0;
    }
    ::shutdown(socket_, SHUT_RDWR);
    ::close(socket_);
    socket_ = -1;
    portName_.clear();
    netReadTimeoutMs_ = 0;
    netWriteTimeoutMs_ = 0;
    kind_ = kPortNone;
    return 1;
}

} // namespace qm
