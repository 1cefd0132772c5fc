#pragma once

// One line on standard error that shows how far a run over many printers has come:
// "send  37/120  ok 35  failed 2  4.1 s", redrawn a few times a second while the run goes on
// and wiped when it ends. Only on a terminal: without one nothing is drawn and no thread is
// started. The workers report each finished printer through Finished(), from any thread.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

namespace qm::cli {

class ProgressLine {
public:
    ProgressLine(std::ostream& err, bool enabled, std::string label, size_t total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // One printer is done; thread-safe.
    void Finished(bool ok);
    // Stops the redraws and wipes the line; the run's own report follows on a clean line.
    void Stop();

    // The line's text for the counts so far.
    static std::string Text(const std::string& label, size_t done, size_t total, size_t ok,
                            size_t failed, double seconds);

private:
    void Draw();
    void Redraw();

    std::ostream& err_;
    std::string label_;
    size_t total_;
    std::atomic<size_t> ok_{0};
    std::atomic<size_t> failed_{0};
    std::chrono::steady_clock::time_point start_;
    std::mutex lock_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread drawer_;
};

} // namespace qm::cli
