#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm::test {

// Runs a shell command line with the test's CUPS_SERVER; returns its exit status.
int Run(const std::string& commandLine);

// Creates a raw queue (no driver) on a device URI, enabled and accepting jobs; `extra` is added
// to the lpadmin options. Returns true on success.
bool AddQueue(const std::string& name, const std::string& deviceUri, const std::string& extra = {});
void DeleteQueue(const std::string& name);
// Pauses a queue the way an administrator does (cupsdisable).
bool PauseQueueByHand(const std::string& name);
// The queue's printer-state (3 idle, 4 processing, 5 stopped); 0 when not found.
int QueueState(const std::string& name);
// A queue name unique to this process.
std::string UniqueQueueName(const std::string& stem);

// A TCP listener on 127.0.0.1 that collects everything sent to it, over any number of
// connections.
class TcpSink {
public:
    TcpSink();
    ~TcpSink();
    int Port() const { return port_; }
    // Waits until at least `count` bytes arrived or `timeoutMs` passed; returns what arrived.
    std::string WaitFor(size_t count, int timeoutMs);

private:
    void Serve();
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

// A pseudo-terminal: the slave stands for a serial port, the test reads the master.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    const std::string& SlavePath() const { return slavePath_; }
    // Reads what the slave side was sent until `count` bytes arrived or `timeoutMs` passed.
    std::string ReadFor(size_t count, int timeoutMs);

private:
    int master_ = -1;
    int slaveKeeper_ = -1;
    std::string slavePath_;
    std::string received_;
};

} // namespace qm::test
