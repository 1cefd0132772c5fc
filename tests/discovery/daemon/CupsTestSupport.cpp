#include "discovery/daemon/CupsTestSupport.h"

#include "discovery/CupsClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace qm::test {
namespace {

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Starts the private scheduler when the test program runs on its own (CTest starts it through
// the fixture), and points every CUPS client of the process at it.
class CupsdEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string socket = std::string(QM_CUPSD_DIR) + "/cups.sock";
        ::setenv("CUPS_SERVER", socket.c_str(), 1);
        // lpadmin and cupsdisable live in sbin, which a plain user's PATH may lack.
        const char* path = std::getenv("PATH");
        ::setenv("PATH", (std::string(path ? path : "/usr/bin:/bin") + ":/usr/sbin:/sbin").c_str(),
                 1);
        // A socket left behind by a scheduler that is gone does not count: the script then
        // clears the folder and starts a fresh one.
        if (!SchedulerAnswers()) {
            started_ = true;
            const std::string start =
                std::string(QM_CUPSD_SCRIPT) + " start " + std::string(QM_CUPSD_DIR);
            ASSERT_EQ(std::system(start.c_str()), 0) << "the private CUPS scheduler did not start";
        }
    }
    void TearDown() override {
        if (started_) {
            const std::string stop =
                std::string(QM_CUPSD_SCRIPT) + " stop " + std::string(QM_CUPSD_DIR);
            (void)std::system(stop.c_str());
        }
    }

private:
    static bool SchedulerAnswers() {
        CupsClient client;
        std::vector<CupsClient::Printer> printers;
        return client.Connected() && client.GetPrinters(printers);
    }

    bool started_ = false;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new CupsdEnvironment);

} // namespace

int Run(const std::string& commandLine) {
    // The command runs in a session of its own without a terminal and with no input, so a tool
    // that wants a password gets none and fails instead of waiting for someone to type it; one
    // that does not finish in time is stopped with everything it started.
    constexpr int64_t kCommandTimeoutMs = 60000;
    const pid_t child = ::fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        ::setsid();
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
        }
        ::execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const int64_t end = NowMs() + kCommandTimeoutMs;
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (done < 0 && errno != EINTR) {
            return -1;
        }
        if (NowMs() >= end) {
            ADD_FAILURE() << "\"" << commandLine << "\" did not finish in time";
            ::kill(-child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool AddQueue(const std::string& name, const std::string& deviceUri, const std::string& extra) {
    return Run("lpadmin -p '" + name + "' -E -v '" + deviceUri + "' " + extra) == 0;
}

void DeleteQueue(const std::string& name) {
    Run("lpadmin -x '" + name + "'");
}

bool PauseQueueByHand(const std::string& name) {
    return Run("cupsdisable '" + name + "'") == 0;
}

int QueueState(const std::string& name) {
    CupsClient client;
    std::vector<CupsClient::Printer> printers;
    if (!client.GetPrinters(printers)) {
        return 0;
    }
    for (const CupsClient::Printer& printer : printers) {
        if (printer.name == name) {
            return printer.state;
        }
    }
    return 0;
}

std::string UniqueQueueName(const std::string& stem) {
    return "qm_" + stem + "_" + std::to_string(::getpid());
}

TcpSink::TcpSink() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

TcpSink::~TcpSink() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

void TcpSink::Serve() {
    std::vector<int> clients;
    while (!stop_) {
        std::vector<pollfd> fds{{listener_, POLLIN, 0}};
        for (int fd : clients) {
            fds.push_back({fd, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), 50) <= 0) {
            continue;
        }
        if (fds[0].revents & POLLIN) {
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                clients.push_back(fd);
            }
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                std::lock_guard<std::mutex> lock(mutex_);
                received_.append(buffer, static_cast<size_t>(got));
            } else {
                ::close(fds[i].fd);
                std::erase(clients, fds[i].fd);
            }
        }
    }
    for (int fd : clients) {
        ::close(fd);
    }
}

std::string TcpSink::WaitFor(size_t count, int timeoutMs) {
    const int64_t end = NowMs() + timeoutMs;
    while (true) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (received_.size() >= count || NowMs() >= end) {
                return received_;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

PseudoTerminal::PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        throw std::runtime_error("no pseudo-terminal");
    }
    slavePath_ = ::ptsname(master_);
    // Holding the slave open keeps the master readable between the backend's opens.
    slaveKeeper_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slaveKeeper_ >= 0 && ::tcgetattr(slaveKeeper_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slaveKeeper_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    if (slaveKeeper_ >= 0) {
        ::close(slaveKeeper_);
    }
    ::close(master_);
}

std::string PseudoTerminal::ReadFor(size_t count, int timeoutMs) {
    const int64_t end = NowMs() + timeoutMs;
    while (received_.size() < count && NowMs() < end) {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, 50) > 0 && (fd.revents & POLLIN)) {
            char buffer[4096];
            const ssize_t got = ::read(master_, buffer, sizeof buffer);
            if (got > 0) {
                received_.append(buffer, static_cast<size_t>(got));
            }
        }
    }
    return received_;
}

} // namespace qm::test
