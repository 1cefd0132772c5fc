#include "connection/IcmpEcho.h"

#include "platform/FdWait.h"

#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace qm {
namespace icmp {
namespace {

// The raw ICMP socket's type filter (linux/icmp.h): a set bit drops that message type.
constexpr int kSolRaw = 255;
constexpr int kIcmpFilter = 1;
struct TypeFilter {
    uint32_t blocked;
};

constexpr size_t kMinIpHeader = 20;

uint16_t Checksum(const uint8_t* data, size_t length) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < length; i += 2) {
        sum += static_cast<uint32_t>(data[i] << 8 | data[i + 1]);
    }
    if (length % 2 != 0) {
        sum += static_cast<uint32_t>(data[length - 1] << 8);
    }
    while (sum >> 16) {
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return static_cast<uint16_t>(~sum);
}

std::atomic<uint16_t> gSequence{0};

} // namespace

int OpenEchoSocket(bool& raw) {
    raw = false;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw = true;
    }
    if (fd < 0) {
        return -1;
    }
    int ttl = 255;
    int tos = 0;
    ::setsockopt(fd, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl);
    ::setsockopt(fd, IPPROTO_IP, IP_TOS, &tos, sizeof tos);
    if (raw) {
        // A raw socket would otherwise get every ICMP message of the host, our own requests
        // on loopback included.
        TypeFilter filter{~(1u << ICMP_ECHOREPLY)};
        ::setsockopt(fd, kSolRaw, kIcmpFilter, &filter, sizeof filter);
    }
    return fd;
}

int OpenTargetSocket(uint32_t address, bool& raw, bool& unavailable) {
    const int fd = OpenEchoSocket(raw);
    unavailable = fd < 0;
    if (fd < 0) {
        return -1;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void BuildRequest(uint16_t identifier, uint16_t sequence, uint8_t (&request)[kRequestBytes]) {
    const uint8_t bytes[kRequestBytes] = {ICMP_ECHO,
                                          0,
                                          0,
                                          0,
                                          static_cast<uint8_t>(identifier >> 8),
                                          static_cast<uint8_t>(identifier),
                                          static_cast<uint8_t>(sequence >> 8),
                                          static_cast<uint8_t>(sequence)};
    std::memcpy(request, bytes, kRequestBytes);
    const uint16_t sum = Checksum(request, kRequestBytes);
    request[2] = static_cast<uint8_t>(sum >> 8);
    request[3] = static_cast<uint8_t>(sum);
}

bool ParseReply(const uint8_t* packet, size_t length, bool raw, uint16_t& identifier,
                uint16_t& sequence) {
    if (raw) {
        if (length < kMinIpHeader) {
            return false;
        }
        const size_t headerLength = static_cast<size_t>(packet[0] & 0x0F) * 4;
        if (headerLength < kMinIpHeader || length < headerLength + kRequestBytes) {
            return false;
        }
        packet += headerLength;
        length -= headerLength;
    }
    if (length < kRequestBytes || packet[0] != ICMP_ECHOREPLY) {
        return false;
    }
    identifier = static_cast<uint16_t>(packet[4] << 8 | packet[5]);
    sequence = static_cast<uint16_t>(packet[6] << 8 | packet[7]);
    return true;
}

uint16_t ReserveSequences(uint16_t count) {
    return static_cast<uint16_t>(gSequence.fetch_add(count) + 1);
}

uint16_t ProcessIdentifier() {
    return static_cast<uint16_t>(::getpid());
}

} // namespace icmp

namespace {

class SocketGuard {
public:
    explicit SocketGuard(int fd) : fd_(fd) {}
    ~SocketGuard() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

private:
    int fd_;
};

} // namespace

EchoResult SendIcmpEcho(Clock& clock, uint32_t address, uint32_t timeoutMs) {
    bool raw = false;
    bool unavailable = false;
    const int fd = icmp::OpenTargetSocket(address, raw, unavailable);
    if (fd < 0) {
        return unavailable ? EchoResult::kUnavailable : EchoResult::kNoReply;
    }
    SocketGuard guard(fd);

    const uint16_t id = icmp::ProcessIdentifier();
    const uint16_t seq = icmp::ReserveSequences(1);
    uint8_t request[icmp::kRequestBytes];
    icmp::BuildRequest(id, seq, request);

    if (::send(fd, request, sizeof request, 0) != static_cast<ssize_t>(sizeof request)) {
        return EchoResult::kNoReply;
    }

    const uint64_t start = clock.NowMs();
    while (true) {
        const uint64_t elapsed = clock.NowMs() - start;
        if (elapsed >= timeoutMs) {
            return EchoResult::kNoReply;
        }
        int ready = WaitForFd(clock, fd, POLLIN, static_cast<uint32_t>(timeoutMs - elapsed));
        if (ready <= 0) {
            return EchoResult::kNoReply;
        }
        uint8_t reply[1500];
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        ssize_t got = ::recvfrom(fd, reply, sizeof reply, MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return EchoResult::kNoReply; // an error the socket keeps reporting: no answer
        }
        if (got <= 0 || from.sin_addr.s_addr != address) {
            continue;
        }
        uint16_t gotId = 0;
        uint16_t gotSeq = 0;
        if (icmp::ParseReply(reply, static_cast<size_t>(got), raw, gotId, gotSeq) &&
            (!raw || gotId == id) && gotSeq == seq) {
            return EchoResult::kReply;
        }
    }
}

} // namespace qm
