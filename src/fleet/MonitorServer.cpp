#include "fleet/MonitorServer.h"

#include "fleet/MonitorOutput.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::fleet {
namespace {

constexpr size_t kMaxTokenBytes = 4096;
constexpr int kUnauthorized = 401;
constexpr int kNotFound = 404;
constexpr int kReadTimeoutSeconds = 5;
constexpr char kMetricsType[] = "text/plain; version=0.0.4; charset=utf-8";
constexpr char kJsonType[] = "application/json";
constexpr char kHtmlType[] = "text/html; charset=utf-8";
// The page holds no script and loads nothing from anywhere.
constexpr char kPagePolicy[] = "default-src 'none'; style-src 'unsafe-inline'";

// Compares without stopping at the first difference, so the time taken says nothing.
bool SameSecret(const std::string& a, const std::string& b) {
    unsigned char differ = a.size() == b.size() ? 0 : 1;
    for (size_t i = 0; i < a.size(); ++i) {
        differ |= static_cast<unsigned char>(a[i] ^ b[i % (b.empty() ? 1 : b.size())]);
    }
    return differ == 0 && !b.empty();
}

double UnixNow() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

bool IsLoopbackHost(const std::string& host) {
    if (host == "localhost" || host == "::1") {
        return true;
    }
    in_addr address{};
    return ::inet_pton(AF_INET, host.c_str(), &address) == 1 &&
           (ntohl(address.s_addr) >> 24) == 127;
}

bool ReadTokenFile(const std::string& path, std::string& token, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = "cannot open the token file " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    std::string bytes(kMaxTokenBytes + 1, '\0');
    ssize_t got = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        got = ::read(fd, bytes.data(), bytes.size());
    }
    const int readError = errno;
    ::close(fd);
    if (!S_ISREG(info.st_mode)) {
        error = "the token file " + path + " is not a regular file";
        return false;
    }
    if (got < 0) {
        error = "cannot read the token file " + path + ": " + std::strerror(readError);
        return false;
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        error = "the token file " + path +
                " may be read by other users; make it readable by its owner only (chmod 600)";
        return false;
    }
    if (static_cast<size_t>(got) > kMaxTokenBytes) {
        error = "the token file " + path + " is longer than " + std::to_string(kMaxTokenBytes) +
                " bytes";
        return false;
    }
    bytes.resize(static_cast<size_t>(got));
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r' || bytes.back() == ' ' ||
                              bytes.back() == '\t')) {
        bytes.pop_back();
    }
    for (unsigned char c : bytes) {
        if (c <= ' ' || c >= 0x7F) {
            error = "the token file " + path +
                    " holds more than one line or characters other than printable ASCII";
            return false;
        }
    }
    if (bytes.empty()) {
        error = "the token file " + path + " is empty";
        return false;
    }
    token = bytes;
    return true;
}

MonitorServer::MonitorServer(const FleetMonitor& monitor, std::string token)
    : monitor_(monitor), token_(std::move(token)), server_(std::make_unique<httplib::Server>()) {
    server_->set_read_timeout(kReadTimeoutSeconds, 0);
    server_->set_write_timeout(kReadTimeoutSeconds, 0);
    server_->set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            response.set_header("Cache-Control", "no-store");
            response.set_header("X-Content-Type-Options", "nosniff");
            if (token_.empty()) {
                return httplib::Server::HandlerResponse::Unhandled;
            }
            const std::string expected = "Bearer " + token_;
            if (SameSecret(request.get_header_value("Authorization"), expected)) {
                return httplib::Server::HandlerResponse::Unhandled;
            }
            response.status = kUnauthorized;
            response.set_header("WWW-Authenticate", "Bearer realm=\"quillmark\"");
            response.set_content("a bearer token is needed\n", "text/plain; charset=utf-8");
            return httplib::Server::HandlerResponse::Handled;
        });
    server_->Get("/metrics", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(MetricsText(monitor_.Printers(), monitor_.Stats()), kMetricsType);
    });
    server_->Get("/api/printers", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(PrintersJson(monitor_.Printers()), kJsonType);
    });
    server_->Get("/", [this](const httplib::Request& request, httplib::Response& response) {
        const auto refresh = std::chrono::duration_cast<std::chrono::seconds>(monitor_.Interval());
        response.set_header("Content-Security-Policy", kPagePolicy);
        response.set_content(StatusPageHtml(monitor_.Printers(), request.get_param_value("sort"),
                                            request.get_param_value("order") == "desc",
                                            std::max<int>(1, static_cast<int>(refresh.count())),
                                            UnixNow()),
                             kHtmlType);
    });
    server_->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == kNotFound) {
            response.set_content("not found\n", "text/plain; charset=utf-8");
        }
    });
}

MonitorServer::~MonitorServer() {
    Stop();
}

bool MonitorServer::Bind(const std::string& host, int port, std::string& error) {
    const int bound = port == 0 ? server_->bind_to_any_port(host)
                                : (server_->bind_to_port(host, port) ? port : -1);
    if (bound <= 0) {
        error =
            "cannot listen on " + host + ":" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    port_ = bound;
    return true;
}

void MonitorServer::Start() {
    thread_ = std::thread([this] {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        sigaddset(&set, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        server_->listen_after_bind();
    });
}

void MonitorServer::Stop() {
    if (thread_.joinable()) {
        server_->stop();
        thread_.join();
    }
}

} // namespace qm::fleet
