#include "SimHarness.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace qm::simtest {

namespace {

using Clock = std::chrono::steady_clock;

long Since(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Waits for the child to end, at most `timeoutMs`; the exit status or -1.
int WaitFor(pid_t pid, int timeoutMs) {
    auto start = Clock::now();
    while (true) {
        int status = 0;
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status)) {
                return WEXITSTATUS(status);
            }
            return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        }
        if (done < 0 || Since(start) > timeoutMs) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

pid_t Spawn(const std::vector<std::string>& args, int& outFd, int& errFd) {
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        return -1;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        std::vector<char*> argv;
        std::string program = QM_PRINTER_SIM;
        argv.push_back(program.data());
        std::vector<std::string> copy = args;
        for (std::string& a : copy) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    outFd = out[0];
    errFd = err[0];
    return pid;
}

} // namespace

const std::string& LeadIn() {
    static const std::string leadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);
    return leadIn;
}

const std::string& MarkerA() {
    static const std::string marker("~!!\r\n\x02\x1b~A\r\n", 11);
    return marker;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qm-sim-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = made != nullptr ? made : "/tmp";
}

TempDir::~TempDir() {
    std::error_code ec;
    if (path_ != "/tmp") {
        std::filesystem::remove_all(path_, ec);
    }
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
    int errFd = -1;
    pid_ = Spawn(args, stdoutFd_, errFd);
    if (pid_ < 0) {
        return;
    }
    ::close(errFd); // errors of a started simulator are not read by these tests
    std::string text;
    auto start = Clock::now();
    while (!ready_ && Since(start) < 10000) {
        pollfd p{stdoutFd_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) {
            continue;
        }
        char buffer[256];
        ssize_t n = ::read(stdoutFd_, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(n));
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("tcp ", 0) == 0) {
                tcpPort_ = std::atoi(line.c_str() + 4);
            } else if (line.rfind("pty ", 0) == 0) {
                ptyPath_ = line.substr(4);
            } else if (line == "ready") {
                ready_ = true;
            }
        }
    }
}

int SimProcess::Stop(int signal, int timeoutMs) {
    if (pid_ < 0) {
        return -1;
    }
    ::kill(pid_, signal);
    int status = WaitFor(pid_, timeoutMs);
    if (status < 0) {
        ::kill(pid_, SIGKILL);
        WaitFor(pid_, 5000);
    }
    pid_ = -1;
    return status;
}

SimProcess::~SimProcess() {
    if (pid_ > 0) {
        // A crash or a sanitizer report in the simulator fails the test that started it.
        int status = Stop(SIGTERM, 3000);
        EXPECT_EQ(status, 0) << "the simulator did not end cleanly";
    }
    if (stdoutFd_ >= 0) {
        ::close(stdoutFd_);
    }
}

Reply ReadReply(int fd, const std::string& until, int silenceMs, int limitMs) {
    Reply reply;
    auto start = Clock::now();
    auto last = start;
    while (Since(start) < limitMs) {
        if (!reply.bytes.empty() && Since(last) >= silenceMs) {
            break;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0) {
            continue;
        }
        char buffer[8192];
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            reply.closed = true;
            break;
        }
        if (n < 0) {
            continue;
        }
        if (reply.firstByteMs < 0) {
            reply.firstByteMs = Since(start);
        }
        reply.bytes.append(buffer, static_cast<size_t>(n));
        ++reply.pieces;
        last = Clock::now();
        if (!until.empty() && reply.bytes.size() >= until.size() &&
            reply.bytes.compare(reply.bytes.size() - until.size(), until.size(), until) == 0) {
            break;
        }
    }
    reply.elapsedMs = Since(start);
    return reply;
}

int ConnectTcp(int port, const std::string& host) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (fd < 0 || ::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

Reply Exchange(int port, const std::string& request, const std::string& until, int silenceMs,
               int limitMs) {
    return ExchangeAt("127.0.0.1", port, request, until, silenceMs, limitMs);
}

Reply ExchangeAt(const std::string& address, int port, const std::string& request,
                 const std::string& until, int silenceMs, int limitMs) {
    int fd = ConnectTcp(port, address);
    if (fd < 0) {
        return {};
    }
    Reply reply;
    if (WriteAll(fd, request)) {
        reply = ReadReply(fd, until, silenceMs, limitMs);
    }
    ::close(fd);
    return reply;
}

int OpenPty(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B19200);
    ::tcsetattr(fd, TCSANOW, &t);
    return fd;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace qm::simtest
