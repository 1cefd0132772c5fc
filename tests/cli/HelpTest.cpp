// quillmark-cli's help: the program's own name, the commands in a reading order, and
// "help COMMAND" as "COMMAND --help".
#include "cli/CliRun.h"

#include <gtest/gtest.h>

namespace qm::test {
namespace {

TEST(CliHelp, NamesTheProgramAsCalledAndHelpCommandEqualsCommandHelp) {
    const char* const argv[] = {"/build/tree/src/cli/quillmark-cli", "--help", nullptr};
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::RunCommandLine(2, argv, out, err), 0);
    const std::string help = out.str();
    EXPECT_EQ(help.find("/build/tree"), std::string::npos) << help;
    EXPECT_NE(help.find("Usage: quillmark-cli "), std::string::npos) << help;
    // Printer commands before the file command.
    EXPECT_LT(help.find("\n  receive"), help.find("\n  inspect")) << help;
    EXPECT_LT(help.find("\n  send"), help.find("\n  ports")) << help;

    const CliRun viaHelp = RunCli({"help", "receive"});
    const CliRun viaFlag = RunCli({"receive", "--json", "--help"});
    EXPECT_EQ(viaHelp.status, 0);
    EXPECT_EQ(viaHelp.out, viaFlag.out);
    EXPECT_NE(viaHelp.out.find("--scope"), std::string::npos);
    EXPECT_EQ(RunCli({"help"}).out, help);
}

} // namespace
} // namespace qm::test
