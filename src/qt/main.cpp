#include "qt/Program.h"
#include "qt/QtHost.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

// Start-up measurement: with QUILLMARK_BENCH_FIRST_PAINT set, the program prints the
// monotonic time (ns) at which the main window was first painted and ends at once.
void ReportFirstPaint() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-paint-ns %lld\n",
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
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
