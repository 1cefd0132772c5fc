#pragma once

// Helpers for the simulator tests: start the real program, read its announcements, talk to it
// over TCP or its pty. Every wait has a bound; the simulator is killed when the helper goes.

#include <string>
#include <sys/types.h>
#include <vector>

namespace qm::simtest {

// The 17-byte lead-in and the 11-byte reply marker.
const std::string& LeadIn();
const std::string& MarkerA();

// A scratch folder, removed with its files when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A running simulator. The constructor starts it and waits (at most 10 s) for "ready".
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Ready() const { return ready_; }
    int TcpPort() const { return tcpPort_; }
    const std::string& PtyPath() const { return ptyPath_; }
    // Sends `signal` and waits at most `timeoutMs`; returns the exit status, or -1 when it
    // did not end (it is then killed).
    int Stop(int signal, int timeoutMs = 5000);

private:
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    bool ready_ = false;
    int tcpPort_ = 0;
    std::string ptyPath_;
};

// How a read ended.
struct Reply {
    std::string bytes;
    bool closed = false;   // the peer closed the connection
    int pieces = 0;        // number of reads that brought bytes
    long firstByteMs = -1; // time from the start of the read to the first byte
    long elapsedMs = 0;
};

// Reads from `fd` until the data ends with `until` (when not empty), the peer closes, there
// has been `silenceMs` without data after some data arrived, or `limitMs` passed.
Reply ReadReply(int fd, const std::string& until, int silenceMs, int limitMs);

// Connects to address:port (bounded); -1 on failure.
int ConnectTcp(int port, const std::string& address = "127.0.0.1");
// Writes everything; false on failure.
bool WriteAll(int fd, const std::string& data);
// One exchange on a fresh connection: connect, send, read as ReadReply, close.
Reply Exchange(int port, const std::string& request, const std::string& until = "END\r\n",
               int silenceMs = 400, int limitMs = 3000);
// Exchange with a printer of a fleet at `address`.
Reply ExchangeAt(const std::string& address, int port, const std::string& request,
                 const std::string& until = "END\r\n", int silenceMs = 400, int limitMs = 3000);
// Opens a pty slave (or a link to one) raw; -1 on failure.
int OpenPty(const std::string& path);

// Reads a whole file ("" when missing).
std::string ReadFile(const std::string& path);
// Lines of a text split at "\r\n".
std::vector<std::string> CrLfLines(const std::string& text);

} // namespace qm::simtest
