#include "cli/CommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    return qm::cli::RunCommandLine(argc, argv, std::cout, std::cerr,
                                   qm::cli::TerminalStyle::OfStandardStreams());
}
