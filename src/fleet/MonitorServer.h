#pragma once

#include "fleet/FleetMonitor.h"

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace qm::fleet {

// Serves what the monitor knows over HTTP: "/" the status page, "/metrics" the Prometheus
// text, "/api/printers" the JSON; anything else 404. With a token, every path needs
// "Authorization: Bearer TOKEN" and a request without it gets 401.
// The server's threads only read copies of the monitor's printers (FleetMonitor::Printers).
class MonitorServer {
public:
    static constexpr int kDefaultPort = 9464;

    MonitorServer(const FleetMonitor& monitor, std::string token);
    ~MonitorServer();
    MonitorServer(const MonitorServer&) = delete;
    MonitorServer& operator=(const MonitorServer&) = delete;

    // Binds HOST:PORT (port 0: any free one); false with the reason.
    bool Bind(const std::string& host, int port, std::string& error);
    int Port() const { return port_; }
    // Serves on a thread of its own until Stop.
    void Start();
    void Stop();

private:
    const FleetMonitor& monitor_;
    std::string token_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
};

// Whether a listening address is reachable only from this machine (127.0.0.0/8, ::1,
// "localhost"); any other needs a token.
bool IsLoopbackHost(const std::string& host);

// Reads a bearer token from `path`: at most 4 KiB, one line, trailing blanks and line ends
// dropped, printable ASCII only, not empty, and the file not readable by group or others.
// False with the reason.
bool ReadTokenFile(const std::string& path, std::string& token, std::string& error);

} // namespace qm::fleet
