#include "qt/Program.h"
#include "qt/QtHost.h"
#include "qt/StartOptions.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

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

// Prints an answer of the command line and gives its exit status.
int Answer(const qm::qt::StartAnswer& answer) {
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return answer.exitCode;
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version need no display: answered before Qt looks for one.
    if (auto answer = qm::qt::AnswerBeforeWindow(std::vector<std::string>(argv, argv + argc))) {
        return Answer(*answer);
    }
    QApplication app(argc, argv);
    // QApplication took its own options out of argv; anything left is not ours either.
    if (auto refusal =
            qm::qt::RefuseLeftoverArguments(std::vector<std::string>(argv, argv + argc))) {
        return Answer(*refusal);
    }
    qm::qt::SetUpApplication(app);
    qm::qt::QtHost host;
    if (std::getenv("QUILLMARK_BENCH_FIRST_PAINT") != nullptr) {
        host.GetRenderer().SetOnFirstPaint(ReportFirstPaint);
    }
    return qm::qt::RunProgram(host);
}
