#include "ControlServer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qm::sim {
namespace {

constexpr int kIdleMs = 30000; // a connection that sends nothing for this long is closed

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

} // namespace

ControlServer::~ControlServer() {
    Stop();
}

bool ControlServer::Listen(const std::string& path, std::string& error) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        error = "--control path '" + path + "' is empty or too long for a socket";
        return false;
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            error = "--control path '" + path + "' exists and is not a socket";
            return false;
        }
        ::unlink(path.c_str());
    }
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const mode_t old = ::umask(0077);
    const bool bound =
        fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::umask(old);
    if (!bound || ::listen(fd_, 4) != 0 || ::pipe2(wake_, O_CLOEXEC) != 0) {
        error = "cannot listen on --control '" + path + "': " + std::strerror(errno);
        return false;
    }
    path_ = path;
    return true;
}

void ControlServer::Start(Handler handler) {
    handler_ = std::move(handler);
    thread_ = std::thread([this] { Serve(); });
}

void ControlServer::Stop() {
    if (thread_.joinable()) {
        const char byte = 0;
        (void)!::write(wake_[1], &byte, 1);
        thread_.join();
    }
    for (int* fd : {&fd_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
}

void ControlServer::Serve() {
    while (true) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) {
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                Talk(client);
                ::close(client);
            }
        }
    }
}

void ControlServer::Talk(int fd) {
    std::string pending;
    char buffer[512];
    while (true) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, kIdleMs) <= 0 || fds[1].revents != 0) {
            return;
        }
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return;
        }
        pending.append(buffer, static_cast<size_t>(got));
        size_t end = 0;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!WriteAll(fd, handler_(line) + "\n")) {
                return;
            }
        }
        if (pending.size() > kMaxLine) {
            WriteAll(fd, "error: line longer than " + std::to_string(kMaxLine) + " bytes\n");
            return;
        }
    }
}

} // namespace qm::sim
