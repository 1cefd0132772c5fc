#include "support/ProgramRun.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qm::test {
namespace {

using SteadyClock = std::chrono::steady_clock;

long Since(SteadyClock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count());
}

// The environment of the child: the test's own, with `extra` replacing same-named entries.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        bool replaced = std::any_of(extra.begin(), extra.end(), [&](const std::string& e) {
            return e.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (!replaced) {
            env.push_back(text);
        }
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ProgramRun RunProgram(const std::vector<std::string>& argvTexts, const RunOptions& options) {
    ProgramRun result;
    int out[2];
    int err[2];
    if (argvTexts.empty() || ::pipe2(out, O_CLOEXEC) != 0) {
        return result;
    }
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    std::vector<std::string> argv = argvTexts;
    std::vector<std::string> envp = ChildEnvironment(options.env);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envPointers = Pointers(envp);

    auto start = SteadyClock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::execve(argvPointers[0], argvPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    bool open[2] = {pid > 0, pid > 0};
    int fds[2] = {out[0], err[0]};
    bool interrupted = false;
    while ((open[0] || open[1]) && Since(start) < options.timeoutMs) {
        if (options.interruptWhen && !interrupted && options.interruptWhen()) {
            constexpr useconds_t kSignalGapUs = 100 * 1000;
            for (size_t i = 0; i < options.signals.size(); ++i) {
                if (i > 0) {
                    ::usleep(kSignalGapUs); // each one taken on its own
                }
                ::kill(pid, options.signals[i]);
            }
            interrupted = true;
        }
        pollfd p[2] = {{open[0] ? fds[0] : -1, POLLIN, 0}, {open[1] ? fds[1] : -1, POLLIN, 0}};
        if (::poll(p, 2, 50) <= 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (p[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            if (n <= 0) {
                open[i] = false;
            } else {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
            }
        }
    }
    int status = 0;
    while (pid > 0) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            result.status = WIFEXITED(status) ? WEXITSTATUS(status)
                                              : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
            break;
        }
        if (done < 0) {
            break;
        }
        if (Since(start) >= options.timeoutMs) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.elapsedMs = Since(start);
    ::close(fds[0]);
    ::close(fds[1]);
    return result;
}

ProgramRun RunCommand(const std::string& commandLine, const RunOptions& options) {
    return RunProgram({"/bin/sh", "-c", commandLine}, options);
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace qm::test
