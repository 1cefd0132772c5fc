#pragma once

// Stand-ins for devices, servers and the print system used by the connection tests.

#include "connection/PortServices.h"
#include "platform/FakeClock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace qm::test {

// A temporary folder used as QUILLMARK_DEV_ROOT (and QUILLMARK_SYSFS_ROOT below it).
class FakeDeviceTree {
public:
    FakeDeviceTree() {
        char pattern[] = "/tmp/qm-dev-XXXXXX";
        root_ = ::mkdtemp(pattern);
        std::filesystem::create_directories(root_ + "/dev/usb");
        std::filesystem::create_directories(root_ + "/sys");
        ::setenv("QUILLMARK_DEV_ROOT", (root_ + "/dev").c_str(), 1);
        ::setenv("QUILLMARK_SYSFS_ROOT", (root_ + "/sys").c_str(), 1);
    }
    ~FakeDeviceTree() {
        ::unsetenv("QUILLMARK_DEV_ROOT");
        ::unsetenv("QUILLMARK_SYSFS_ROOT");
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    std::string Dev(const std::string& relative) const { return root_ + "/dev/" + relative; }
    std::string Sys(const std::string& relative) const { return root_ + "/sys/" + relative; }

private:
    std::string root_;
};

// Waits (real time, at most a second) until `ready` holds; the kernel hands pseudo-terminal
// data over asynchronously.
template <typename Ready> bool WaitUntil(Ready ready) {
    for (int i = 0; i < 1000; ++i) {
        if (ready()) {
            return true;
        }
        ::usleep(1000);
    }
    return ready();
}

inline int QueuedInput(int fd) {
    int queued = 0;
    return ::ioctl(fd, FIONREAD, &queued) == 0 ? queued : -1;
}

// A pseudo-terminal pair: the program opens the slave through a link in the fake tree, the test
// holds the (non-blocking) master and plays the printer. The test keeps a slave descriptor of
// its own so the line settings persist and queued input can be watched.
class PtyPair {
public:
    explicit PtyPair(const std::string& linkPath) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(master_, 0);
        ::grantpt(master_);
        ::unlockpt(master_);
        slaveName_ = ::ptsname(master_);
        slave_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(slave_, 0);
        // Raw line: no echo, no translation.
        termios tio{};
        ::tcgetattr(slave_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
        EXPECT_EQ(::symlink(slaveName_.c_str(), linkPath.c_str()), 0);
    }
    ~PtyPair() {
        ::close(slave_);
        ::close(master_);
    }
    int Master() const { return master_; }
    int Slave() const { return slave_; }
    termios Line() const {
        termios tio{};
        ::tcgetattr(slave_, &tio);
        return tio;
    }
    // Sends bytes as the printer and waits until the port shows them queued (up to `visible`).
    void Send(const std::string& bytes, int visible = -1) const {
        int before = QueuedInput(slave_);
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        int want = visible >= 0 ? visible : before + static_cast<int>(bytes.size());
        EXPECT_TRUE(WaitUntil([&] { return QueuedInput(slave_) >= want; }));
    }
    // What the program wrote, waiting for at least `expected` bytes.
    std::string Take(size_t expected) const {
        std::string all;
        WaitUntil([&] {
            char chunk[4096];
            ssize_t got;
            while ((got = ::read(master_, chunk, sizeof chunk)) > 0) {
                all.append(chunk, static_cast<size_t>(got));
            }
            return all.size() >= expected;
        });
        return all;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};

// A UNIX-domain socket node in the fake tree that stands in for an LPT or USB device. With
// SOCK_SEQPACKET every write of the program arrives as one packet, so chunk sizes show.
class SocketDevice {
public:
    SocketDevice(const std::string& path, int type) {
        listener_ = ::socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(listener_, 4), 0);
    }
    ~SocketDevice() {
        if (peer_ >= 0) {
            ::close(peer_);
        }
        ::close(listener_);
    }
    // Accepts the program's connection (after its Open).
    void Accept() {
        if (peer_ >= 0) {
            ::close(peer_);
        }
        peer_ = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        ASSERT_GE(peer_, 0);
    }
    void Send(const std::string& bytes) const {
        ASSERT_EQ(::send(peer_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    // Every packet (or stream piece) waiting, in order.
    std::vector<std::string> Packets() const {
        std::vector<std::string> packets;
        char chunk[8192];
        ssize_t got;
        while ((got = ::recv(peer_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0) {
            packets.emplace_back(chunk, static_cast<size_t>(got));
        }
        return packets;
    }
    void ClosePeer() {
        ::close(peer_);
        peer_ = -1;
    }

private:
    int listener_ = -1;
    int peer_ = -1;
};

// A loopback TCP server on an ephemeral port; the test accepts and answers by hand.
class LoopbackServer {
public:
    LoopbackServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        EXPECT_EQ(::listen(listener_, 8), 0);
    }
    ~LoopbackServer() {
        if (peer_ >= 0) {
            ::close(peer_);
        }
        ::close(listener_);
    }
    int Port() const { return port_; }
    int Listener() const { return listener_; }
    void Accept() {
        if (peer_ >= 0) {
            ::close(peer_);
        }
        peer_ = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        ASSERT_GE(peer_, 0);
    }
    int Peer() const { return peer_; }
    void Send(const std::string& bytes) const {
        ASSERT_EQ(::send(peer_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    std::string Take() const {
        std::string all;
        char chunk[8192];
        ssize_t got;
        while ((got = ::recv(peer_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0) {
            all.append(chunk, static_cast<size_t>(got));
        }
        return all;
    }
    void ClosePeer() {
        ::close(peer_);
        peer_ = -1;
    }

private:
    int listener_ = -1;
    int peer_ = -1;
    int port_ = 0;
};

// Records what the connection asks of discovery and the print system.
class FakePortServices : public PortServices {
public:
    // USB lookup: succeeds from the `resolveAfter`-th call on (0 = at once; -1 = never).
    int resolveAfter = 0;
    std::u16string usbLabel = u"USB001";
    std::u16string usbDevicePath =
        u"\\\\?\\USB#VID_1234&PID_5678#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
    std::string usbNode;
    std::vector<std::u16string> queuesOnPort; // what ParkQueues finds
    int rawJobResult = 0;

    std::vector<std::string> calls;
    int resolveCalls = 0;
    std::string rawJobBytes;
    std::u16string rawJobPrinter;

    int ResolveUsbPort(std::u16string& label, std::u16string& devicePath, std::string& nodePath,
                       std::u16string& portName) override {
        ++resolveCalls;
        calls.push_back("resolve");
        label.clear();
        if (resolveAfter < 0 || resolveCalls <= resolveAfter) {
            devicePath.clear();
            nodePath.clear();
            return 0;
        }
        label = usbLabel;
        if (portName == u"USB_AUTO") {
            portName = usbLabel;
        }
        devicePath = usbDevicePath;
        nodePath = usbNode;
        return 1;
    }
    int ParkQueues(std::vector<std::u16string>& parked, std::u16string_view) override {
        calls.push_back("park");
        parked = queuesOnPort;
        return 1;
    }
    int RestoreQueues(const std::vector<std::u16string>&, std::u16string_view) override {
        calls.push_back("restore");
        return 1;
    }
    int SendRawJob(std::u16string_view printer, uint32_t& written, uint32_t length,
                   const void* data) override {
        calls.push_back("rawjob");
        rawJobPrinter = std::u16string(printer);
        rawJobBytes.assign(static_cast<const char*>(data), length);
        written = rawJobResult == 0 ? length : 0;
        return rawJobResult;
    }
};

} // namespace qm::test

#include <atomic>
#include <functional>
#include <mutex>
#include <poll.h>
#include <thread>

namespace qm::test {

// A printer on a loopback TCP port, answering in its own thread with the real clock: each
// connection's request (complete at "EXIT\r\n" or at a bare status request) goes to `answer`,
// whose result is sent back; the connection then stays open until the program closes it.
class PrinterServer {
public:
    using Answer = std::function<std::string(const std::string& request)>;

    explicit PrinterServer(Answer answer) : answer_(std::move(answer)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~PrinterServer() {
        stop_ = true;
        thread_.join();
    }
    int Port() const { return server_.Port(); }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    static bool Complete(const std::string& request) {
        return request.find("EXIT\r\n") != std::string::npos ||
               request == "\x01"
                          "A" ||
               request == "~HS\r\n" || request == "^ee\r\n";
    }

    void Run() {
        while (!stop_) {
            pollfd listener{server_.Listener(), POLLIN, 0};
            if (::poll(&listener, 1, 20) <= 0) {
                continue;
            }
            int peer = ::accept4(server_.Listener(), nullptr, nullptr, SOCK_CLOEXEC);
            if (peer < 0) {
                continue;
            }
            Serve(peer);
            ::close(peer);
        }
    }

    void Serve(int peer) {
        std::string request;
        bool answered = false;
        while (!stop_) {
            pollfd entry{peer, POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0) {
                continue;
            }
            char chunk[8192];
            ssize_t got = ::recv(peer, chunk, sizeof chunk, 0);
            if (got <= 0) {
                break; // the program closed the connection
            }
            request.append(chunk, static_cast<size_t>(got));
            if (!answered && Complete(request)) {
                answered = true;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    requests_.push_back(request);
                }
                std::string reply = answer_(request);
                if (reply == "<close>") {
                    break;
                }
                ::send(peer, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
        }
        if (!answered && !request.empty()) {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request);
        }
    }

    LoopbackServer server_;
    Answer answer_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// The 17-byte lead-in every request and configuration starts with.
inline const std::string kLeadInBytes("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);

} // namespace qm::test
