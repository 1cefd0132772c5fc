#pragma once

#include <string>
#include <vector>

namespace qm::test {

// What a program run gave.
struct ProgramRun {
    int status = -1; // exit status, -1 when killed by a signal
    std::string out;
    std::string err;
};

// Runs a shell command line and collects its exit status, standard output and standard error.
ProgramRun RunCommand(const std::string& commandLine);

// The path quoted for the shell.
std::string ShellQuoted(const std::string& text);

// The lines of a text.
std::vector<std::string> Lines(const std::string& text);

} // namespace qm::test
