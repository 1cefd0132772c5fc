#include "cli/ProgressLine.h"

#include <cstdio>

namespace qm::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);
// Back to the line's start and wipe it.
constexpr char kWipe[] = "\r\x1b[K";

} // namespace

ProgressLine::ProgressLine(std::ostream& err, bool enabled, std::string label, size_t total)
    : err_(err), label_(std::move(label)), total_(total), start_(std::chrono::steady_clock::now()) {
    if (enabled) {
        // The line is there at once, before the first printer answers.
        Draw();
        drawer_ = std::thread([this] { Redraw(); });
    }
}

ProgressLine::~ProgressLine() {
    Stop();
}

void ProgressLine::Finished(bool ok) {
    ++(ok ? ok_ : failed_);
}

std::string ProgressLine::Text(const std::string& label, size_t done, size_t total, size_t ok,
                               size_t failed, double seconds) {
    char time[32];
    std::snprintf(time, sizeof time, "%.1f s", seconds);
    return label + "  " + std::to_string(done) + "/" + std::to_string(total) + "  ok " +
           std::to_string(ok) + "  failed " + std::to_string(failed) + "  " + time;
}

void ProgressLine::Draw() {
    const size_t ok = ok_.load();
    const size_t failed = failed_.load();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    err_ << kWipe << Text(label_, ok + failed, total_, ok, failed, seconds) << std::flush;
}

void ProgressLine::Redraw() {
    std::unique_lock<std::mutex> hold(lock_);
    while (!stopping_) {
        Draw();
        wake_.wait_for(hold, kRedrawInterval, [this] { return stopping_; });
    }
    err_ << kWipe << std::flush;
}

void ProgressLine::Stop() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (drawer_.joinable()) {
        drawer_.join();
    }
}

} // namespace qm::cli
