#pragma once

#include "EventLog.h"
#include "Printer.h"
#include "SimOptions.h"

#include <atomic>
#include <string>

namespace qm::sim {

// The printer's serial side: a pseudo-terminal pair. The program opens the slave device (or a
// symbolic link to it) as its port; the simulator reads and writes the master. The simulator
// keeps a slave descriptor of its own so the device survives the program closing it between
// operations, and sets it raw at first (no echo, no line editing).
class PtyPort {
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Opens the pair and, when `link` is not empty, makes `link` a symbolic link to the slave
    // (replacing an older symbolic link there, never another kind of file).
    bool Open(const std::string& link, std::string& error);
    // "/dev/pts/N".
    const std::string& Path() const { return path_; }
    // Serves the pty until `stop` is set.
    void Serve(Printer& printer, const SimOptions& options, EventLog& log,
               const std::atomic<bool>& stop);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string link_;
};

} // namespace qm::sim
