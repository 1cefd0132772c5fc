#include "connection/IcmpSweep.h"

#include "platform/FdWait.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace qm {
namespace {

// Room for every reply of a large sweep, so that none is dropped while the requests go out.
constexpr int kReceiveBufferBytes = 4 << 20;
// Requests sent between two reads of the replies waiting.
constexpr size_t kRequestsPerBatch = 64;
// A full send queue: how long and how often to wait for room before giving up on a request.
constexpr uint32_t kSendRoomWaitMs = 10;
constexpr int kSendAttempts = 20;
constexpr size_t kPacketBytes = 1500;

class Sweep {
public:
    Sweep(Clock& clock, const std::vector<uint32_t>& addresses, int fd, bool raw)
        : clock_(clock), addresses_(addresses), fd_(fd), raw_(raw),
          results_(addresses.size(), EchoResult::kNoReply), identifier_(icmp::ProcessIdentifier()),
          firstSequence_(icmp::ReserveSequences(static_cast<uint16_t>(addresses.size()))) {}

    std::vector<EchoResult> Run(uint32_t timeoutMs) {
        for (size_t i = 0; i < addresses_.size(); ++i) {
            Send(i);
            if ((i + 1) % kRequestsPerBatch == 0) {
                Drain();
            }
        }
        const uint64_t start = clock_.NowMs();
        while (answered_ < addresses_.size()) {
            const uint64_t elapsed = clock_.NowMs() - start;
            if (elapsed >= timeoutMs ||
                WaitForFd(clock_, fd_, POLLIN, static_cast<uint32_t>(timeoutMs - elapsed)) <= 0) {
                break;
            }
            Drain();
        }
        return std::move(results_);
    }

private:
    void Send(size_t index) {
        uint8_t request[icmp::kRequestBytes];
        icmp::BuildRequest(identifier_, static_cast<uint16_t>(firstSequence_ + index), request);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = addresses_[index];
        for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
            if (::sendto(fd_, request, sizeof request, MSG_DONTWAIT,
                         reinterpret_cast<sockaddr*>(&to),
                         sizeof to) == static_cast<ssize_t>(sizeof request)) {
                return;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != ENOBUFS && errno != EINTR) {
                return; // unreachable or refused: no reply
            }
            Drain();
            WaitForFd(clock_, fd_, POLLOUT, kSendRoomWaitMs);
        }
    }

    // Takes every reply waiting.
    void Drain() {
        uint8_t packet[kPacketBytes];
        while (true) {
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            const ssize_t got = ::recvfrom(fd_, packet, sizeof packet, MSG_DONTWAIT,
                                           reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return;
            }
            uint16_t identifier = 0;
            uint16_t sequence = 0;
            if (!icmp::ParseReply(packet, static_cast<size_t>(got), raw_, identifier, sequence) ||
                (raw_ && identifier != identifier_)) {
                continue;
            }
            const size_t index = static_cast<uint16_t>(sequence - firstSequence_);
            if (index < addresses_.size() && addresses_[index] == from.sin_addr.s_addr &&
                results_[index] != EchoResult::kReply) {
                results_[index] = EchoResult::kReply;
                ++answered_;
            }
        }
    }

    Clock& clock_;
    const std::vector<uint32_t>& addresses_;
    int fd_;
    bool raw_;
    std::vector<EchoResult> results_;
    uint16_t identifier_;
    uint16_t firstSequence_;
    size_t answered_ = 0;
};

} // namespace

std::vector<EchoResult> SendIcmpSweep(Clock& clock, const std::vector<uint32_t>& addresses,
                                      uint32_t timeoutMs) {
    if (addresses.empty()) {
        return {};
    }
    if (addresses.size() > kMaxSweepAddresses) {
        // More than the sequence numbers tell apart: say nothing rather than something wrong.
        return std::vector<EchoResult>(addresses.size(), EchoResult::kUnavailable);
    }
    bool raw = false;
    const int fd = icmp::OpenEchoSocket(raw);
    if (fd < 0) {
        return std::vector<EchoResult>(addresses.size(), EchoResult::kUnavailable);
    }
    const int size = kReceiveBufferBytes;
    // The forced size passes the system's ceiling where we may; the plain one otherwise.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0) {
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    std::vector<EchoResult> results = Sweep(clock, addresses, fd, raw).Run(timeoutMs);
    ::close(fd);
    return results;
}

std::vector<size_t> ReachableByEcho(Clock& clock, const std::vector<std::string>& dotted,
                                    uint32_t timeoutMs) {
    std::vector<uint32_t> addresses;
    std::vector<size_t> places; // where each swept address stands in `dotted`
    std::vector<size_t> reachable;
    for (size_t i = 0; i < dotted.size(); ++i) {
        in_addr address{};
        if (::inet_pton(AF_INET, dotted[i].c_str(), &address) == 1) {
            addresses.push_back(address.s_addr);
            places.push_back(i);
        } else {
            reachable.push_back(i);
        }
    }
    const std::vector<EchoResult> results = SendIcmpSweep(clock, addresses, timeoutMs);
    for (size_t k = 0; k < results.size(); ++k) {
        if (results[k] != EchoResult::kNoReply) {
            reachable.push_back(places[k]);
        }
    }
    std::sort(reachable.begin(), reachable.end());
    return reachable;
}

} // namespace qm
