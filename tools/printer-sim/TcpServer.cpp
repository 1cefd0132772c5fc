#include "TcpServer.h"

#include "Channel.h"
#include "Session.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qm::sim {

namespace {

class TcpChannel : public Channel {
public:
    explicit TcpChannel(int fd) : fd_(fd) {}

    long Read(char* buffer, size_t size, int timeoutMs) override {
        pollfd p{fd_, POLLIN, 0};
        int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0) {
            return errno == EINTR ? 0 : -1;
        }
        if (ready == 0) {
            return 0;
        }
        ssize_t n = ::recv(fd_, buffer, size, 0);
        if (n < 0) {
            return errno == EINTR || errno == EAGAIN ? 0 : -1;
        }
        return n == 0 ? -1 : static_cast<long>(n);
    }

    bool Write(const char* data, size_t length) override {
        size_t done = 0;
        auto lastProgress = std::chrono::steady_clock::now();
        while (done < length) {
            pollfd p{fd_, POLLOUT, 0};
            int ready = ::poll(&p, 1, 100);
            if (ready < 0 && errno != EINTR) {
                return false;
            }
            if (ready > 0) {
                ssize_t n = ::send(fd_, data + done, length - done, MSG_NOSIGNAL | MSG_DONTWAIT);
                if (n < 0 && errno != EAGAIN && errno != EINTR) {
                    return false;
                }
                if (n > 0) {
                    done += static_cast<size_t>(n);
                    lastProgress = std::chrono::steady_clock::now();
                    continue;
                }
            }
            if (std::chrono::steady_clock::now() - lastProgress >
                std::chrono::milliseconds(Session::kTcpWriteStallMs)) {
                return false;
            }
        }
        return true;
    }

    bool CanClose() const override { return true; }
    std::string_view Name() const override { return "tcp"; }

private:
    int fd_;
};

std::string PeerName(const sockaddr_in& peer) {
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(peer.sin_port));
}

} // namespace

TcpServer::~TcpServer() {
    if (listenFd_ >= 0) {
        ::close(listenFd_);
    }
}

bool TcpServer::Listen(const std::string& host, int port, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (rc != 0 || found == nullptr) {
        error = "cannot resolve TCP host '" + host + "': " + ::gai_strerror(rc);
        return false;
    }
    sockaddr_in address{};
    std::memcpy(&address, found->ai_addr, sizeof address);
    ::freeaddrinfo(found);
    address.sin_port = htons(static_cast<uint16_t>(port));

    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        error = std::string("cannot create a socket: ") + std::strerror(errno);
        return false;
    }
    int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 8) != 0) {
        error =
            "cannot listen on " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    return true;
}

void TcpServer::Serve(Printer& printer, const SimOptions& options, EventLog& log,
                      const std::atomic<bool>& stop) {
    while (!stop) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) {
            continue;
        }
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        int fd = ::accept4(listenFd_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        log.Write("tcp", "CONNECT", PeerName(peer));
        TcpChannel channel(fd);
        Session(channel, printer, options, log, stop).Run();
        ::close(fd);
        log.Write("tcp", "CLOSE", "");
    }
}

} // namespace qm::sim
