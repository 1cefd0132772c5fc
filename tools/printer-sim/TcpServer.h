#pragma once

#include "EventLog.h"
#include "Printer.h"
#include "SimOptions.h"

#include <atomic>
#include <string>

namespace qm::sim {

// The printer's TCP port: one connection at a time, as a printer serves; the next one waits in
// the listen queue until the current one ends.
class TcpServer {
public:
    TcpServer() = default;
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Binds and listens; port 0 picks a free port. False with a one-line error.
    bool Listen(const std::string& host, int port, std::string& error);
    // The port actually bound.
    int Port() const { return port_; }
    // Accepts and serves connections until `stop` is set.
    void Serve(Printer& printer, const SimOptions& options, EventLog& log,
               const std::atomic<bool>& stop);

private:
    int listenFd_ = -1;
    int port_ = 0;
};

} // namespace qm::sim
