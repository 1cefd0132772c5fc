#pragma once

// Runs one quillmark-cli command line in-process, as the program's main() does, and keeps what
// it wrote and its exit status.

#include "cli/CommandLine.h"

#include <sstream>
#include <string>
#include <vector>

namespace qm::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// `style` stands for the terminal the streams would be (none by default: a pipe).
inline CliRun RunCli(const std::vector<std::string>& args, cli::TerminalStyle style = {}) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = cli::RunCommandLine(args, out, err, style);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace qm::test
