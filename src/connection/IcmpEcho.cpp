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
namespace {

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

class SocketGuard {
public:
    explicit SocketGuard(int fd) : fd_(fd) {}
    ~SocketGuard() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

EchoResult SendIcmpEcho(Clock& clock, uint32_t address, uint32_t timeoutMs) {
    bool raw = false;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw = true;
    }
    if (fd < 0) {
        return EchoResult::kUnavailable;
    }
    SocketGuard guard(fd);
    int ttl = 255;
    int tos = 0;
    ::setsockopt(fd, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl);
    ::setsockopt(fd, IPPROTO_IP, IP_TOS, &tos, sizeof tos);

    static std::atomic<uint16_t> sequence{0};
    uint16_t seq = ++sequence;
    uint16_t id = static_cast<uint16_t>(::getpid());
    uint8_t request[8] = {ICMP_ECHO,
                          0,
                          0,
                          0,
                          static_cast<uint8_t>(id >> 8),
                          static_cast<uint8_t>(id),
                          static_cast<uint8_t>(seq >> 8),
                          static_cast<uint8_t>(seq)};
    uint16_t sum = Checksum(request, sizeof request);
    request[2] = static_cast<uint8_t>(sum >> 8);
    request[3] = static_cast<uint8_t>(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address;
    if (::sendto(fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&to), sizeof to) !=
        static_cast<ssize_t>(sizeof request)) {
        return EchoResult::kNoReply;
    }

    uint64_t start = clock.NowMs();
    while (true) {
        uint64_t elapsed = clock.NowMs() - start;
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
        if (got <= 0) {
            continue;
        }
        const uint8_t* icmp = reply;
        size_t length = static_cast<size_t>(got);
        if (raw) {
            // A raw socket delivers the IP header too, and every ICMP message of the host.
            size_t headerLength = static_cast<size_t>(reply[0] & 0x0F) * 4;
            if (length < headerLength + 8 || from.sin_addr.s_addr != address) {
                continue;
            }
            icmp += headerLength;
            length -= headerLength;
            if (icmp[4] != request[4] || icmp[5] != request[5]) {
                continue;
            }
        }
        // The datagram socket's kernel rewrites the identifier and filters replies by it.
        if (length >= 8 && icmp[0] == ICMP_ECHOREPLY && icmp[6] == request[6] &&
            icmp[7] == request[7]) {
            return EchoResult::kReply;
        }
    }
}

} // namespace qm
