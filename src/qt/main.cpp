#include "qt/Program.h"
#include "qt/QtHost.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// Start-up measurement: with QUILLMARK_BENCH_FIRST_PAINT set, the program prints the
// monotonic time (ns) at which the main window was first painted and ends at once.
void ReportFirstPaint() {
    // steady_clock is the system-wide monotonic clock, so the measuring process can compare.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("first-paint-ns %lld\n",
                static_cast<long long>(std::chrono::nanoseconds(now).count()));
    std::fflush(stdout);
    _exit(0);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qm::qt::SetUpApplication(app);
    qm::qt::QtHost host;
    if (std::getenv("QUILLMARK_BENCH_FIRST_PAINT") != nullptr) {
        host.GetRenderer().SetOnFirstPaint(ReportFirstPaint);
    }
    return qm::qt::RunProgram(host);
}
