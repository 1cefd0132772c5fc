#include "PtyPort.h"

#include "Channel.h"
#include "Session.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace qm::sim {

namespace {

constexpr int kWriteStallMs = 2000;

long BaudOf(speed_t speed) {
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

class PtyChannel : public Channel {
public:
    PtyChannel(int master, int slave) : master_(master), slave_(slave) {}

    long Read(char* buffer, size_t size, int timeoutMs) override {
        pollfd p{master_, POLLIN, 0};
        int ready = ::poll(&p, 1, timeoutMs);
        if (ready <= 0 || (p.revents & POLLIN) == 0) {
            if (ready > 0) {
                // Hang-up without data: nobody holds the slave; wait instead of spinning.
                ::poll(nullptr, 0, timeoutMs);
            }
            return 0;
        }
        ssize_t n = ::read(master_, buffer, size);
        return n > 0 ? static_cast<long>(n) : 0;
    }

    bool Write(const char* data, size_t length) override {
        size_t done = 0;
        auto lastProgress = std::chrono::steady_clock::now();
        while (done < length) {
            ssize_t n = ::write(master_, data + done, length - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
                lastProgress = std::chrono::steady_clock::now();
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            }
            if (std::chrono::steady_clock::now() - lastProgress >
                std::chrono::milliseconds(kWriteStallMs)) {
                // Nobody reads: throw away what waits in the device so it does not stay stuck.
                ::tcflush(slave_, TCIFLUSH);
                return false;
            }
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 20);
        }
        return true;
    }

    bool CanClose() const override { return false; }
    std::string_view Name() const override { return "pty"; }

    std::string LineSettings() const override {
        termios t{};
        if (::tcgetattr(slave_, &t) != 0) {
            return {};
        }
        int bits = (t.c_cflag & CSIZE) == CS7   ? 7
                   : (t.c_cflag & CSIZE) == CS6 ? 6
                   : (t.c_cflag & CSIZE) == CS5 ? 5
                                                : 8;
        char parity = (t.c_cflag & PARENB) ? ((t.c_cflag & PARODD) ? 'O' : 'E') : 'N';
        std::string flow = (t.c_cflag & CRTSCTS) ? "rtscts" : (t.c_iflag & IXON) ? "xon" : "none";
        return "baud=" + std::to_string(BaudOf(::cfgetospeed(&t))) + " " + std::to_string(bits) +
               parity + ((t.c_cflag & CSTOPB) ? "2" : "1") + " flow=" + flow +
               ((t.c_lflag & ICANON) ? " canonical" : " raw");
    }

private:
    int master_;
    int slave_;
};

} // namespace

PtyPort::~PtyPort() {
    if (!link_.empty()) {
        char target[4096];
        ssize_t n = ::readlink(link_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<size_t>(n)) == path_) {
            ::unlink(link_.c_str());
        }
    }
    if (slave_ >= 0) {
        ::close(slave_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PtyPort::Open(const std::string& link, std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[256];
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    path_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = "cannot open " + path_ + ": " + std::strerror(errno);
        return false;
    }
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B9600);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!link.empty()) {
        struct stat st {};
        if (::lstat(link.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                error = "cannot link " + link + ": it exists and is not a symbolic link";
                return false;
            }
            ::unlink(link.c_str());
        }
        if (::symlink(path_.c_str(), link.c_str()) != 0) {
            error = "cannot link " + link + ": " + std::strerror(errno);
            return false;
        }
        link_ = link;
    }
    return true;
}

void PtyPort::Serve(Printer& printer, const SimOptions& options, EventLog& log,
                    const std::atomic<bool>& stop) {
    PtyChannel channel(master_, slave_);
    while (!stop) {
        // A session ends only when a reply was dropped; the pty itself stays.
        Session(channel, printer, options, log, stop).Run();
    }
}

} // namespace qm::sim
