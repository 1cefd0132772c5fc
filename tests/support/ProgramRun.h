#pragma once

// The one way the tests run a program and collect what it wrote: its exit status, standard
// output and standard error, with a bound on its run time.

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace qm::test {

// How one run ended.
struct ProgramRun {
    int status = -1; // exit status; 128+N after signal N; -1 when it had to be killed
    std::string out;
    std::string err;
    long elapsedMs = 0;
};

struct RunOptions {
    std::vector<std::string> env; // "NAME=VALUE" set on top of the test's own environment
    int timeoutMs = 30000;        // a longer run is killed (status -1)
    // Asked every few milliseconds while the program runs; the first time it says yes the
    // program gets `signals` one after the other, 100 ms apart (by default one SIGINT, Ctrl+C).
    std::function<bool()> interruptWhen;
    std::vector<int> signals = {SIGINT};
};

// Runs `argv` (argv[0] is the program's path) with standard input from /dev/null.
ProgramRun RunProgram(const std::vector<std::string>& argv, const RunOptions& options = {});

// Runs a shell command line (/bin/sh -c) the same way.
ProgramRun RunCommand(const std::string& commandLine, const RunOptions& options = {});

// The text quoted for the shell.
std::string ShellQuoted(const std::string& text);

// The lines of a text.
std::vector<std::string> Lines(const std::string& text);

} // namespace qm::test
