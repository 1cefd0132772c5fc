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

inline CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = cli::RunCommandLine(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace qm::test
