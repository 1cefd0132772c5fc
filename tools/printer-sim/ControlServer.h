#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace qm::sim {

// The --control socket: a Unix stream socket (mode 0600) through which a test changes a
// running printer. Each line sent is one command; each gets one reply line. Lines longer than
// kMaxLine are refused. Served on a thread of its own, one connection at a time.
class ControlServer {
public:
    static constexpr size_t kMaxLine = 1024;
    using Handler = std::function<std::string(std::string_view line)>;

    ControlServer() = default;
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    // Creates the socket at `path` (a stale socket file there is replaced); false with a
    // one-line error.
    bool Listen(const std::string& path, std::string& error);
    void Start(Handler handler);
    void Stop();

private:
    void Serve();
    void Talk(int fd);

    std::string path_;
    int fd_ = -1;
    int wake_[2] = {-1, -1};
    Handler handler_;
    std::thread thread_;
};

} // namespace qm::sim
