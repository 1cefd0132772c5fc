// Starts the quillmark program several times on the offscreen platform and reports, for each
// run and as median / worst, the time from process start to the first painted main window and
// the peak resident memory. The program reports its first paint when
// QUILLMARK_BENCH_FIRST_PAINT is set, then ends at once.
//
//   bench_gui_startup [runs=10] [path to quillmark]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long MonotonicNs() {
    // The system-wide monotonic clock, the same one the program reports its first paint in.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<long long>(std::chrono::nanoseconds(now).count());
}

struct Run {
    double startupMs = -1;
    double peakRssMb = 0;
};

// One start of the program; false when it did not report a first paint.
bool StartOnce(const std::string& program, const std::string& home, Run& run) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("QUILLMARK_HOME=", 0) != 0) {
            env.push_back(entry);
        }
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("QUILLMARK_BENCH_FIRST_PAINT=1");
    env.push_back("QUILLMARK_HOME=" + home);
    std::vector<char*> envp;
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const long long start = MonotonicNs();
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(rc));
        return false;
    }
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.peakRssMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes
    const size_t at = text.find("first-paint-ns ");
    if (at == std::string::npos) {
        return false;
    }
    const long long painted = std::atoll(text.c_str() + at + 15);
    run.startupMs = static_cast<double>(painted - start) / 1e6;
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string program = argc > 2 ? argv[2] : QM_QUILLMARK_PATH;
    char home[] = "/tmp/quillmark-bench-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    std::vector<double> times;
    std::vector<double> memory;
    Run warm;
    StartOnce(program, home, warm); // first start fills the file caches; not counted
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!StartOnce(program, home, run)) {
            std::fprintf(stderr, "run %d: the program reported no first paint\n", i + 1);
            return 1;
        }
        std::printf("run %2d: %7.1f ms to first paint, peak RSS %6.1f MB\n", i + 1, run.startupMs,
                    run.peakRssMb);
        times.push_back(run.startupMs);
        memory.push_back(run.peakRssMb);
    }
    std::printf("start-up to first paint: median %.1f ms, worst %.1f ms (goal 400 ms)\n",
                Median(times), *std::max_element(times.begin(), times.end()));
    std::printf("peak resident memory:    median %.1f MB, worst %.1f MB (goal 60 MB)\n",
                Median(memory), *std::max_element(memory.begin(), memory.end()));
    std::string cleanup = std::string("rm -rf ") + home;
    if (std::system(cleanup.c_str()) != 0) {
        std::fprintf(stderr, "could not remove %s\n", home);
    }
    return 0;
}
