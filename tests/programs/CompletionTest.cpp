// The bash completion of quillmark-cli, run in bash against the program of this build: what
// it offers comes from the program's --help output.
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

namespace qm::test {
namespace {

// The words bash would offer for a command line whose last word is being completed.
std::string Complete(const std::vector<std::string>& words) {
    std::string array = ShellQuoted(QM_CLI_PATH);
    for (const std::string& word : words) {
        array += " " + ShellQuoted(word);
    }
    const std::string script =
        "source " +
        ShellQuoted(std::string(QM_SOURCE_DIR) + "/src/cli/quillmark-cli.bash-completion") +
        "; COMP_WORDS=(" + array + "); COMP_CWORD=" + std::to_string(words.size()) +
        "; _quillmark_cli; echo \"${COMPREPLY[*]}\"";
    const ProgramRun run = RunCommand("bash -c " + ShellQuoted(script));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.out.empty() ? run.out : run.out.substr(0, run.out.size() - 1);
}

TEST(CliCompletion, CommandsOptionsAndValuesComeFromTheProgram) {
    // Commands, then the ones a prefix leaves.
    const std::string commands = Complete({""});
    for (const char* command : {"inspect", "receive", "send", "ports"}) {
        EXPECT_NE(commands.find(command), std::string::npos) << commands;
    }
    EXPECT_EQ(Complete({"rec"}), "receive");
    EXPECT_EQ(Complete({"--v"}), "--version");

    // A command's own options, its option group's included.
    EXPECT_EQ(Complete({"receive", "--sc"}), "--scope");
    EXPECT_EQ(Complete({"receive", "--st"}), "--status-class");
    EXPECT_EQ(Complete({"send", "file.prn", "--q"}), "--queue");
    EXPECT_EQ(Complete({"ports", "--"}), "--help --json");
    EXPECT_EQ(Complete({"inspect", "--re"}), "--reply");

    // The values of an option with a fixed list.
    EXPECT_EQ(Complete({"receive", "--scope", ""}), "easy standard advanced information all");
    EXPECT_EQ(Complete({"receive", "--scope", "a"}), "advanced all");
    EXPECT_EQ(Complete({"inspect", "--language", ""}), "en ja zh ko");
    // A value without a list, and a settings file, are left to file name completion.
    EXPECT_EQ(Complete({"receive", "-o", ""}), "");
    EXPECT_EQ(Complete({"receive", "--net", ""}), "");
    EXPECT_EQ(Complete({"send", ""}), "");
    // A command of a command, and its own options.
    EXPECT_EQ(Complete({"fleet", "ro"}), "rollback");
    EXPECT_EQ(Complete({"fleet", "apply", "f.toml", "--ca"}), "--canary");
    // Setting keys from the program's catalogue; set's end in "=" for the value.
    EXPECT_EQ(Complete({"get", "print-s"}), "print-speed");
    EXPECT_EQ(Complete({"get", "print-speed", "--net", "h", "rs-232c-b"}), "rs-232c-baud");
    EXPECT_EQ(Complete({"set", "print-da"}), "print-darkness=");
    EXPECT_EQ(Complete({"set", "print-darkness", "=", ""}), "");
    // A flag takes no value: the next word is an option or a file again.
    EXPECT_EQ(Complete({"inspect", "--reply", "--adv"}), "--advanced");
}

} // namespace
} // namespace qm::test
